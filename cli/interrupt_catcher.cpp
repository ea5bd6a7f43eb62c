// SPDX-License-Identifier: MIT
#include "cli/interrupt_catcher.h"

#include <csignal>
#include <cstddef>
#include <iterator>

#include "program/caught_signals.h"

namespace torvix {

namespace {

#if defined(_WIN32)
constexpr int kSignals[] = {SIGINT, SIGTERM};
#else
constexpr int kSignals[] = {SIGHUP, SIGINT, SIGTERM};
#endif
constexpr int kSignalExitBase = 128;

volatile std::sig_atomic_t caught = 0;
SignalHandler previous[std::size(kSignals)] = {};

void noteSignal(int signal) { caught = signal; }

}  // namespace

InterruptCatcher::InterruptCatcher() {
  caught = 0;
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    previous[i] = CatchSignal(kSignals[i], noteSignal);
  }
}

InterruptCatcher::~InterruptCatcher() {
  for (std::size_t i = 0; i < std::size(kSignals); ++i) RestoreSignal(kSignals[i], previous[i]);
}

int InterruptCatcher::Caught() const { return caught; }

int InterruptedExitCode(int signal) { return kSignalExitBase + signal; }

}  // namespace torvix

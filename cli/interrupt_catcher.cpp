// SPDX-License-Identifier: MIT
#include "cli/interrupt_catcher.h"

#include <csignal>
#include <cstddef>
#include <iterator>

namespace torvix {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM};
constexpr int kSignalExitBase = 128;

volatile std::sig_atomic_t caught = 0;
using Handler = void (*)(int);
Handler previous[std::size(kSignals)] = {};

void noteSignal(int signal) { caught = signal; }

}  // namespace

InterruptCatcher::InterruptCatcher() {
  caught = 0;
  for (std::size_t i = 0; i < std::size(kSignals); ++i)
    previous[i] = std::signal(kSignals[i], noteSignal);
}

InterruptCatcher::~InterruptCatcher() {
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    if (previous[i] != SIG_ERR) std::signal(kSignals[i], previous[i]);
  }
}

int InterruptCatcher::Caught() const { return caught; }

int InterruptedExitCode(int signal) { return kSignalExitBase + signal; }

}  // namespace torvix

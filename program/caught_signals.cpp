// SPDX-License-Identifier: MIT
#include "program/caught_signals.h"

#include <csignal>

namespace torvix {

#if defined(_WIN32)

// Windows starts no program with a signal ignored.
SignalHandler CatchSignal(int signal, SignalHandler handler) {
  return std::signal(signal, handler);
}

void RestoreSignal(int signal, SignalHandler previous) {
  if (previous != SIG_ERR) std::signal(signal, previous);
}

#else

namespace {

void Install(int signal, SignalHandler handler) {
  struct sigaction action {};
  action.sa_handler = handler;
  action.sa_flags = SA_RESTART;  // a slow call the signal cuts into goes on
  sigemptyset(&action.sa_mask);
  ::sigaction(signal, &action, nullptr);
}

}  // namespace

SignalHandler CatchSignal(int signal, SignalHandler handler) {
  struct sigaction now {};
  if (::sigaction(signal, nullptr, &now) != 0) return SIG_ERR;
  if (now.sa_handler != SIG_IGN) Install(signal, handler);
  return now.sa_handler;
}

void RestoreSignal(int signal, SignalHandler previous) {
  if (previous != SIG_ERR && previous != SIG_IGN) Install(signal, previous);
}

#endif

}  // namespace torvix

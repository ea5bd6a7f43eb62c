// SPDX-License-Identifier: MIT
// Catching a signal as shells expect: one that was ignored when the program started stays
// ignored. A shell ignores SIGINT and SIGQUIT for a script's background jobs, `trap '' INT` and
// nohup (SIGHUP) ignore on purpose, and a Ctrl-C meant for another job must not stop this one.
#pragma once

namespace torvix {

using SignalHandler = void (*)(int);

// Installs handler for signal, unless it is ignored now: the handler it replaced (SIG_IGN when
// it left an ignored signal alone), to be put back with RestoreSignal.
SignalHandler CatchSignal(int signal, SignalHandler handler);
void RestoreSignal(int signal, SignalHandler previous);

}  // namespace torvix

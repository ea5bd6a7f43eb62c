#!/bin/sh
# SPDX-License-Identifier: MIT
# Usage: wine_prefix.sh start|stop WINE. The fixture around the Windows tests: start prepares
# $WINEPREFIX (the first boot of a prefix takes a while, so once per run, not per test) and keeps
# one wine server up for the run; stop ends that server. Says in one line why wine cannot start.
# WINE is wine64, or wine32's loader for a prefix of WINEARCH=win32.
set -u
action=$1
wine=$2
server="${wine%64}server"
if [ ! -x "$wine" ]; then
  echo "wine not found (${wine:-none}): scripts/deps.sh installs what the Windows tests need"
  exit 1
fi
: "${WINEPREFIX:?WINEPREFIX must name the tests' wine prefix}"
case $action in
  start)
    mkdir -p "$WINEPREFIX" || exit 1
    # Lingers 30 s after the last program, so tests run back to back share one server.
    "$server" -p30 >/dev/null 2>&1
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      # No Mono or Gecko: the tests need neither, and their installers would ask.
      WINEDLLOVERRIDES="mscoree,mshtml=" "$wine" wineboot --init >/dev/null 2>&1
    fi
    # A test program that cannot start says nothing useful: check with one that does nothing.
    # Into a file, not a pipe: the services wine starts keep their output open for as long as
    # the server lives, and a pipe would wait for them.
    out="$WINEPREFIX/start-check.log"
    if ! "$wine" cmd /c exit 0 >"$out" 2>&1; then
      echo "$(basename "$wine") cannot start in $WINEPREFIX: $(tail -n 1 "$out")"
      exit 1
    fi
    ;;
  stop)
    "$server" -k >/dev/null 2>&1 || true
    ;;
  *)
    echo "usage: wine_prefix.sh start|stop WINE"
    exit 2
    ;;
esac

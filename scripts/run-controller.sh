#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Torvix_Controller and starts it on the virtual camera.
#
# zembrel-sim serves a virtual adapter board with a factory-fresh camera on a socket of its own
# and logs every bus transfer; the program reaches it through QUORLINK_DEVICE. On a fresh
# Debian 12 machine the first run installs what is missing of the packages that build and run
# the programs (scripts/deps.sh run: no test, Windows, kernel rig or packaging tools), with sudo
# when not root. The build is the `run` preset's: the programs without tests or benchmarks.
#
#   ./scripts/run-controller.sh             # build in build/run, log to ./zembrel-sim.log
#   TORVIX_BUILD_DIR=build/x TORVIX_SIM_LOG=/tmp/bus.log ./scripts/run-controller.sh
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${TORVIX_BUILD_DIR:-$root/build/run}"
case "$build" in /*) ;; *) build="$PWD/$build" ;; esac
log="${TORVIX_SIM_LOG:-$PWD/zembrel-sim.log}"
case "$log" in /*) ;; *) log="$PWD/$log" ;; esac

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run-controller: no display: DISPLAY is not set." >&2
  echo "  Run it on a desktop, or under a virtual screen (Debian's xvfb package):" >&2
  echo "  xvfb-run -a -s '-screen 0 1280x800x24' $0" >&2
  exit 1
fi

"$root/scripts/deps.sh" run

(cd "$root" && cmake --preset run -B "$build" >/dev/null)
cmake --build "$build" --target Torvix_Controller zembrel-sim

socket_dir="$(mktemp -d)"
socket="$socket_dir/zembrel-0"
: > "$log"
"$build/sim/zembrel-sim" --socket "$socket" --log "$log" &
sim_pid=$!
cleanup() {
  kill "$sim_pid" 2>/dev/null || true
  wait "$sim_pid" 2>/dev/null || true
  rm -rf "$socket_dir"
}
trap cleanup EXIT

for _ in $(seq 50); do
  [ -S "$socket" ] && break
  kill -0 "$sim_pid" 2>/dev/null || { echo "run-controller: zembrel-sim did not start" >&2; exit 1; }
  sleep 0.1
done
[ -S "$socket" ] || { echo "run-controller: zembrel-sim did not open $socket" >&2; exit 1; }

echo "run-controller: virtual camera on $socket"
echo "run-controller: every bus transfer goes to $log (watch it with: tail -f $log)"
QUORLINK_DEVICE="$socket" "$build/app/qt/Torvix_Controller"

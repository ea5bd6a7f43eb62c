#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Draws Torvix_Controller.exe on the virtual camera into a PNG (docs/screenshot-windows.png):
# the program under wine, in a wine desktop (which draws the caption) on a virtual screen.
#
#   ./scripts/windows-screenshot.sh [BIN_DIR [OUTPUT]]   # default build/windows/bin
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bin="${1:-$root/build/windows/bin}"
out="${2:-$root/docs/screenshot-windows.png}"
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
work=$(mktemp -d)
export WINEPREFIX="${WINEPREFIX:-$work/prefix}" WINEDEBUG=-all QUORLINK_DEVICE=sim
# The desktop is the dialog's size: 517 x 204 dialog units in wine's MS Shell Dlg, plus frame.
desktop=940x370

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
trap '"${wine%64}server" -k 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

WINEDLLOVERRIDES="mscoree,mshtml=" "$wine" wineboot --init >/dev/null 2>&1
"$wine" explorer /desktop=Torvix,$desktop "$bin/Torvix_Controller.exe" >/dev/null 2>&1 &
timeout 60 xdotool search --sync --name '^Torvix_Controller_r16$' >/dev/null
sleep 2  # the panel is filled from the camera before the window is drawn; let it settle
xwd -root -silent | convert xwd:- -crop "$desktop+0+0" +repage "$out"
echo "wrote $out"

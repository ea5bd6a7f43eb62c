#!/bin/sh
# SPDX-License-Identifier: MIT
# Usage: check_program_install.sh BUILD_DIR WORK_DIR. Installs the whole build into
# WORK_DIR/prefix and checks what a desktop needs to start the controller from its menu: the
# program, its desktop entry naming it and its icon, and the bridge library found through the
# program's own run path (no LD_LIBRARY_PATH). The installed torvix then reads the virtual camera.
set -eu
build_dir=$1
work_dir=$2
rm -rf "$work_dir"
prefix=$work_dir/prefix
cmake --install "$build_dir" --prefix "$prefix" >"$work_dir.log" 2>&1 || { cat "$work_dir.log"; exit 1; }

program=$prefix/bin/Torvix_Controller
[ -x "$program" ] || { echo "Torvix_Controller was not installed"; exit 1; }
entry=$prefix/share/applications/torvix-controller.desktop
[ -f "$entry" ] || { echo "no desktop entry"; exit 1; }
grep -qx 'Exec=Torvix_Controller' "$entry" || { echo "the desktop entry does not start the program"; exit 1; }
icon=$(sed -n 's/^Icon=//p' "$entry")
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || { echo "icon $icon was not installed"; exit 1; }

unset LD_LIBRARY_PATH
if ldd "$program" | grep -q 'libquorlink.*not found'; then
  echo "the installed program does not find the installed bridge library"; exit 1
fi
QUORLINK_DEVICE=sim "$prefix/bin/torvix" get Contrast | grep -q '0x3c' ||
  { echo "the installed torvix did not read the virtual camera"; exit 1; }
echo "installed program, desktop entry, icon and library check out"

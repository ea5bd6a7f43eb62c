#!/bin/sh
# SPDX-License-Identifier: MIT
# Usage: nsis_install_test.sh WINE DIR VERSION, with WINEPREFIX set. Runs each installer in DIR
# silently (/S) as a Windows user would, into its Program Files folder: the programs, the
# library, the guide and the uninstaller are there, the Start menu's link starts the window, the
# installed torvix.exe runs; then the uninstaller takes the programs and the links away again.
set -eu
wine=$1 dir=$2 version=$3
drive="$WINEPREFIX/drive_c"
fail() { echo "$*"; exit 1; }
for arch in x64 x86; do
  if [ $arch = x64 ]; then root="Program Files" bits=64; else root="Program Files (x86)" bits=32; fi
  home="$drive/$root/Torvix Controller" winhome="C:\\$root\\Torvix Controller"
  menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Torvix Controller $version ($bits-bit)"
  "$wine" start /wait /unix "$dir/torvix-$version-windows-$arch.exe" /S
  for file in bin/Torvix_Controller.exe bin/torvix.exe bin/Quorlink.dll doc/windows.md Uninstall.exe; do
    [ -f "$home/$file" ] || fail "the $arch installer left no $home/$file"
  done
  strings "$menu/Torvix Controller.lnk" | grep -qxF "$winhome\\bin\\Torvix_Controller.exe" ||
    fail "no Start-menu link to $winhome\\bin\\Torvix_Controller.exe in $menu"
  "$wine" "$winhome\\bin\\torvix.exe" --version | grep -q "^torvix $version" ||
    fail "the installed $arch torvix.exe does not run"
  # The uninstaller runs on from a copy of itself in the temporary folder: wait for it, 20 s at most.
  "$wine" "$winhome\\Uninstall.exe" /S
  for _ in $(seq 100); do [ -e "$home" ] || [ -e "$menu" ] || break; sleep 0.2; done
  [ ! -e "$home" ] && [ ! -e "$menu" ] || fail "the $arch uninstaller left $home or $menu"
done

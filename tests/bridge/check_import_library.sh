#!/bin/sh
# SPDX-License-Identifier: MIT
# Usage: check_import_library.sh CC PROBE_SOURCE INCLUDE_DIR IMPORT_LIBRARY DLL WORK_DIR WINE
# Builds the probe, a caller of all 21 exports, as an outside program is built: the header as
# it ships and the import library, nothing else. Then runs it under WINE beside the DLL, on the
# in-process board, so every import is looked up by name and called. TORVIX_SKIP_WINE=1 links
# only.
set -eu
cc=$1 probe=$2 include=$3 library=$4 dll=$5 work=$6 wine=$7
rm -rf "$work"
mkdir -p "$work"
"$cc" -std=c99 -Wall -Wextra -Werror -I"$include" -o "$work/probe.exe" "$probe" "$library"
if [ "${TORVIX_SKIP_WINE:-0}" = 1 ]; then
  echo "linked against $(basename "$library"); not run (TORVIX_SKIP_WINE=1)"
  exit 0
fi
cp "$dll" "$work/"
status=0
QUORLINK_DEVICE=sim "$wine" "$work/probe.exe" >"$work/probe.log" 2>&1 || status=$?
tr -d '\r' <"$work/probe.log"
exit "$status"

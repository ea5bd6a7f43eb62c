#!/bin/sh
# SPDX-License-Identifier: MIT
# Usage: check_windows_program.sh WINE64 TORVIX_EXE. torvix.exe as a Windows user runs it: on the
# in-process virtual camera it lists the 29 settings and dumps the EEPROM to stdout with CR LF
# line ends; without a board it says so in words and exits 1; with no HID adapter plugged in,
# buses and hid:mcp2221 say so.
set -u
wine=$1
torvix=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/torvix-exe.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failed=0
fail() { echo "FAIL: $*"; failed=1; }
# Windows programs end their lines with CR LF.
run() { "$wine" "$torvix" "$@" >out 2>err; status=$?; tr -d '\r' <out >out.txt; }

run --device sim settings
[ "$status" -eq 0 ] || fail "settings on sim exited $status: $(cat err)"
rows=$(awk '$1 == NR - 1 && $3 ~ /^0x[0-9a-f][0-9a-f]$/ && $4 == "=" { n++ } END { print n + 0 }' out.txt)
[ "$rows" -eq 29 ] && [ "$(wc -l <out.txt)" -eq 29 ] ||
  fail "settings on sim printed $rows setting rows in $(wc -l <out.txt) lines, not 29"

# A dump on standard output keeps its own CR LF: a text-mode stdout must not double the CR.
"$wine" "$torvix" --device sim dump eeprom - >dump 2>err
status=$?
[ "$status" -eq 0 ] || fail "dump eeprom - on sim exited $status: $(cat err)"
crlf=$(grep -c "$(printf '\r')\$" dump)
[ "$crlf" -eq 73 ] && [ "$(wc -l <dump)" -eq 73 ] && ! grep -q "$(printf '\r\r')" dump ||
  fail "dump eeprom - gave $(wc -l <dump) lines, $crlf of them ending in CR LF, not 73"

unset QUORLINK_DEVICE
run settings
[ "$status" -eq 1 ] || fail "settings without a board exited $status, not 1"
grep -q "connection PC to USB-I2C board" err || fail "without a board it said: $(cat err)"

run buses
[ "$status" -eq 0 ] && grep -q "^No HID adapters (MCP2221, CP2112) are plugged in" err ||
  fail "buses with no HID adapter exited $status and said: $(cat out.txt err)"
run --device hid:mcp2221 settings
[ "$status" -eq 1 ] && grep -q "no MCP2221 is plugged in" err ||
  fail "hid:mcp2221 with none plugged in exited $status and said: $(cat err)"

[ "$failed" -eq 0 ] && echo "torvix.exe: 29 settings and a dump on sim, no board and no HID adapter reported"
exit "$failed"

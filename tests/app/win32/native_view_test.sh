#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Usage: native_view_test.sh on_sim|without_board WINE64 PROGRAM PROBE WORKDIR
#
# Torvix_Controller.exe under wine on a virtual screen of its own (Xvfb), driven with xdotool
# as a person would, and read with the window probe. What the program wrote to the camera is
# seen in the in-process camera's bus log (QUORLINK_SIM_LOG). The behaviour behind each act is
# tested on the window layer; these prove the native wiring.
set -u
case=$1 wine=$2 program=$3 probe=$4 work=$5
main=Torvix_Controller_r16

skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAIL: $*"; exit 1; }

command -v Xvfb >/dev/null && command -v xdotool >/dev/null ||
  skip "no X server for the native view: Xvfb or xdotool missing (scripts/deps.sh)"
rm -rf "$work" && mkdir -p "$work" || fail "cannot make $work"

# Xvfb picks a free display and writes its number to descriptor 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
program_pid=
server="${wine%64}server"
stop() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  "$server" -k 2>/dev/null
  kill "$xvfb" 2>/dev/null
}
trap stop EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || skip "no X server could start: $(tail -n 1 "$work/xvfb.log")"
export DISPLAY=":$(cat "$work/display")"

# A prefix of the view's own: wine's desktop process draws on the screen its server first saw,
# so the server starts here, on this screen, and ends with the test.
export WINEPREFIX="${WINEPREFIX:?}-view"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  WINEDLLOVERRIDES="mscoree,mshtml=" "$wine" wineboot --init >/dev/null 2>&1 ||
    fail "cannot prepare the wine prefix $WINEPREFIX"
fi

# The probe's console lines end in CR LF.
probe() {
  local out
  out=$("$wine" "$probe" "$@" 2>>"$work/probe.log") || return 1
  printf '%s\n' "${out//$'\r'/}"
}
start() {
  "$wine" "$program" >"$work/program.log" 2>&1 &
  program_pid=$!
}
# Esc ends the program: its window goes, and so does its process.
expect_escape_ends_it() {
  xdotool key Escape
  probe gone "$main" || fail "Esc left the window open"
  for _ in $(seq 50); do kill -0 "$program_pid" 2>/dev/null || return 0; sleep 0.2; done
  fail "the program did not end after Esc"
}

# The register writes of the camera's indirect protocol (00 30 R, then the value) to R.
writes() { grep -c " W 00 30 $1 status" "$work/bus.log" 2>/dev/null; }
# The act writes register R exactly once: the write arrives, and no second one follows.
expect_one_write() {
  local register=$1 before=$2 act=$3
  for _ in $(seq 50); do [ "$(writes "$register")" -gt "$before" ] && break; sleep 0.1; done
  sleep 1
  local now
  now=$(writes "$register")
  [ "$now" -eq $((before + 1)) ] || fail "$act: $((now - before)) writes of register 0x$register"
}
click() { xdotool mousemove $(probe centre "$main" "$1") click 1; }
# Tab visits the check boxes but neither radio button, whichever of them is checked.
expect_tab_skips_radios() {
  local tabs
  tabs=" $(probe tabs "$main")"
  [[ $tabs == *" 1002 "* ]] || fail "$1: Tab does not reach Mirror(H-flip): $tabs"
  [[ $tabs != *" 1030 "* && $tabs != *" 1031 "* ]] || fail "$1: Tab reaches a radio button"
}

on_sim() {
  export QUORLINK_DEVICE=sim QUORLINK_SIM_LOG="$work/bus.log"
  start
  probe wait "$main" >/dev/null || fail "no window captioned $main"
  local count
  count=$(probe controls "$main")
  [ "$count" = 86 ] || fail "86 controls expected, found $count"

  local before x y
  before=$(writes 57)
  read -r x y <<<"$(probe thumb "$main" 1004)"
  xdotool mousemove "$x" "$y" sleep 0.2 mousedown 1 sleep 0.2 mousemove $((x + 15)) "$y" \
    sleep 0.2 mousemove $((x + 30)) "$y" sleep 0.2 mouseup 1
  expect_one_write 57 "$before" "dragging the contrast slider and releasing it"

  # Two characters make a value: only the second one writes.
  before=$(writes 06)
  click 1010
  xdotool key End BackSpace BackSpace sleep 0.2 type --delay 150 31
  expect_one_write 06 "$before" "typing 31 into the AEX Reference Point edit"

  before=$(writes 60)
  click 1045
  xdotool sleep 0.3 key Up Return
  expect_one_write 60 "$before" "choosing COLOR on the DN Mode list"

  before=$(writes 55)
  click 1002
  expect_one_write 55 "$before" "clicking Mirror(H-flip)"

  expect_tab_skips_radios "after the camera was read"
  before=$(writes a0)
  click 1031
  expect_one_write a0 "$before" "clicking NTSC"
  expect_tab_skips_radios "after clicking NTSC"

  # The focus is on the check box: Enter goes to the hidden OK button, which does nothing.
  xdotool key Return sleep 1
  probe wait "$main" >/dev/null && kill -0 "$program_pid" 2>/dev/null || fail "Enter closed it"
  expect_escape_ends_it
}

without_board() {
  unset QUORLINK_DEVICE QUORLINK_SIM_LOG
  start
  local expected=(
    " error: no (correct)connection PC to USB-I2C board"
    " Check if board is connected to PC and/or verify driver"
    "Camera settings not correctly read, default values displayed"
    $'To enable I2C control\nClear \'OSD control usage\' checkbox\nand next re-power')
  local previous="" text n=0
  for want in "${expected[@]}"; do
    n=$((n + 1))
    # The box just answered may still be closing: wait for the next one's text.
    for _ in $(seq 20); do
      text=$(probe message Torvix_Controller) || fail "message box $n did not come"
      [ "$text" != "$previous" ] && break
      sleep 0.2
    done
    [ "$text" = "$want" ] || fail "message box $n says \"$text\", expected \"$want\""
    xdotool mousemove $(probe centre Torvix_Controller 1) click 1
    previous=$text
  done
  probe wait "$main" >/dev/null || fail "no window after the messages"
  [ "$(probe text "$main" 1049)" = XX ] || fail "the address edit does not show XX"
  xdotool mousemove $(probe centre "$main" 2)
  expect_escape_ends_it
}

"$case"
echo "PASS: $case"

#!/bin/sh
# SPDX-License-Identifier: MIT
# PID 1 of the kernel rig's virtual machine: loads the USB, HID and I2C modules, plugs in three
# adapter emulators side by side (i2c-tiny-usb on gadgetfs, MCP2221 and CP2112 on FunctionFS,
# each on a UDC of its own), runs the checks through each adapter's kernel driver, then through
# an MCP2221 and a CP2112 that hid-generic leaves to hidraw (the library's HID transport), and
# powers off. Each check prints one PASS: or FAIL: line, INFO: lines say what was seen, "checks done"
# closes the run. Everything runs on the one CPU, the emulators SCHED_FIFO ahead of their
# clients (see gadgetfs_device.h); the virtual board's answers (torvix --device sim) are made
# meanwhile.
export PATH=/bin HOME=/tmp XDG_RUNTIME_DIR=/tmp/run QT_QPA_PLATFORM=offscreen QT_PLUGIN_PATH=/qt
/bin/busybox --install -s /bin
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
mount -t tmpfs tmpfs /tmp
mkdir -m 700 /tmp/run
exec </dev/console >/dev/console 2>&1

pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; }
info() { echo "INFO: $*"; }
# check WHAT COMMAND...: passes when the command succeeds.
check() {
  what=$1
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}
finish() {
  dmesg | sed 's/^/dmesg: /'
  echo "checks done"
  poweroff -f
}
# within SECONDS COMMAND...: retries the command every 0.1 s until it succeeds.
within() {
  tries=$(($1 * 10))
  shift
  until "$@"; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    usleep 100000
  done
}
up() { cut -d' ' -f1 /proc/uptime; }
# The bus of an adapter whose name matches the pattern $1, other than the one named $2: its
# number in $bus, its name in $name.
find_adapter() {
  bus=""
  for folder in /sys/class/i2c-dev/i2c-*; do
    [ -e "$folder/name" ] && [ "$(cat "$folder/name")" != "$2" ] || continue
    case "$(cat "$folder/name")" in
      $1) bus=${folder##*/i2c-} name=$(cat "$folder/name") ;;
    esac
  done
  [ -n "$bus" ] && [ -c "/dev/i2c-$bus" ]
}
# plug_in PATTERN [OTHER_THAN] [SECONDS]: waits for the adapter's bus; the device setting that
# names it in $device (its path in $dump_device), its line of torvix buses in $listed.
plug_in() {
  if ! within "${3:-20}" find_adapter "$1" "${2:-}"; then
    fail "no adapter named like '$1' came up"
    cat /tmp/emulator-*.log
    finish
  fi
  device="i2c:$name" dump_device="i2c:/dev/i2c-$bus" listed="i2c-$bus	$name	may open"
  info "bus i2c-$bus, '$name', driver $(basename "$(readlink "/sys/class/i2c-dev/i2c-$bus/device/../driver")"), at $(up) s;" \
    "$(i2cdetect -F "$bus" | grep -E '^I2C +(yes|no)$' | tr -s ' ')"
}
# The bus log of the adapter in hand ($log) from line $1 on, without the times; the next
# line's number; whether the log holds $2 lines from line $1 on.
log_from() { tail -n +"$1" "$log" | sed 's/^ *[0-9.]* //'; }
log_end() { echo $(($(wc -l <"$log") + 1)); }
logged() { [ $(($(log_end) - $1)) -ge "$2" ]; }
# outcome FILE COMMAND...: the command's output, then its exit status, into FILE.
outcome() {
  file=$1
  shift
  "$@" >"$file" 2>&1
  echo "exit $?" >>"$file"
}
sim() { torvix --device sim "$@"; }
real() { torvix --device "$device" "$@"; }
same() { cmp -s "$1" "$2" || { diff "$1" "$2" | head -n 20; return 1; }; }
# FILE without its date line, in FILE.undated.
undated() { grep -v 'date:' "$1" >"$1.undated"; }
# The functions the adapter reports that it lacks, as i2cdetect -F names them.
lacks() { i2cdetect -F "$bus" | sed -n 's/  *no$//p' | tr '\n' ',' | sed 's/,$//'; }
# The error i2ctransfer reports for these messages, or "done".
transfer_errno() {
  i2ctransfer -y "$bus" "$@" >"/tmp/$driver.transfer" 2>&1 && echo done && return
  tail -n 1 "/tmp/$driver.transfer" | sed 's/.*: //'
}

# cost WHAT COMMAND...: runs the command on the adapter in hand and tells what it cost: its bus
# transactions, the USB transfers its emulator served, and the time, per register access (two
# transactions). Under TCG the guest's clock keeps pace with the host's.
cost() {
  what=$1
  shift
  served=$(cat "/tmp/count-$driver")
  first=$(log_end)
  started=$(up)
  "$@" >/dev/null 2>&1
  info "$(awk -v d="$driver" -v w="$what" -v t=$(($(log_end) - first)) \
    -v u=$(($(cat "/tmp/count-$driver") - served)) -v s="$started" -v e="$(up)" 'BEGIN {
      printf "%s: %s: %d bus transactions, %d USB transfers, %.2f s; ", d, w, t, u, e - s
      printf "a register access: %.1f USB transfers, %.1f ms\n", 2 * u / t, 2000 * (e - s) / t
    }')"
}
# --- the checks every adapter passes ($driver the adapter's, $device its setting, $log its
# bus log), each compared with the virtual board's
through() {
  torvix buses >"/tmp/$driver.buses"
  check "$driver: torvix buses lists the adapter: $listed" grep -qxF "$listed" "/tmp/$driver.buses"
  start=$(log_end)
  real settings >"/tmp/$driver.settings"
  log_from "$start" >"/tmp/$driver.settings.log"
  check "$driver: settings: the virtual board's 29" same /tmp/settings.sim "/tmp/$driver.settings"
  # A dump names an i2c bus by path: each of its handles is spared the look-up of the name.
  cost "dump eeprom" torvix --device "$dump_device" dump eeprom "/tmp/$driver.eeprom"
  undated "/tmp/$driver.eeprom"
  check "$driver: dump eeprom: the virtual board's" same /tmp/eeprom.sim.undated \
    "/tmp/$driver.eeprom.undated"
  start=$(log_end)
  real set --verify Contrast=0x40 >"/tmp/$driver.set" 2>&1
  status=$?
  check "$driver: set --verify Contrast=0x40 succeeds: $(cat "/tmp/$driver.set")" [ $status = 0 ]
  log_from "$start" >"/tmp/$driver.set.log"
  check "$driver: set --verify: the virtual board's transfers" \
    same /tmp/set.sim.log "/tmp/$driver.set.log"
  real set Contrast=0x3c >/dev/null  # the factory's value again, for what follows
  outcome "/tmp/$driver.nack" real --address 0x72 get Contrast
  check "$driver: a silent address: the NACK words of the virtual board" \
    same /tmp/nack.sim "/tmp/$driver.nack"
  value=$(real scan)
  check "$driver: torvix scan finds the camera at 0x70 among NACKs from the driver: $value" \
    [ "$value" = 0x70 ]
}
# unplugged EMULATOR: the adapter unplugged while its driver (or the library, through hidraw)
# waits for a transfer's answer: torvix says the adapter is gone, whatever errno it got.
unplugged() {
  kill -USR2 "$1"
  outcome "/tmp/$driver.unplugged" timeout -s KILL 30 torvix --device "$device" get Contrast
  info "$driver: unplugged during a transfer at $(up) s: $(tr '\n' ' ' <"/tmp/$driver.unplugged")"
  check "$driver: unplugged: exit 1, not a hang" \
    [ "$(tail -n 1 "/tmp/$driver.unplugged")" = "exit 1" ]
  check "$driver: unplugged: the board failed the write, as for ENODEV" \
    [ "$(head -n 1 "/tmp/$driver.unplugged")" = USB_WRITE_ERROR ]
  check "$driver: unplugged: the gone words" \
    grep -qF "Error: the adapter is gone: unplugged? ($device)" "/tmp/$driver.unplugged"
  [ "${device#hid:}" = "$device" ] || return 0
  check "$driver: unplugged: the bus's node is gone" within 2 sh -c "[ ! -e /dev/i2c-$bus ]"
  outcome "/tmp/$driver.reopened" torvix --device "$dump_device" get Contrast
  reopened=$(head -n 1 "/tmp/$driver.reopened")
  check "$driver: unplugged: a bus that no longer opens is told as gone: $reopened" \
    grep -qF "no such i2c bus /dev/i2c-$bus (its adapter is gone or not plugged in;" \
    "/tmp/$driver.reopened"
}
references_made() { within 300 [ -e /tmp/references.done ]; }
# driver_has_it CHIP: the HID transport leaves a chip its kernel driver has to that driver, and
# names the bus the driver made.
driver_has_it() {
  outcome "/tmp/$driver.hid" torvix --device "hid:$1" get Contrast
  info "$driver: hid:$1 while its kernel driver has it: $(tr '\n' ' ' <"/tmp/$driver.hid")"
  check "hid:$1 while its kernel driver has it: exit 1, the bus to use (i2c:$bus)" sh -c \
    "tail -n 1 /tmp/$driver.hid | grep -qx 'exit 1' && grep -qF 'use its bus, i2c:$bus,' /tmp/$driver.hid"
}
# differs LACKS SILENT MANY LENGTH LONG: what the adapter's driver does where the drivers differ:
# the functions it reports it lacks, what i2ctransfer says (its errno, or "done") for a silent
# address, for more than a write and a read in one transfer, and for a write of LENGTH bytes.
# A read longer than a HID report all take.
differs() {
  check "$driver: lacks only: $(lacks)" [ "$(lacks)" = "$1" ]
  check "$driver: a silent address: $2" [ "$(transfer_errno w1@0x39 0x00)" = "$2" ]
  check "$driver: two writes and a read in one transfer: $3" \
    [ "$(transfer_errno w1@0x50 0x00 w1@0x50 0x00 r1@0x50)" = "$3" ]
  check "$driver: a write of $4 bytes: $5" [ "$(transfer_errno "w$4@0x50" 0x00+)" = "$5" ]
  check "$driver: a read of 64 bytes: done" [ "$(transfer_errno r64@0x50)" = done ]
}

# --- each adapter's checks
# hid-mcp2221 reads its chip while it starts, and the HID core drops every answer until it has:
# its bus is there for some 25 s before a transfer can work. A command meanwhile says so.
mcp2221_starting() {
  driver=mcp2221
  plug_in "MCP2221*" "" 30
  outcome /tmp/mcp2221.starting torvix --device "i2c:$name" get Contrast
  info "mcp2221: a command while the driver starts, at $(up) s:" \
    "$(tr '\n' ' ' </tmp/mcp2221.starting)"
  check "mcp2221: while the driver starts: exit 1" \
    [ "$(tail -n 1 /tmp/mcp2221.starting)" = "exit 1" ]
  check "mcp2221: while the driver starts: the starting words" \
    grep -qF "is still starting: its driver has not finished setting it up" /tmp/mcp2221.starting
  check "mcp2221: while the driver starts: torvix buses says so" \
    sh -c "torvix buses | grep -qF 'i2c-$bus	$name	still starting'"
  # What a transfer meanwhile meets depends on where the driver's start is (a question of it
  # waiting out its 4 s, or between two): a time-out, or done. Told, not checked.
  info "mcp2221: while the driver starts, a transfer: $(transfer_errno w1@0x50 0x00), at $(up) s"
  # It has started once it has added its GPIO chip, the last thing it does.
  within 40 sh -c "ls /sys/class/i2c-dev/i2c-$bus/device/.. | grep -q gpiochip"
  info "mcp2221: started by $(up) s"
}

mcp2221_checks() {
  driver=mcp2221 log=/tmp/bus-mcp2221.log
  plug_in "MCP2221*"
  references_made
  through
  # Data go in pieces of 60 bytes; ENXIO, EOPNOTSUPP.
  differs "SMBus PEC" "No such device or address" "Operation not supported" 64 done
  driver_has_it mcp2221
  # The driver waits 4 s for the answer that never comes: ETIMEDOUT, and the node is gone.
  unplugged "$mcp2221"
}

cp2112_checks() {
  driver=cp2112 log=/tmp/bus-cp2112.log
  plug_in "CP2112*"
  references_made
  through
  # ETIMEDOUT, EOPNOTSUPP, EINVAL.
  differs "SMBus quick command,SMBus PEC" "Connection timed out" "Operation not supported" 62 \
    "Invalid argument"
  driver_has_it cp2112
  # The driver's next request to the chip fails: ENODEV.
  unplugged "$cp2112"
  said=$(dmesg | grep -E 'cp2112 .*: Error ' | tail -n 1)
  check "cp2112: unplugged: the driver's ENODEV: $said" sh -c "echo '$said' | grep -q ': -19$'"
}

# hidraw_checks CHIP UDC SERIAL VID:PID: the same chip again, with no kernel driver of its own (while
# the HID core ignores the special drivers, hid-generic takes it and makes its hidraw node), so
# the library speaks the chip's reports itself: the checks every adapter passes, and unplugged.
hidraw_checks() {
  driver=hidraw-$1 log=/tmp/bus-hidraw-$1.log device="hid:$1" dump_device="hid:$1"
  listed="hid:$1/$3	may open"
  hid_adapter "$1" "$2" "$driver" "$3"
  emulator=$!
  if ! within 20 sh -c "ls /sys/bus/hid/drivers/hid-generic | grep -q ':$4\.'"; then
    fail "no hidraw node for the $1 came up"
    cat "/tmp/emulator-$driver.log"
    return
  fi
  info "$driver: $(ls /sys/bus/hid/drivers/hid-generic | grep -c :) device(s) on hid-generic, at $(up) s"
  through
  unplugged "$emulator"
  outcome "/tmp/$driver.reopened" torvix --device "$device" get Contrast
  check "$driver: unplugged: the next run finds none: $(head -n 1 "/tmp/$driver.reopened")" \
    grep -qF "no $(echo "$1" | tr a-z A-Z) is plugged in" "/tmp/$driver.reopened"
}

tiny_usb_checks() {
  driver=i2c-tiny-usb log=/tmp/bus-tiny-usb.log
  plug_in "i2c-tiny-usb*"
  references_made
  through
  differs "SMBus block read,SMBus block process call,SMBus PEC" "No such device or address" \
    done 64 done
  # The longest run of transfers, through one adapter: this one, with no HID adapter plugged in.
  cost "dump dsp" torvix --device "i2c:/dev/i2c-$bus" dump dsp /tmp/dsp.real
  check "i2c-tiny-usb: dump dsp: the virtual board's" same /tmp/dsp.sim /tmp/dsp.real

  # Clients that are not ours agree with ours.
  i2cdetect -y "$bus" >/tmp/detect
  found=$(sed -n 's/^[0-7]0://p' /tmp/detect | tr ' ' '\n' | grep -E '^[0-9a-f]{2}$' | tr '\n' ' ')
  check "i2c-tiny-usb: i2cdetect shows the camera (38) and the other device (50) only: $found" \
    [ "$found" = "38 50 " ]
  value=$(i2ctransfer -y "$bus" w3@0x38 0x01 0x30 0x57 && i2ctransfer -y "$bus" r1@0x38)
  check "i2c-tiny-usb: i2ctransfer reads Contrast through the camera's request and read: $value" \
    [ "$value" = 0x3c ]

  # Another program holds the bus lock: torvix gives up after 2 s, while it is still held.
  flock "/dev/i2c-$bus" sleep 4 &
  holder=$!
  within 2 sh -c "! flock -n /dev/i2c-$bus true"
  started=$(up)
  outcome /tmp/locked timeout -s KILL 10 torvix --device "i2c:$name" get Contrast
  check "a held bus lock: torvix ends before the holder lets go" kill -0 $holder
  check "a held bus lock: exit 1" [ "$(tail -n 1 /tmp/locked)" = "exit 1" ]
  check "a held bus lock: the busy words" \
    grep -q "is busy: another program has held it for more than 2 s" /tmp/locked
  info "a held bus lock, from $started to $(up) s: $(tr '\n' ' ' </tmp/locked)"
  wait $holder

  # The window, started on the bus (--device), reads the camera as torvix does.
  if [ ! -x /bin/Torvix_Controller ]; then
    info "no window in this build"
  else
    start=$(log_end)
    Torvix_Controller --device "i2c:$name" >/tmp/window.out 2>&1 &
    window=$!
    within 30 logged "$start" "$(wc -l </tmp/i2c-tiny-usb.settings.log)"
    log_from "$start" >/tmp/window.log
    kill $window
    check "Torvix_Controller on the bus reads the 29 settings with torvix's transfers" \
      same /tmp/i2c-tiny-usb.settings.log /tmp/window.log
    info "the window at $(up) s: $(tr '\n' ' ' </tmp/window.out)"
  fi

  check "i2c-tiny-usb: the emulator read every message the driver sent" \
    sh -c "! grep -q 'lost the data' /tmp/emulator-tiny-usb.log"

  # Plugged in again, reporting SMBus calls only: the SMBus fall-back reads the same. The
  # host's port is switched off and on: the UDC's soft_connect would not bring it back (below).
  kill -USR1 "$tiny_usb"
  port=/sys/bus/usb/devices/1-0:1.0/usb1-port1/disable
  echo 1 >$port && echo 0 >$port
  plug_in "i2c-tiny-usb*" "$name"
  check "i2c-tiny-usb: the adapter reports no plain I2C" \
    sh -c "i2cdetect -F $bus | grep -qE '^I2C +no'"
  start=$(log_end)
  real settings >/tmp/settings.smbus
  log_from "$start" >/tmp/smbus.log
  check "SMBus calls: the virtual board's 29 settings" same /tmp/settings.sim /tmp/settings.smbus
  check "SMBus calls: the same transfers as plain I2C" \
    same /tmp/i2c-tiny-usb.settings.log /tmp/smbus.log

  # Unplugged while the driver waits for a message's request: i2c-tiny-usb fails the transfer
  # with EIO and removes the bus's node. Last for gadgetfs: on this kernel it answers no
  # enumeration after the UDC's soft_connect took it away once.
  unplugged "$tiny_usb"
  check "i2c-tiny-usb: unplugged: the driver's EIO" \
    sh -c "dmesg | grep -qE 'i2c-$bus: failure (writing data|reading status)'"
  info "i2c-tiny-usb: the driver said:" \
    "$(dmesg | grep -E 'i2c i2c-[0-9]+: ' | tail -n 2 | tr '\n' ' ')"
}

echo "kernel $(uname -r), up $(up) s"
for module in $(cat /lib/modules/order); do
  options=""
  [ "$module" != dummy_hcd.ko ] || options=num=5  # a UDC for each adapter, and the hidraw runs
  insmod "/lib/modules/$module" $options || { fail "insmod $module"; finish; }
done
mkdir /dev/gadget
mount -t gadgetfs gadgetfs /dev/gadget || { fail "mount gadgetfs"; finish; }
mount -t configfs configfs /sys/kernel/config || { fail "mount configfs"; finish; }
# gadgetfs takes the first free UDC, dummy_udc.0.
adapter-emulator --endpoint0 /dev/gadget/dummy_udc \
  --unplug /sys/class/udc/dummy_udc.0/soft_connect --device 0xa0 --log /tmp/bus-tiny-usb.log \
  --count /tmp/count-i2c-tiny-usb 2>/tmp/emulator-tiny-usb.log &
tiny_usb=$!
# hid_adapter CHIP UDC [GADGET] [SERIAL]: a configfs gadget (named after the chip) with one
# FunctionFS function, its emulator on it.
hid_adapter() {
  gname=${3:-$1}
  gadget=/sys/kernel/config/usb_gadget/$gname
  mkdir -p "$gadget/strings/0x409" "$gadget/functions/ffs.$gname" "$gadget/configs/c.1" \
    "/dev/ffs-$gname"
  [ -z "${4:-}" ] || echo "$4" >"$gadget/strings/0x409/serialnumber"
  ln -s "$gadget/functions/ffs.$gname" "$gadget/configs/c.1/"
  mount -t functionfs "$gname" "/dev/ffs-$gname" || { fail "mount functionfs $gname"; finish; }
  adapter-emulator --chip "$1" --functionfs "/dev/ffs-$gname" --gadget "$gadget" --udc "$2" \
    --device 0xa0 --log "/tmp/bus-$gname.log" --count "/tmp/count-$gname" \
    2>"/tmp/emulator-$gname.log" &
}
# The virtual board's answers, made while the kernel's buses are busy.
(
  sim settings >/tmp/settings.sim
  sim dump dsp /tmp/dsp.sim
  sim dump eeprom /tmp/eeprom.sim
  undated /tmp/eeprom.sim
  QUORLINK_SIM_LOG=/tmp/set.sim sim set --verify Contrast=0x40
  sed 's/^ *[0-9.]* //' /tmp/set.sim >/tmp/set.sim.log
  outcome /tmp/nack.sim sim --address 0x72 get Contrast
  touch /tmp/references.done
) >/tmp/references.out 2>&1 &

# One adapter after another, each HID adapter plugged in only for its own checks: while one
# is, usbhid keeps a transfer queued on its interrupt endpoint, and dummy_hcd's timer then runs
# every 125 us, which costs TCG about half the host's time (a wait without it costs nothing).
hid_adapter mcp2221 dummy_udc.1
mcp2221=$!
mcp2221_starting
mcp2221_checks
hid_adapter cp2112 dummy_udc.2
cp2112=$!
cp2112_checks
# From here on hid-generic takes every HID device, the bridge chips too.
echo 1 >/sys/module/hid/parameters/ignore_special_drivers
hidraw_checks mcp2221 dummy_udc.3 MCPH1 04D8:00DD
hidraw_checks cp2112 dummy_udc.4 CPH2 10C4:EA90
tiny_usb_checks

for chip in tiny-usb mcp2221 cp2112 hidraw-mcp2221 hidraw-cp2112; do
  info "emulator $chip: $(tr '\n' ' ' <"/tmp/emulator-$chip.log")"
done
info "done at $(up) s"
finish

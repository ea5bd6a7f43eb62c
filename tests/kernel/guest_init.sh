#!/bin/sh
# SPDX-License-Identifier: MIT
# PID 1 of the kernel rig's virtual machine: loads the USB and I2C modules, plugs in the adapter
# emulator, runs the checks through the kernel's i2c-dev bus and powers off. Each check prints
# one PASS: or FAIL: line, INFO: lines say what was seen, "checks done" closes the run.
# Everything runs on the one CPU, the emulator SCHED_FIFO ahead of its clients (see
# gadgetfs_device.h); the virtual board's answers (torvix --device sim) are made meanwhile.
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
# An i2c-tiny-usb adapter's bus other than $1: its number in $bus, its name in $name.
find_adapter() {
  for folder in /sys/class/i2c-dev/i2c-*; do
    [ -e "$folder/name" ] && [ "$(cat "$folder/name")" != "$1" ] || continue
    case "$(cat "$folder/name")" in
      i2c-tiny-usb*) bus=${folder##*/i2c-} name=$(cat "$folder/name") ;;
    esac
  done
  [ -n "$bus" ] && [ -c "/dev/i2c-$bus" ]
}
plug_in() {
  bus=""
  if ! within 20 find_adapter "$1"; then
    fail "no i2c-tiny-usb adapter came up"
    cat /tmp/emulator.log
    finish
  fi
  info "bus i2c-$bus, '$name', at $(up) s;" \
    "$(i2cdetect -F "$bus" | grep -E '^I2C +(yes|no)$' | tr -s ' ')"
}
# The bus log from line $1 on, without the times; the next line's number; whether the log
# holds $2 lines from line $1 on.
log_from() { tail -n +"$1" /tmp/bus.log | sed 's/^ *[0-9.]* //'; }
log_end() { echo $(($(wc -l </tmp/bus.log) + 1)); }
logged() { [ $(($(log_end) - $1)) -ge "$2" ]; }
# outcome FILE COMMAND...: the command's output, then its exit status, into FILE.
outcome() {
  file=$1
  shift
  "$@" >"$file" 2>&1
  echo "exit $?" >>"$file"
}
sim() { torvix --device sim "$@"; }
real() { torvix --device "i2c:$name" "$@"; }
same() { cmp -s "$1" "$2" || { diff "$1" "$2" | head -n 20; return 1; }; }
# FILE without its date line, in FILE.undated.
undated() { grep -v 'date:' "$1" >"$1.undated"; }

echo "kernel $(uname -r), up $(up) s"
for module in $(cat /lib/modules/order); do
  insmod "/lib/modules/$module" || { fail "insmod $module"; finish; }
done
mkdir /dev/gadget
mount -t gadgetfs gadgetfs /dev/gadget || { fail "mount gadgetfs"; finish; }
udc=/sys/class/udc/dummy_udc.0
adapter-emulator --endpoint0 /dev/gadget/dummy_udc --unplug $udc/soft_connect --device 0xa0 \
  --log /tmp/bus.log 2>/tmp/emulator.log &
emulator=$!
plug_in ""

# The virtual board's answers, made while the kernel's bus is busy.
(
  sim settings >/tmp/settings.sim
  sim dump dsp /tmp/dsp.sim
  sim dump eeprom /tmp/eeprom.sim
  QUORLINK_SIM_LOG=/tmp/set.sim sim set --verify Contrast=0x40
  outcome /tmp/nack.sim sim --address 0x72 get Contrast
) >/tmp/references.out 2>&1 &
references=$!

# --- torvix on the bus of the adapter's kernel name: the same camera as the virtual board's
torvix buses >/tmp/buses
check "torvix buses lists the adapter" grep -qx "i2c-$bus	$name	may open" /tmp/buses
start=$(log_end)
real settings >/tmp/settings.real
log_from "$start" >/tmp/settings.log
# The dumps name the bus by path: they are the longest part of the run, and a path spares
# each of their 6144 handles the look-up of the adapter's name.
torvix --device "i2c:/dev/i2c-$bus" dump dsp /tmp/dsp.real >/dev/null 2>&1
torvix --device "i2c:/dev/i2c-$bus" dump eeprom /tmp/eeprom.real >/dev/null 2>&1
start=$(log_end)
real set --verify Contrast=0x40 >/tmp/set.out 2>&1
check "set --verify Contrast=0x40 succeeds: $(cat /tmp/set.out)" [ $? = 0 ]
log_from "$start" >/tmp/set.real
outcome /tmp/nack.real real --address 0x72 get Contrast
wait $references
check "settings: the virtual board's 29" same /tmp/settings.sim /tmp/settings.real
check "dump dsp: the virtual board's" same /tmp/dsp.sim /tmp/dsp.real
undated /tmp/eeprom.sim
undated /tmp/eeprom.real
check "dump eeprom: the virtual board's" same /tmp/eeprom.sim.undated /tmp/eeprom.real.undated
sed 's/^ *[0-9.]* //' /tmp/set.sim >/tmp/set.sim.log
check "set --verify: the virtual board's transfers" same /tmp/set.sim.log /tmp/set.real
check "a silent address: the NACK words of the virtual board" same /tmp/nack.sim /tmp/nack.real

# --- clients that are not ours agree with ours
i2cdetect -y "$bus" >/tmp/detect
found=$(sed -n 's/^[0-7]0://p' /tmp/detect | tr ' ' '\n' | grep -E '^[0-9a-f]{2}$' | tr '\n' ' ')
check "i2cdetect shows the camera (38) and the other device (50), nothing else: $found" \
  [ "$found" = "38 50 " ]
value=$(i2ctransfer -y "$bus" w3@0x38 0x01 0x30 0x57 && i2ctransfer -y "$bus" r1@0x38)
check "i2ctransfer reads Contrast through the camera's request and read: $value" \
  [ "$value" = 0x40 ]
real set Contrast=0x3c >/dev/null  # the factory's value again, for the comparisons below
value=$(real scan)
check "torvix scan finds the camera at 0x70 among NACKs from the real driver: $value" \
  [ "$value" = 0x70 ]

# --- another program holds the bus lock: torvix gives up after 2 s, while it is still held
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

# --- the window, started on the bus, reads the camera as torvix does
if [ ! -x /bin/Torvix_Controller ]; then
  info "no window in this build"
else
  start=$(log_end)
  QUORLINK_DEVICE="i2c:$name" Torvix_Controller >/tmp/window.out 2>&1 &
  window=$!
  within 30 logged "$start" "$(wc -l </tmp/settings.log)"
  log_from "$start" >/tmp/window.log
  kill $window
  check "Torvix_Controller on the bus reads the 29 settings with torvix's transfers" \
    same /tmp/settings.log /tmp/window.log
  info "the window at $(up) s: $(tr '\n' ' ' </tmp/window.out)"
fi

check "the emulator read every message the driver sent" \
  sh -c "! grep -q 'lost the data' /tmp/emulator.log"

# --- plugged in again, reporting SMBus calls only: the SMBus fall-back reads the same. The
# host's port is switched off and on: the UDC's soft_connect would not bring it back (below).
kill -USR1 $emulator
port=/sys/bus/usb/devices/1-0:1.0/usb1-port1/disable
echo 1 >$port && echo 0 >$port
plug_in "$name"
check "the adapter reports no plain I2C" sh -c "i2cdetect -F $bus | grep -qE '^I2C +no'"
start=$(log_end)
real settings >/tmp/settings.smbus
log_from "$start" >/tmp/smbus.log
check "SMBus calls: the virtual board's 29 settings" same /tmp/settings.sim /tmp/settings.smbus
check "SMBus calls: the same transfers as plain I2C" same /tmp/settings.log /tmp/smbus.log

# --- the adapter unplugged while the driver waits for a message's request: i2c-tiny-usb
# fails the transfer with EIO and removes the bus's node. Last: on this kernel gadgetfs
# answers no enumeration after the UDC's soft_connect took it away once.
kill -USR2 $emulator
outcome /tmp/unplugged timeout -s KILL 30 torvix --device "i2c:$name" get Contrast
info "unplugged during a transfer at $(up) s: $(tr '\n' ' ' </tmp/unplugged)"
check "unplugged: exit 1, not a hang" [ "$(tail -n 1 /tmp/unplugged)" = "exit 1" ]
check "unplugged: the driver's EIO" \
  sh -c "dmesg | grep -qE 'i2c-$bus: failure (writing data|reading status)'"
check "unplugged: the board failed the write, as for ENODEV" \
  [ "$(head -n 1 /tmp/unplugged)" = USB_WRITE_ERROR ]
check "unplugged: the gone words" grep -qF "Error: the adapter is gone: unplugged? (i2c:$name)" \
  /tmp/unplugged
check "unplugged: the bus's node is gone" within 2 sh -c "[ ! -e /dev/i2c-$bus ]"
outcome /tmp/reopened torvix --device "i2c:/dev/i2c-$bus" get Contrast
check "unplugged: a bus that no longer opens is told as gone: $(head -n 1 /tmp/reopened)" \
  grep -qF "no such i2c bus /dev/i2c-$bus (its adapter is gone or not plugged in;" /tmp/reopened
info "the driver said: $(dmesg | grep -E 'i2c i2c-[0-9]+: ' | tail -n 2 | tr '\n' ' ')"

info "emulator: $(tr '\n' ' ' </tmp/emulator.log)"
info "done at $(up) s"
finish

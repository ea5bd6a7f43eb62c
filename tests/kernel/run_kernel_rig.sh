#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The kernel rig: boots Debian 12's own kernel under QEMU with torvix and the adapter emulator
# in its initramfs, runs the checks of guest_init.sh inside, and judges what the console says.
#
#   run_kernel_rig.sh --work DIR --torvix PATH --emulator PATH [--window PATH]
#
# The kernel is the package linux-image-amd64 depends on, fetched with apt-get download and
# unpacked once into $XDG_CACHE_HOME/torvix-kernel (~/.cache/torvix-kernel). TORVIX_KERNEL_ACCEL=kvm
# boots with KVM where it works; the default is TCG, which works everywhere.
# Exit: 0 every check passed, 1 a check failed or the kernel reported a BUG or WARNING,
# 77 skipped (one line says why: no qemu, no kernel package).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

skip() { echo "kernel rig skipped: $*"; exit 77; }
fail() { echo "kernel rig: $*" >&2; exit 1; }

work="" torvix="" emulator="" window=""
while [ $# -gt 0 ]; do
  case "$1" in
    --work) work=$2 ;;
    --torvix) torvix=$2 ;;
    --emulator) emulator=$2 ;;
    --window) window=$2 ;;
    *) fail "unknown option $1" ;;
  esac
  shift 2
done
[ -n "$work" ] && [ -x "$torvix" ] && [ -x "$emulator" ] ||
  fail "needs --work, --torvix, --emulator"

qemu=$(command -v qemu-system-x86_64) ||
  skip "no qemu-system-x86_64 (scripts/deps.sh installs qemu-system-x86)"
busybox=$(command -v busybox) || skip "no busybox (scripts/deps.sh installs busybox-static)"
flock=$(command -v flock) || skip "no flock (util-linux)"

# --- the kernel package, cached outside the tree
cache="${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/torvix-kernel"
mkdir -p "$cache"
# Which package linux-image-amd64 names, asked of apt once a day (apt-cache can take seconds).
if [ -z "$(find "$cache/current" -mmin -1440 2>/dev/null)" ]; then
  named=$(apt-cache depends linux-image-amd64 2>/dev/null |
          awk '/Depends: linux-image-/ {print $2; exit}' || true)
  [ -z "$named" ] || echo "$named" >"$cache/current"
fi
package=$(cat "$cache/current" 2>/dev/null || true)
if [ -n "$package" ] && [ ! -d "$cache/$package/boot" ]; then
  # In a folder of this run's own, then moved into place whole: runs may overlap.
  fetch=$(mktemp -d "$cache/fetch.XXXXXX")
  if (cd "$fetch" && apt-get download "$package") >"$cache/download.log" 2>&1 &&
     dpkg-deb -x "$fetch/$package"_*.deb "$fetch/root"; then
    mv -T "$fetch/root" "$cache/$package" 2>/dev/null || true
    # The kernels it replaces are 400 MB each.
    find "$cache" -maxdepth 1 -name 'linux-image-*' ! -name "$package" -exec rm -rf {} +
  fi
  rm -rf "$fetch"
fi
if [ -z "$package" ] || [ ! -d "$cache/$package/boot" ]; then
  # Offline, an earlier download still serves.
  package=$(cd "$cache" && ls -d linux-image-*/boot 2>/dev/null | sort -V | tail -n 1 |
            cut -d/ -f1 || true)
  [ -n "$package" ] || skip "no Debian kernel package: apt-get download of linux-image-amd64's" \
    "kernel failed (apt-get update? see $cache/download.log)"
fi
kroot="$cache/$package"
kver=$(ls "$kroot/lib/modules")
modules="$kroot/lib/modules/$kver"

# The uncompressed kernel, booted through its PVH entry: TCG then skips the decompressor.
vmlinux="$kroot/vmlinux"
if [ ! -s "$vmlinux" ]; then
  vmlinuz="$kroot/boot/vmlinuz-$kver"
  offset=$(LC_ALL=C grep -obUaP '\xfd7zXZ\x00' "$vmlinuz" | head -n 1 | cut -d: -f1)
  tail -c +$((offset + 1)) "$vmlinuz" | xz -dc --single-stream >"$vmlinux.$$" 2>/dev/null || true
  [ -s "$vmlinux.$$" ] || fail "cannot unpack the kernel from vmlinuz-$kver"
  mv "$vmlinux.$$" "$vmlinux"
fi

# --- the initramfs
image="$work/image"
rm -rf "$image"
mkdir -p "$image"/{bin,lib/x86_64-linux-gnu,lib64,lib/modules,proc,sys,dev,tmp,qt}

# A program and every library it loads, the project's own without debug information; the
# libraries go where the loader looks by default.
add_program() {
  add_file "$1" "$image/bin"
  add_libraries "$1"
}
add_libraries() {
  local library
  for library in $(ldd "$1" 2>/dev/null | awk '$2 == "=>" && $3 ~ /^\// {print $3}'); do
    [ -e "$image/lib/x86_64-linux-gnu/$(basename "$library")" ] ||
      add_file "$library" "$image/lib/x86_64-linux-gnu"
  done
  if ldd "$1" 2>/dev/null | grep -q ld-linux-x86-64; then
    cp -Ln /lib64/ld-linux-x86-64.so.2 "$image/lib64/"
  fi
}
add_file() {
  cp -L "$1" "$2/"
  case "$1" in
    /usr/* | /lib/* | /lib64/*) ;;
    *) strip --strip-debug "$2/$(basename "$1")" ;;
  esac
}

add_program "$busybox"
ln -s busybox "$image/bin/sh"  # the guest links the other applets
add_program "$flock"
add_program "$torvix"
add_program "$emulator"
if [ -n "$window" ]; then
  add_program "$window"
  qt_platforms=/usr/lib/x86_64-linux-gnu/qt6/plugins/platforms
  mkdir -p "$image/qt/platforms"
  cp -L "$qt_platforms/libqoffscreen.so" "$image/qt/platforms/"
  add_libraries "$qt_platforms/libqoffscreen.so"
fi
install -m 755 "$here/guest_init.sh" "$image/init"

# The modules, each after the ones it depends on (the package carries no modules.dep: each
# module names its own in its .modinfo).
declare -A added=()
add_module() {
  local name=$1 file dependency
  [ -z "${added[$name]:-}" ] || return 0
  added[$name]=1
  file=$(find "$modules/kernel" -name "$name.ko" -print -quit)
  [ -n "$file" ] || fail "$package has no module $name"
  for dependency in $(tr '\0' '\n' <"$file" | sed -n 's/^depends=//p' | tr ',' ' '); do
    add_module "$dependency"
  done
  cp "$file" "$image/lib/modules/"
  echo "$name.ko" >>"$image/lib/modules/order"
}
for module in i2c-dev i2c-tiny-usb dummy_hcd gadgetfs usb_f_fs usbhid hid-generic hid-mcp2221 \
              hid-cp2112; do
  add_module "$module"
done

initramfs="$work/initramfs.cpio"
(cd "$image" && find . | "$busybox" cpio -o -H newc -R 0:0 2>/dev/null) >"$initramfs"

# --- the boot
# Under TCG the guest's clock counts instructions, leaps over the time the guest sits idle
# (sleep=off) and keeps pace with the host's (shift=auto): a busy host slows the guest's clock
# with it, so the checks' own limits keep their meaning. The kernel's speculation mitigations
# only cost time here. Without CMPXCHG16B: QEMU 7.2's TCG now and then leaves garbage in EFLAGS
# after it, which the kernel's slab allocator runs into under the HID adapters' interrupt load
# (a debug trap, a double fault, a jump to 0).
accel=(-accel tcg -cpu max,cx16=off -icount shift=auto,sleep=off)
[ "${TORVIX_KERNEL_ACCEL:-tcg}" = kvm ] && accel=(-accel kvm -cpu host)
console="$work/console.log"
started=${EPOCHREALTIME/./}
set +e
timeout -k 5 330 "$qemu" "${accel[@]}" -m 768 -smp 1 -nodefaults -nographic -no-reboot \
  -serial stdio -monitor none -kernel "$vmlinux" -initrd "$initramfs" \
  -append "console=ttyS0 panic=-1 oops=panic quiet loglevel=4 mitigations=off rdinit=/init" \
  </dev/null | tr -d '\r' >"$console"
qemu_status=${PIPESTATUS[0]}
set -e
milliseconds=$(( (${EPOCHREALTIME/./} - started) / 1000 ))

grep -aE '^(PASS|FAIL|INFO):' "$console" || true
echo "kernel rig: $kver, $(du -m "$initramfs" | cut -f1) MiB initramfs," \
  "$((milliseconds / 1000)).$((milliseconds % 1000 / 100)) s in qemu (${accel[1]})"
echo "kernel rig: $(grep -ac '^PASS:' "$console") passed, $(grep -ac '^FAIL:' "$console") failed," \
  "through the drivers" $(grep -ao "^INFO: bus .*, driver [^,]*" "$console" | sed 's/.* //' |
                          sort -u)
if grep -anE 'BUG:|WARNING:|Oops|Kernel panic|Call Trace' "$console"; then
  fail "the kernel reported a fault (console: $console)"
fi
[ "$qemu_status" -ne 124 ] || fail "timed out (console: $console)"
if ! grep -aq '^checks done' "$console"; then
  tail -n 40 "$console"
  fail "the checks did not finish (console: $console)"
fi
if grep -aq '^FAIL:' "$console"; then
  fail "a check failed (console: $console)"
fi

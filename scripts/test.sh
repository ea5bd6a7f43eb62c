#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up, builds and runs the tests, installing first the Debian packages its passes need
# (scripts/deps.sh).
#
#   ./scripts/test.sh --quick   # after each edit: the default build and every test that needs
#                               # neither QEMU, wine, packaging nor a sanitizer build
#   ./scripts/test.sh           # before a change goes out (the README's test command): the three
#                               # passes below, in this order
#   ./scripts/test.sh default   # the default build and its whole suite, kernel rig and packages
#                               # included
#   ./scripts/test.sh asan      # the whole suite again under AddressSanitizer and
#                               # UndefinedBehaviorSanitizer, halting on the first report
#   ./scripts/test.sh windows   # the Windows cross-builds and their tests under wine
#
# TORVIX_ASAN=0 leaves the sanitizer pass out of the full run, TORVIX_WINDOWS=0 the Windows one.
set -euo pipefail
cd "$(dirname "$0")/.."

passes=("$@")
if [ ${#passes[@]} -eq 0 ]; then
  passes=(default)
  [ "${TORVIX_ASAN:-1}" != 0 ] && passes+=(asan)
  [ "${TORVIX_WINDOWS:-1}" != 0 ] && passes+=(windows)
fi

groups=()
for pass in "${passes[@]}"; do
  case "$pass" in
    --quick | asan) groups+=(test) ;;
    default) groups+=(test kernel package) ;;
    windows) groups+=(windows package) ;;
    *)
      echo "test.sh: no pass '$pass' (--quick, default, asan, windows)" >&2
      exit 2
      ;;
  esac
done
./scripts/deps.sh "${groups[@]}"

for pass in "${passes[@]}"; do
  case "$pass" in
    --quick)
      cmake --preset default
      cmake --build --preset default
      ctest --preset quick
      ;;
    default | asan)
      cmake --preset "$pass"
      cmake --build --preset "$pass"
      ctest --preset "$pass"
      ;;
    windows) ./scripts/test-windows.sh ;;
  esac
done

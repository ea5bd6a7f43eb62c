#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up, builds and runs every test (the README's test command): the suite, then the whole
# suite again under AddressSanitizer and UndefinedBehaviorSanitizer, halting on the first report,
# then the Windows cross-build and its tests under wine.
# TORVIX_ASAN=0 skips the sanitizer pass, TORVIX_WINDOWS=0 the Windows one.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
cmake --preset default
cmake --build --preset default
ctest --preset default
if [ "${TORVIX_ASAN:-1}" != 0 ]; then
  cmake --preset asan
  cmake --build --preset asan
  ctest --preset asan
fi
if [ "${TORVIX_WINDOWS:-1}" != 0 ]; then
  ./scripts/test-windows.sh
fi

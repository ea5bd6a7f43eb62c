#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets with clang and runs each for a bounded time on a copy of its
# committed seed corpus (fuzz/corpus/<target>/). Fails on the first crash, leak, sanitizer
# report or broken invariant; the input that did it is left in the build dir's artifacts/.
#
#   ./scripts/fuzz.sh                    # every target, 30 s each
#   TORVIX_FUZZ_SECONDS=300 ./scripts/fuzz.sh fuzz_board_requests
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
./scripts/deps.sh check
build="${TORVIX_FUZZ_BUILD_DIR:-$root/build/fuzz}"
seconds="${TORVIX_FUZZ_SECONDS:-30}"
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_board_requests fuzz_driver_reply fuzz_sim_client_request
                                    fuzz_transfer_exports fuzz_edit_parsing fuzz_dialog_edits)

sanitizers="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g"
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTORVIX_FUZZ=ON -DTORVIX_WERROR=ON -DTORVIX_BUILD_TESTS=OFF -DTORVIX_BUILD_BENCH=OFF -DTORVIX_BUILD_GUI=OFF \
  -DCMAKE_C_FLAGS="$sanitizers" -DCMAKE_CXX_FLAGS="$sanitizers" >/dev/null
cmake --build "$build" --target "${targets[@]}"

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
failed=0
passed=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  artifacts="$build/artifacts/$target/"
  rm -rf "$corpus" "$artifacts"
  mkdir -p "$corpus" "$artifacts"
  # A copy, so the run's new inputs never land in the tree.
  cp "$root/fuzz/corpus/$target/"* "$corpus/" 2>/dev/null || true
  echo "fuzz: $target for ${seconds}s"
  if "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$artifacts" "$corpus" >"$build/$target.log" 2>&1; then
    passed=$((passed + 1))
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$build/$target.log" | sed "s/^/  /"
  else
    failed=$((failed + 1))
    echo "fuzz: $target FAILED; the input is in $artifacts" >&2
    tail -n 60 "$build/$target.log" >&2
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks every C and C++ file git tracks against .clang-format, changing nothing. Lists each file
# that clang-format would change and exits 1; `clang-format -i FILE` applies the style.
#
#   ./scripts/check-format.sh
#   CLANG_FORMAT=clang-format-14 ./scripts/check-format.sh
set -euo pipefail
cd "$(dirname "$0")/.."
clang_format="${CLANG_FORMAT:-clang-format}"
"$clang_format" --version >/dev/null

# Code the project did not write keeps its own style (none is vendored yet).
mapfile -d '' files < <(git ls-files -z -- '*.c' '*.cc' '*.cpp' '*.h' '*.hpp' \
                          ':(exclude)third_party/**')
differ=()
for file in "${files[@]}"; do
  "$clang_format" --dry-run --Werror "$file" >/dev/null 2>&1 || differ+=("$file")
done
if [ ${#differ[@]} -ne 0 ]; then
  echo "check-format: ${#differ[@]} of ${#files[@]} files differ from .clang-format:" >&2
  printf '  %s\n' "${differ[@]}" >&2
  exit 1
fi
echo "check-format: ${#files[@]} files match .clang-format"

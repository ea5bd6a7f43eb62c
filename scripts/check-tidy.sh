#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs clang-tidy with .clang-tidy over the project's own .cpp files, as the default preset
# compiles them (its compile database), two at a time. Any finding fails: exit 1.
#
#   ./scripts/check-tidy.sh          # the whole tree (about 8 minutes on two cores)
#   ./scripts/check-tidy.sh main     # only what changed since main: the .cpp files changed,
#                                    # and those that include a changed header directly
#   TORVIX_TIDY_JOBS=4 ./scripts/check-tidy.sh
#
# The files only the Windows and fuzz builds compile are not in that database and are not read.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
base="${1:-}"
database="$root/build/default/compile_commands.json"
if [ ! -f "$database" ]; then
  # Generated headers are part of the build, so the tree is built, not only configured.
  cmake --preset default >/dev/null
  cmake --build --preset default -j2
fi

# Every source the database compiles, outside build/ (moc and resource code is generated).
mapfile -t sources < <(python3 - "$database" "$root" <<'EOF'
import json, os, sys
database, root = sys.argv[1], sys.argv[2]
files = {os.path.relpath(entry["file"], root) for entry in json.load(open(database))}
for f in sorted(files):
    if f.endswith(".cpp") and not f.startswith(("build/", "..")):
        print(f)
EOF
)

if [ -n "$base" ]; then
  mapfile -t changed < <(git diff --name-only --diff-filter=d "$base" -- '*.cpp' '*.h')
  chosen=()
  for source in "${sources[@]}"; do
    for file in "${changed[@]}"; do
      if [ "$source" = "$file" ] ||
         { [[ "$file" == *.h ]] && grep -qF "#include \"$file\"" "$source"; }; then
        chosen+=("$source")
        break
      fi
    done
  done
  sources=("${chosen[@]}")
  if [ ${#sources[@]} -eq 0 ]; then
    echo "check-tidy: no .cpp file of the build changed since $base"
    exit 0
  fi
fi

# run-clang-tidy takes regular expressions; each one matches exactly one file.
patterns=()
for source in "${sources[@]}"; do
  patterns+=("^$(printf '%s' "$root/$source" | sed 's/[][\.*^$+?(){}|]/\\&/g')\$")
done
echo "check-tidy: ${#sources[@]} files${base:+ changed since $base}"
if ! run-clang-tidy -quiet -p "$root/build/default" -j "${TORVIX_TIDY_JOBS:-2}" "${patterns[@]}" \
       >"$root/build/default/clang-tidy.log" 2>&1; then
  sed 's/\x1b\[[0-9;]*m//g' "$root/build/default/clang-tidy.log" | grep -E '(warning|error): ' |
    sort -u >&2 ||
    tail -n 40 "$root/build/default/clang-tidy.log" >&2
  echo "check-tidy: findings above; the whole output is in build/default/clang-tidy.log" >&2
  exit 1
fi
echo "check-tidy: no findings"

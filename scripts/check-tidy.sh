#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs clang-tidy with .clang-tidy over the project's own .cpp files, as the default preset
# compiles them (its compile database), two at a time. Any finding fails: exit 1.
#
#   ./scripts/check-tidy.sh          # the whole tree (about 8 minutes on two cores)
#   ./scripts/check-tidy.sh main     # only what changed since main: the .cpp files changed,
#                                    # and those that include a changed header directly
#   ./scripts/check-tidy.sh --since-passed
#                                    # what changed since the last commit that passed, the one
#                                    # .ci/tidy-passed names (what .ci/run reads); the whole tree
#                                    # when that commit is not in the history or .clang-tidy
#                                    # changed since
#   ./scripts/check-tidy.sh --record [REV | --since-passed]
#                                    # the same, and when nothing is found and nothing is left
#                                    # uncommitted, writes HEAD's id into .ci/tidy-passed
#   TORVIX_TIDY_JOBS=4 ./scripts/check-tidy.sh
#
# The files only the Windows and fuzz builds compile are not in that database and are not read.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh test check
root="$PWD"
record_file=.ci/tidy-passed
record=0
if [ "${1:-}" = --record ]; then
  record=1
  shift
fi
base="${1:-}"
if [ "$base" = --since-passed ]; then
  base=""
  [ -f "$record_file" ] && base=$(sed -n '/^[0-9a-f]\{40\}$/p' "$record_file" | tail -n 1)
  if [ -z "$base" ] || ! git merge-base --is-ancestor "$base" HEAD 2>/dev/null; then
    echo "check-tidy: $record_file names no commit of this history: the whole tree"
    base=""
  elif ! git diff --quiet "$base" -- .clang-tidy; then
    echo "check-tidy: .clang-tidy changed since $base: the whole tree"
    base=""
  fi
fi
if [ "$record" = 1 ] && [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "check-tidy: --record reads what HEAD holds: commit or stash the changes first" >&2
  exit 2
fi
head=$(git rev-parse HEAD)  # what is read: a commit made meanwhile is not
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
  # Each changed .cpp, and each that includes a changed header, directly or through another:
  # the dependencies ninja recorded when it built the tree.
  changed=$(mktemp)
  git diff --name-only --diff-filter=d "$base" -- '*.cpp' '*.h' >"$changed"
  mapfile -t sources < <(ninja -C build/default -t deps |
    python3 -c '
import os, sys
root, build, changed = sys.argv[1], sys.argv[2], set(open(sys.argv[3]).read().split())
sources = set(sys.argv[4:])
chosen, source = changed & sources, None
for line in sys.stdin:
    if not line.startswith(" "):
        source = None  # the next object: its first dependency is its source
    elif line.strip():
        path = os.path.relpath(os.path.realpath(os.path.join(build, line.strip())), root)
        if source is None:
            source = path
        elif path in changed and source in sources:
            chosen.add(source)
print("\n".join(sorted(chosen)))
' "$root" "$root/build/default" "$changed" "${sources[@]}" | sed '/^$/d')
  rm -f "$changed"
  if [ ${#sources[@]} -eq 0 ]; then
    echo "check-tidy: no .cpp file of the build changed since $base"
  fi
fi

record_passed() {
  [ "$record" = 1 ] || return 0
  {
    echo "# The last commit that clang-tidy passed (scripts/check-tidy.sh --record writes it);"
    echo "# .ci/run reads every file changed since."
    echo "$head"
  } >"$record_file"
  echo "check-tidy: $record_file now names $head: commit it"
}
if [ ${#sources[@]} -eq 0 ]; then
  record_passed
  exit 0
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
record_passed

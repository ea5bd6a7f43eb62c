#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Usage: docs_blocks_test.sh SOURCE_DIR WORK_DIR PROGRAM_DIR...
# Runs every sh block of README.md and docs/user-guide.md as written, in order, as a reader
# would: the blocks of one document in one folder under WORK_DIR (so a later block meets the
# files an earlier one left), with the built programs (the PROGRAM_DIRs) first on PATH, no
# QUORLINK_DEVICE and a runtime folder of their own, so no zembrel-sim on the default socket
# but the one a block is said to have. A block fails on the first command that fails.
# Only two commands wait by design, and they are given a limit: a window (Torvix_Controller,
# offscreen) that is still open after 3 s, and a `tail -f` still following after 1 s, did what
# the block shows. The blocks that are not run are listed below, each with why; a block this
# test does not know fails it, so a new block is run or said why not.
set -u
source_dir=$1
work_dir=$2
shift 2
programs=$(printf '%s:' "$@")

# By the block's first line, without its comment.
declare -A not_run=(
  ["./scripts/run-controller.sh"]="builds a folder of its own and keeps the window open until it is closed"
  ["tail -f zembrel-sim.log"]="follows the log of run-controller.sh, which is not run here"
  ["cmake --preset default && cmake --build --preset package && (cd build/default && cpack)"]="readme_package_commands runs it in a fresh clone (label package)"
  ["sudo apt-get install ./build/default/*.deb"]="installs into the system"
  ["build/default/sim/zembrel-sim [--socket PATH] [--group] [--address 0xNN] [--device 0xNN]... [--state FILE] [--log FILE]"]="a synopsis"
  ["./scripts/deps.sh run"]="installs into the system"
  ["./scripts/test.sh --quick"]="the tests, this one among them"
)
# Blocks for a technician with the camera on the adapter: a zembrel-sim serves the default
# socket while they run.
declare -A with_camera=(
  ["torvix dump dsp cam.txt"]=1
)

prelude='
trap '\''status=$?; jobs -p | xargs -r kill 2>/dev/null; wait; exit $status'\'' EXIT
# bounded SECONDS COMMAND...: fails unless the command is still running when the time is up.
bounded() {
  local seconds=$1 status=0
  shift
  timeout "$seconds" "$@" || status=$?
  [ "$status" -eq 124 ] || { echo "$*: ended with status $status within ${seconds} s" >&2; return 1; }
}
Torvix_Controller() { bounded 3 "$(type -P Torvix_Controller)" "$@"; }
tail() { if [ "${1:-}" = -f ]; then bounded 1 "$(type -P tail)" "$@"; else command tail "$@"; fi; }
'

# blocks DOCUMENT: each sh block as "LINE<tab>first line" then its lines, ended by a NUL.
blocks() {
  awk 'inside && /^```/ { inside = 0; printf "%c", 0; next }
       inside { print; next }
       /^```sh$/ { inside = 1; n = NR + 1; getline line; key = line; sub(/ *#.*/, "", key)
                   print n "\t" key; print line }' "$1"
}

rm -rf "$work_dir"
mkdir -p "$work_dir"
ran=0
failed=0
count=0
for document in README.md docs/user-guide.md; do
  folder="$work_dir/$(basename "$document" .md)"
  mkdir -p "$folder/home" "$folder/run"
  chmod 700 "$folder/run"
  while IFS= read -r -d '' block; do
    count=$((count + 1))
    header=${block%%$'\n'*}
    line=${header%%$'\t'*}
    key=${header#*$'\t'}
    body=${block#*$'\n'}
    where="$document:$line"
    if [ -n "${not_run[$key]+set}" ]; then
      echo "$where: not run: ${not_run[$key]}"
      continue
    fi
    camera_pid=""
    if [ -n "${with_camera[$key]+set}" ]; then
      PATH="$programs$PATH" zembrel-sim --socket "$folder/run/zembrel-0" \
        >"$folder/$count.zembrel-sim.out" 2>&1 &
      camera_pid=$!
      for _ in $(seq 100); do [ -S "$folder/run/zembrel-0" ] && break; sleep 0.05; done
    fi
    printf '%s:\n%s\n' "$where" "$body"
    status=0
    (cd "$folder" && env -u QUORLINK_DEVICE PATH="$programs$PATH" HOME="$folder/home" \
       XDG_RUNTIME_DIR="$folder/run" QT_QPA_PLATFORM=offscreen \
       timeout -k 5 120 bash -e -c "$prelude$body") >"$folder/$count.out" 2>&1 || status=$?
    if [ -n "$camera_pid" ]; then
      kill "$camera_pid" 2>/dev/null
      wait "$camera_pid" 2>/dev/null
    fi
    if [ "$status" -eq 0 ]; then
      ran=$((ran + 1))
    else
      failed=$((failed + 1))
      tail -n 20 "$folder/$count.out"
      echo "$where: FAILED (status $status): the block's output is in $folder/$count.out"
    fi
  done < <(blocks "$source_dir/$document")
done
if [ "$count" -eq 0 ]; then
  echo "no sh block found"
  exit 1
fi
echo "$ran blocks ran as written, $failed failed, $((count - ran - failed)) not run"
[ "$failed" -eq 0 ]

#!/bin/sh
# SPDX-License-Identifier: MIT
# Usage: readme_package_test.sh SOURCE_DIR WORK_DIR VERSION PACKAGE... Runs the commands of the
# first sh block under README.md's "## The Debian packages", as written, in a fresh clone of
# SOURCE_DIR's HEAD made in WORK_DIR, and checks that they leave each PACKAGE's .deb of VERSION
# in build/default, where the README installs them from. Says how long the commands took.
# Skipped (77) where SOURCE_DIR is not a git checkout.
set -eu
source_dir=$1
work_dir=$2
version=$3
shift 3
head=$(git -C "$source_dir" rev-parse HEAD 2>/dev/null) ||
  { echo "$source_dir is not a git checkout: skipped"; exit 77; }
commands=$(awk '/^## / { section = ($0 == "## The Debian packages") }
                section && block && /^```/ { exit }
                block { print }
                section && /^```sh$/ { block = 1 }' "$source_dir/README.md")
[ -n "$commands" ] || { echo "README.md has no sh block under '## The Debian packages'"; exit 1; }

rm -rf "$work_dir"
git clone --quiet --no-checkout "$source_dir" "$work_dir"
git -C "$work_dir" checkout --quiet --detach "$head"
printf 'in a clone of %s:\n%s\n' "$head" "$commands"
start=$(date +%s)
(cd "$work_dir" && sh -e -c "$commands") >"$work_dir.log" 2>&1 ||
  { tail -n 40 "$work_dir.log"; echo "the README's package commands failed"; exit 1; }
echo "they took $(($(date +%s) - start)) s"
for package in "$@"; do
  ls "$work_dir/build/default/${package}_${version}"_*.deb >/dev/null 2>&1 ||
    { echo "no ${package}_${version}_*.deb in build/default"; exit 1; }
done
rm -rf "$work_dir" "$work_dir.log"

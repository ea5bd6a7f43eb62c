#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Usage: bash_completion_test.sh CMAKE CLI_INSTALL_SCRIPT. Installs the command-line tool's
# folder (cmake_install.cmake) into a scratch prefix, then completes torvix command lines with
# the completion found where Debian's bash-completion looks, under its own helpers.
set -u
helpers=/usr/share/bash-completion/bash_completion
if [[ ! -r $helpers ]]; then
  echo "bash-completion's helpers are not installed ($helpers): skipped"
  exit 77
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/torvix-completion.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$1" -DCMAKE_INSTALL_PREFIX="$work/usr" -P "$2" >/dev/null || exit 1
completion=$work/usr/share/bash-completion/completions/torvix
[[ -r $completion ]] || { echo "FAIL: nothing installed as $completion"; exit 1; }
# shellcheck source=/dev/null
source "$helpers"
# shellcheck source=/dev/null
source "$completion"
compopt() { :; }  # only a completion that bash runs may set its options
cd "$work" && touch cam.json cam.txt || exit 1

# The completions of a command line, sorted, for the cursor at its end.
complete_line() {
  COMP_LINE=$1
  COMP_POINT=${#COMP_LINE}
  read -ra COMP_WORDS <<<"$COMP_LINE"
  [[ $COMP_LINE == *' ' ]] && COMP_WORDS+=('')
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _torvix
  printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd' '
}

failed=0
while IFS='|' read -r line expected; do
  got=$(complete_line "$line")
  [[ $got == "$expected" ]] || { echo "FAIL: '$line' completes to '$got', not '$expected'"; failed=1; }
done <<'LINES'
torvix |buses dump get profile reset scan set settings
torvix --device sim --address 0x38 se|set settings
torvix --device si|sim
torvix dump |dsp eeprom
torvix get --|--help --json --value
torvix --device sim get Contrast Wdr|WdrMode
torvix set Con|Contrast=
torvix set Register|
torvix profile apply --dry-run cam.|cam.json cam.txt
torvix --address 0x70 dump eeprom c|cam.json cam.txt
LINES
settings=$(complete_line "torvix get " | wc -w)
[[ $settings -eq 29 ]] || { echo "FAIL: get offers $settings settings, not 29"; failed=1; }
[[ $failed -eq 0 ]] && echo "torvix completes its commands, options, settings and files"
exit "$failed"

#!/bin/sh
# SPDX-License-Identifier: MIT
# Usage: layer_rules.sh SOURCE_DIR
# The layer rules of docs/architecture.md, checked over the includes of every room's sources.
# The order of the rooms and the rooms beside the window layer are read from the document's
# "Layer order, lowest first:" and "Beside the window layer:" lines, so the two cannot drift;
# the headers a rule names (Qt's, the platform's) are listed here. Each include that breaks a
# rule is named with its file, line and rule:
#   - a room includes only rooms before it in the order, and nothing of another room of its
#     own step ("a | b");
#   - window/ and the rooms beside it include nothing of each other;
#   - only app/qt includes Qt headers;
#   - only the rooms that own the platform include <windows.h> and its parts, and only
#     app/win32 the Windows user interface;
#   - only bridge/ reads the device setting: no other room writes a transport's setting ("sim",
#     a literal starting with "i2c:"), read from the rows of the table of transports
#     (bridge/*/*_row.h), and no room above the library names the device an unset setting
#     opens ("zembrel-0") or includes where its socket is (board/socket_path.h, which the
#     library and zembrel-sim, below it, share).
set -eu
root=$1
doc=$root/docs/architecture.md

order=$(sed -n 's/^Layer order, lowest first: *//p' "$doc")
beside=$(sed -n 's/^Beside the window layer: *//p' "$doc")
if [ -z "$order" ] || [ -z "$beside" ]; then
  echo "$doc: no \"Layer order, lowest first:\" or \"Beside the window layer:\" line"
  exit 1
fi

# The rooms that own the platform, and what each reaches through <windows.h>:
#   bridge     the Win32 transport's driver calls (src/win32_api.h), DllMain, the version
#              resource (winver.h)
#   clock      the Windows sleep: a high-resolution waitable timer, the system timer's period
#   app/win32  the native view
platform_rooms="bridge clock app/win32"
platform_headers="windows.h windef.h winbase.h winioctl.h winver.h mmsystem.h timeapi.h"
ui_room=app/win32
ui_headers="commctrl.h commdlg.h winuser.h windowsx.h shellapi.h shlobj.h uxtheme.h prsht.h"
qt_room=app/qt

# The transports' settings, as their rows write them: whole ("sim") or a prefix ("i2c:").
whole="" prefixes="" unset_names=""
for row in "$root"/bridge/*/*_row.h; do
  setting=$(sed -n 's/^ *\.setting = "\(.*\)",$/\1/p' "$row")
  unset_device=$(sed -n 's/^ *\.unsetDevice = "\(.*\)",$/\1/p' "$row")
  if [ -n "$unset_device" ]; then
    name=${unset_device##*[/\\]}
    case " $unset_names " in *" $name "*) ;; *) unset_names="$unset_names $name" ;; esac
  fi
  [ -n "$setting" ] || continue
  if grep -q 'SettingMatch::kWhole' "$row"; then
    whole="$whole $setting"
  else
    prefixes="$prefixes $setting"
  fi
done
if [ -z "$whole$prefixes" ] || [ -z "$unset_names" ]; then
  echo "$root/bridge: no transport rows (*/*_row.h with .setting and .unsetDevice)"
  exit 1
fi
export TRANSPORT_WHOLE="$whole" TRANSPORT_PREFIXES="$prefixes" TRANSPORT_UNSET="$unset_names"

rooms=$(printf '%s\n' "$order" | tr ',|' '\n\n' | sed 's/^ *//; s/ *$//')
folders=""
for room in $rooms; do
  if [ ! -d "$root/$room" ]; then
    echo "$doc: the layer order names $room/, which is no folder"
    exit 1
  fi
  top=${room%%/*}
  case " $folders " in *" $top "*) ;; *) folders="$folders $top" ;; esac
done

cd "$root"
set -f  # the folders and file names as they are, no patterns
# shellcheck disable=SC2046,SC2086  # one argument per folder and per file: no name holds a blank
awk -v order="$order" -v beside="$beside" -v platformRooms="$platform_rooms" \
    -v platformHeaders="$platform_headers" -v uiRoom="$ui_room" -v uiHeaders="$ui_headers" \
    -v qtRoom="$qt_room" '
function set(list, into, separator,   n, i, items) {
  n = split(list, items, separator)
  for (i = 1; i <= n; i++) into[items[i]] = 1
}
# The room a path lies in: the longest room folder it starts with ("app/qt" before "app").
function roomOf(path,   room, best) {
  best = ""
  for (room in stepOf) {
    if (index(path, room "/") == 1 && length(room) > length(best)) best = room
  }
  return best
}
function broken(rule) {
  printf "%s:%d: %s: %s\n", FILENAME, FNR, header, rule
  ++brokenCount
}
function settingNamed(what) {
  header = what
  broken("only bridge/ reads the device setting: ask its table of transports (bridge/devices/)")
}
BEGIN {
  steps = split(order, step, /, */)
  for (i = 1; i <= steps; i++) {
    n = split(step[i], members, / *[|] */)
    for (j = 1; j <= n; j++) stepOf[members[j]] = i
  }
  set(beside, besideWindow, ", *")
  set(platformRooms, platformRoom, " ")
  platformList = platformRooms
  gsub(/ /, ", ", platformList)
  set(platformHeaders, platformHeader, " ")
  set(uiHeaders, uiHeader, " ")
  wholeCount = split(ENVIRON["TRANSPORT_WHOLE"], whole, " ")
  prefixCount = split(ENVIRON["TRANSPORT_PREFIXES"], prefix, " ")
  unsetCount = split(ENVIRON["TRANSPORT_UNSET"], unsetName, " ")
}
FNR == 1 { from = roomOf(FILENAME); ++files }
/^[ \t]*#[ \t]*include[ \t]*"/ {
  ++includes
  match($0, /"[^"]*"/)
  header = substr($0, RSTART, RLENGTH)
  if (header == "\"board/socket_path.h\"" && stepOf[from] > stepOf["bridge"]) {
    broken("a room above the library asks the table of transports (bridge/devices/) for the device")
  }
  to = roomOf(substr(header, 2))
  if (to == "" || to == from) next
  if (stepOf[to] > stepOf[from]) {
    broken("runs up the layer order: " to "/ comes after " from "/")
  } else if (stepOf[to] == stepOf[from]) {
    broken(from "/ and " to "/ are of one step and include nothing of each other")
  } else if ((from == "window" && to in besideWindow) || (to == "window" && from in besideWindow)) {
    broken("window/ and " (from == "window" ? to : from) "/ stand side by side and include nothing of each other")
  }
  next
}
# Code, not comments: a setting written in a literal is a setting read.
!/^[ \t]*#[ \t]*include/ && from != "bridge" {
  code = $0
  sub(/\/\/.*/, "", code)
  for (i = 1; i <= wholeCount; i++) {
    if (index(code, "\"" whole[i] "\"")) settingNamed("\"" whole[i] "\"")
  }
  for (i = 1; i <= prefixCount; i++) {
    if (index(code, "\"" prefix[i])) settingNamed("\"" prefix[i] "...\"")
  }
  for (i = 1; i <= unsetCount; i++) {
    if (stepOf[from] > stepOf["bridge"] && index(code, unsetName[i])) settingNamed(unsetName[i])
  }
}
/^[ \t]*#[ \t]*include[ \t]*</ {
  ++includes
  match($0, /<[^>]*>/)
  header = substr($0, RSTART, RLENGTH)
  name = tolower(substr(header, 2, RLENGTH - 2))
  if (header ~ /^<Q/ && from != qtRoom) {
    broken("only " qtRoom "/ includes Qt headers")
  } else if (name in uiHeader && from != uiRoom) {
    broken("only " uiRoom "/ includes the Windows user interface")
  } else if (name in platformHeader && !(from in platformRoom)) {
    broken("only the rooms that own the platform (" platformList ") include it")
  }
}
END {
  if (files == 0 || includes == 0) {
    print "no includes found under the rooms of the layer order"
    exit 1
  }
  if (brokenCount > 0) {
    printf "%d line(s) break the layer rules of docs/architecture.md\n", brokenCount
    exit 1
  }
  printf "the layer rules hold: %d includes in %d files\n", includes, files
}' $(find $folders -type f \( -name '*.h' -o -name '*.c' -o -name '*.cpp' -o -name '*.rc' \
                                 -o -name '*.in' \) | sort)

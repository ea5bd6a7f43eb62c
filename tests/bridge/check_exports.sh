#!/bin/sh
# SPDX-License-Identifier: MIT
# Usage: check_exports.sh NM LIBRARY. Fails unless the library's dynamic symbol table defines
# exactly the 21 entry points of quorlink.h, with SendSend at SendReceive's address.
set -eu
nm_tool=$1
library=$2
expected="BusScan CheckI2CBus ErrorString GetDeviceAddress GetVersions IICClose IICError IICInit
LibMain ReadParPortStatus Receive ReceiveSub ReceiveSubInterLeaved Send SendReceive SendSend
SendSub SendSubInterLeaved SetAddress WEP WriteParPortData"
want=$(printf '%s\n' $expected | LC_ALL=C sort)
have=$("$nm_tool" -D --defined-only "$library" | awk 'NF >= 3 { sub(/@.*/, "", $3); print $3 }' |
  LC_ALL=C sort)
if [ "$want" != "$have" ]; then
  echo "exported symbols differ from the 21 entry points:"
  printf '%s\n' "$want" >/tmp/quorlink-exports-want.$$
  printf '%s\n' "$have" | diff /tmp/quorlink-exports-want.$$ - || true
  rm -f /tmp/quorlink-exports-want.$$
  exit 1
fi
# SendSend is a second name of SendReceive, not a function of its own.
address_of() {
  "$nm_tool" -D --defined-only "$library" | awk -v name="$1" '{ sub(/@.*/, "", $3); if ($3 == name) print $1 }'
}
if [ "$(address_of SendSend)" != "$(address_of SendReceive)" ]; then
  echo "SendSend and SendReceive are two functions, not two names of one"
  exit 1
fi
echo "21 exports, nothing else; SendSend is SendReceive"

#!/bin/sh
# SPDX-License-Identifier: MIT
# Usage: check_dll_exports.sh OBJDUMP DLL POINTER_SIZE. Fails unless the DLL's export table
# holds exactly the 21 entry points at ordinals 1 to 21, SendSend at SendReceive's address, and
# on 32-bit Windows LibMain and WEP under their __stdcall names; and unless its version resource
# says 3.0.1.
set -eu
if [ "$3" = 4 ]; then libmain=_LibMain@16 wep=_WEP@4; else libmain=LibMain wep=WEP; fi
want="SendReceive SendSend IICError ErrorString IICInit IICClose Send SendSub SendSubInterLeaved
Receive ReceiveSub ReceiveSubInterLeaved SetAddress BusScan GetDeviceAddress WriteParPortData
ReadParPortStatus $libmain GetVersions CheckI2CBus $wep"
# objdump -p lists "[   0] +base[   1] 26a0 Export RVA" per address and "[   0] SendReceive" per
# name (the index is the ordinal less the base, 1 here): one "ordinal name address" line each.
have=$("$1" -p "$2" | awk '
  /Ordinal Base/ { base = $NF }
  /\+base\[/ { gsub(/[][]/, " "); address[$3] = $4 }
  /^\[Ordinal\/Name Pointer\] Table/ { names = 1; next }
  names && NF == 0 { names = 0 }
  names { gsub(/[][]/, " "); print $1 + base, $2, address[$1 + base] }' | sort -n)
expected=$(printf '%s\n' $want | awk '{ print NR, $1 }')
if [ "$(printf '%s\n' "$have" | cut -d' ' -f1,2)" != "$expected" ]; then
  echo "export table differs from the 21 entry points (ordinal name address):"
  printf '%s\n' "$have"
  exit 1
fi
send_receive=$(printf '%s\n' "$have" | awk '$1 == 1 { print $3 }')
send_send=$(printf '%s\n' "$have" | awk '$1 == 2 { print $3 }')
if [ -z "$send_receive" ] || [ "$send_receive" != "$send_send" ]; then
  echo "SendSend is at ${send_send:-no address}, SendReceive at ${send_receive:-no address}"
  exit 1
fi
# The resource's fixed part: its signature, structure version 1.0, file version 3.0 and 1.0.
if ! od -An -v -tx1 "$2" | tr -d ' \n' | grep -q bd04effe000001000000030000000100; then
  echo "no version resource with file version 3.0.1"
  exit 1
fi
echo "21 exports at ordinals 1 to 21, SendSend at SendReceive's address $send_receive; 3.0.1"

#!/bin/sh
# Usage: check_dll_exports.sh OBJDUMP DLL POINTER_SIZE. Fails unless the DLL's export table
# holds exactly the 21 entry points at ordinals 1 to 21, SendSend at SendReceive's address, and
# on 32-bit Windows LibMain and WEP under their __stdcall names.
set -eu
objdump=$1
dll=$2
pointer_size=$3
if [ "$pointer_size" = 4 ]; then libmain=_LibMain@16 wep=_WEP@4; else libmain=LibMain wep=WEP; fi
want="1 SendReceive
2 SendSend
3 IICError
4 ErrorString
5 IICInit
6 IICClose
7 Send
8 SendSub
9 SendSubInterLeaved
10 Receive
11 ReceiveSub
12 ReceiveSubInterLeaved
13 SetAddress
14 BusScan
15 GetDeviceAddress
16 WriteParPortData
17 ReadParPortStatus
18 $libmain
19 GetVersions
20 CheckI2CBus
21 $wep"
table=$("$objdump" -p "$dll")
# "[   0] +base[   1] 14b0 Export RVA" -> "1 14b0"; "[   0] SendReceive" (index = ordinal - base)
# -> "1 SendReceive".
base=$(printf '%s\n' "$table" | sed -n 's/.*Ordinal Base \([0-9]*\).*/\1/p')
addresses=$(printf '%s\n' "$table" |
  sed -n 's/^[[:space:]]*\[ *[0-9]*\] +base\[ *\([0-9]*\)\] \([0-9a-f]*\) Export RVA$/\1 \2/p')
have=$(printf '%s\n' "$table" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' |
  sed -n 's/^[[:space:]]*\[ *\([0-9]*\)\] \(.*\)$/\1 \2/p' |
  awk -v base="${base:-1}" '{ print $1 + base, $2 }' | sort -n)
if [ "$want" != "$have" ]; then
  echo "export table differs from the 21 entry points (ordinal name):"
  printf '%s\n' "$want" >"${TMPDIR:-/tmp}/quorlink-dll-exports.$$"
  printf '%s\n' "$have" | diff "${TMPDIR:-/tmp}/quorlink-dll-exports.$$" - || true
  rm -f "${TMPDIR:-/tmp}/quorlink-dll-exports.$$"
  exit 1
fi
address_of() { printf '%s\n' "$addresses" | awk -v o="$1" '$1 == o { print $2 }'; }
if [ "$(printf '%s\n' "$addresses" | wc -l)" -ne 21 ]; then
  echo "the export address table has $(printf '%s\n' "$addresses" | wc -l) entries, not 21"
  exit 1
fi
if [ -z "$(address_of 1)" ] || [ "$(address_of 1)" != "$(address_of 2)" ]; then
  echo "SendSend (ordinal 2) is at $(address_of 2), SendReceive (ordinal 1) at $(address_of 1)"
  exit 1
fi
echo "21 exports at ordinals 1 to 21, SendSend at SendReceive's address $(address_of 1)"

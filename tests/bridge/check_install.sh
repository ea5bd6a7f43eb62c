#!/bin/sh
# SPDX-License-Identifier: MIT
# Usage: check_install.sh BUILD_DIR WORK_DIR CC PROBE_SOURCE [CFLAGS]. Installs the bridge library into
# WORK_DIR/prefix, builds the probe against it with pkg-config and with CMake, and runs it with
# no adapter.
set -eu
build_dir=$1
work_dir=$2
cc=$3
probe=$4
cflags=${5:-}

rm -rf "$work_dir"
mkdir -p "$work_dir"
prefix=$work_dir/prefix
for component in library development; do
  cmake --install "$build_dir" --prefix "$prefix" --component $component >>"$work_dir/install.log"
done

pc_file=$(find "$prefix" -name quorlink.pc | head -n 1)
[ -n "$pc_file" ] || { echo "quorlink.pc was not installed"; exit 1; }
[ -f "$prefix/include/quorlink.h" ] || { echo "quorlink.h was not installed"; exit 1; }
[ -n "$(find "$prefix" -name QuorlinkConfig.cmake)" ] || { echo "no CMake package config"; exit 1; }
[ -n "$(find "$prefix" -name 'libquorlink.so.3')" ] || { echo "no soname link"; exit 1; }

export PKG_CONFIG_PATH CMAKE_PREFIX_PATH QUORLINK_DEVICE
PKG_CONFIG_PATH=$(dirname "$pc_file")
CMAKE_PREFIX_PATH=$prefix
QUORLINK_DEVICE=$work_dir/no-such-board
"$(dirname "$0")/../support/quorlink_consumer.sh" "$work_dir" "$cc" "$probe" "$cflags"

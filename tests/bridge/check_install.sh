#!/bin/sh
# Usage: check_install.sh BUILD_DIR WORK_DIR CC PROBE_SOURCE [CFLAGS]. Installs the bridge library into
# WORK_DIR/prefix, compiles the probe with pkg-config's flags and runs it with no adapter.
set -eu
build_dir=$1
work_dir=$2
cc=$3
probe=$4
# The build's own flags, so a sanitizer build links its runtime into the probe as well.
cflags=${5:-}

rm -rf "$work_dir"
mkdir -p "$work_dir"
prefix=$work_dir/prefix
cmake --install "$build_dir" --prefix "$prefix" --component quorlink >"$work_dir/install.log"

pc_file=$(find "$prefix" -name quorlink.pc | head -n 1)
[ -n "$pc_file" ] || { echo "quorlink.pc was not installed"; exit 1; }
[ -f "$prefix/include/quorlink.h" ] || { echo "quorlink.h was not installed"; exit 1; }
[ -n "$(find "$prefix" -name QuorlinkConfig.cmake)" ] || { echo "no CMake package config"; exit 1; }
[ -n "$(find "$prefix" -name 'libquorlink.so.3')" ] || { echo "no soname link"; exit 1; }

export PKG_CONFIG_PATH
PKG_CONFIG_PATH=$(dirname "$pc_file")
libdir=$(pkg-config --variable=libdir quorlink)
# shellcheck disable=SC2046  # the flags are meant to split
# shellcheck disable=SC2086  # so are the build's flags
"$cc" $cflags -std=c99 -Wall -Werror -o "$work_dir/probe" "$probe" \
  $(pkg-config --cflags --libs quorlink)

QUORLINK_DEVICE=$work_dir/no-such-board LD_LIBRARY_PATH=$libdir "$work_dir/probe"

# The same probe through the CMake package config, as find_package(Quorlink) users build it.
mkdir -p "$work_dir/consumer"
cat >"$work_dir/consumer/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(quorlink_consumer C)
find_package(Quorlink 3 REQUIRED)
add_executable(probe "$probe")
target_link_libraries(probe PRIVATE Quorlink::Quorlink)
CMAKE
CFLAGS=$cflags cmake -S "$work_dir/consumer" -B "$work_dir/consumer/build" \
  -DCMAKE_C_COMPILER="$cc" -DCMAKE_PREFIX_PATH="$prefix" >"$work_dir/consumer.log"
cmake --build "$work_dir/consumer/build" >>"$work_dir/consumer.log"
QUORLINK_DEVICE=$work_dir/no-such-board "$work_dir/consumer/build/probe"

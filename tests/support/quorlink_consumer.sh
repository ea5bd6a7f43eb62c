#!/bin/sh
# SPDX-License-Identifier: MIT
# Usage: quorlink_consumer.sh WORK_DIR CC PROBE [CFLAGS]. Builds the C program PROBE as an outside
# user would, against the Quorlink that the caller's pkg-config and CMake settings find
# (PKG_CONFIG_PATH or PKG_CONFIG_LIBDIR and PKG_CONFIG_SYSROOT_DIR, CMAKE_PREFIX_PATH): once
# with pkg-config's flags, once as a CMake project with find_package(Quorlink 3). Runs both;
# the probe's exit status is the check. CFLAGS: the build's own, so a sanitizer build links its
# runtime into the probe as well.
set -eu
work_dir=$1
cc=$2
probe=$3
cflags=${4:-}
mkdir -p "$work_dir"

# shellcheck disable=SC2046  # the flags are meant to split
# shellcheck disable=SC2086  # so are the build's flags
"$cc" $cflags -std=c99 -Wall -Werror -o "$work_dir/probe" "$probe" \
  $(pkg-config --cflags --libs quorlink)
LD_LIBRARY_PATH=$(pkg-config --variable=libdir quorlink) "$work_dir/probe"

mkdir -p "$work_dir/consumer"
cat >"$work_dir/consumer/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(quorlink_consumer C)
find_package(Quorlink 3 REQUIRED)
add_executable(probe "$probe")
target_link_libraries(probe PRIVATE Quorlink::Quorlink)
CMAKE
CFLAGS=$cflags cmake -S "$work_dir/consumer" -B "$work_dir/consumer/build" \
  -DCMAKE_C_COMPILER="$cc" >"$work_dir/consumer.log"
cmake --build "$work_dir/consumer/build" >>"$work_dir/consumer.log"
# CMake's build tree finds the library through the run path it gives the probe.
"$work_dir/consumer/build/probe"

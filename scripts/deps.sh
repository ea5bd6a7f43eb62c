#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian 12 packages of the groups named, only those missing, with sudo when not
# already root. A group brings what its use needs and nothing more:
#
#   run      build and run the programs: compiler, CMake, Qt, the libraries they link
#   test     the default configuration with its tests and benchmarks, and the compiler cache
#   check    clang-format, clang-tidy and clang with its sanitizer runtimes (the fuzz targets)
#   windows  the mingw-w64 cross-compilers, 32- and 64-bit wine, and what the Windows build and
#            its tests on a virtual screen use
#   kernel   QEMU and busybox for the kernel rig (it fetches Debian's kernel package itself,
#            with apt-get download)
#   package  what packs and checks the Debian packages and the Windows installers
#   all      every group (the default)
#
#   ./scripts/deps.sh run
#   ./scripts/deps.sh test package
#   ./scripts/deps.sh --list run    # the packages, one a line, and installs nothing
set -euo pipefail

declare -A groups=(
  [run]="cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev nlohmann-json3-dev libcli11-dev"
  [test]="libgtest-dev libgmock-dev libbenchmark-dev bash-completion ccache"
  [check]="clang-format clang-tidy clang clang-14 libclang-rt-14-dev"
  [windows]="g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest wine64 wine32:i386
             fonts-wine librsvg2-bin imagemagick xvfb xauth xdotool x11-apps"
  [kernel]="qemu-system-x86 busybox-static xz-utils"
  [package]="dpkg-dev file lintian nsis p7zip-full"
)
order=(run test check windows kernel package)
# What each group stands on: every group builds the programs; the kernel rig and the Debian
# packages are tests of the default configuration.
declare -A needs=([test]="run" [check]="run" [windows]="run" [kernel]="run test"
                  [package]="run test")

list=0
if [ "${1:-}" = --list ]; then
  list=1
  shift
fi
asked=("$@")
[ ${#asked[@]} -eq 0 ] && asked=(all)
chosen=()
choose() {
  local group=$1 have
  for have in "${chosen[@]}"; do [ "$have" = "$group" ] && return; done
  for have in ${needs[$group]:-}; do choose "$have"; done
  chosen+=("$group")
}
for group in "${asked[@]}"; do
  if [ "$group" = all ]; then
    for each in "${order[@]}"; do choose "$each"; done
  elif [ -n "${groups[$group]+set}" ]; then
    choose "$group"
  else
    echo "deps.sh: no group '$group' (groups: ${order[*]} all)" >&2
    exit 2
  fi
done

packages=()
for group in "${chosen[@]}"; do
  # shellcheck disable=SC2206  # one word a package
  packages+=(${groups[$group]})
done
if [ "$list" = 1 ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
# wine32, which runs a 32-bit caller of the 32-bit DLL, comes from Debian's i386 architecture.
if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
echo "deps.sh: installing ${#missing[@]} packages for ${chosen[*]}: ${missing[*]}"
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

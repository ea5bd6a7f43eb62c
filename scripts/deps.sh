#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian 12 packages the project builds and tests with. Idempotent: installs only
# what is missing, and uses sudo only when not already root.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev qt6-svg-dev nlohmann-json3-dev libcli11-dev xvfb xauth
          clang-14 clang libclang-rt-14-dev clang-format clang-tidy
          g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest wine64 wine32:i386
          fonts-wine
          bash-completion
          librsvg2-bin imagemagick xdotool x11-apps
          dpkg-dev file lintian nsis p7zip-full
          qemu-system-x86 busybox-static xz-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
# wine32, which runs a 32-bit caller of the 32-bit DLL, comes from Debian's i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

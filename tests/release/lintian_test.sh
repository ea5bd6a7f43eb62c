#!/bin/sh
# SPDX-License-Identifier: MIT
# Usage: lintian_test.sh DEB_DIR. lintian on the Debian packages the deb_package test left in
# DEB_DIR: no error and no warning. Skipped (77) where lintian is not installed.
command -v lintian >/dev/null ||
  { echo "lintian is not installed (scripts/deps.sh installs it): skipped"; exit 77; }
set -- "$1"/*.deb
[ -f "$1" ] || { echo "no packages in $(dirname "$1")"; exit 1; }
exec lintian --fail-on error,warning --tag-display-limit 0 "$@"

#!/usr/bin/env bash
# Sets up, builds and runs every test (the README's test command).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
cmake --preset default
cmake --build --preset default
ctest --preset default

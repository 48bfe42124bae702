#!/usr/bin/env bash
# Sets up the machine, builds everything and runs the whole test suite.
# An argument names the CMake preset (default "default"; CI uses "ci").
set -euo pipefail
cd "$(dirname "$0")/.."

preset="${1:-default}"
bash scripts/setup.sh
cmake --preset "$preset"
cmake --build --preset "$preset"
ctest --preset "$preset"

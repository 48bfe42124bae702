#!/usr/bin/env bash
# Sets up the machine, builds the calculator and starts it. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset default
cmake --build --preset default --target quantrel
exec build/bin/quantrel "$@"

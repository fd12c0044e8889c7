#!/usr/bin/env bash
# Installs what is needed, builds the program and runs it with the given arguments.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target vendrel
exec build/app/vendrel "$@"

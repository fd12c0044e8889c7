#!/usr/bin/env bash
# Installs what is needed, builds the program and runs it with the given arguments.
# CMAKE_BUILD_PARALLEL_LEVEL in the environment sets the build's job count.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target vendrel -j "${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
exec build/app/vendrel "$@"

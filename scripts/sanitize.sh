#!/usr/bin/env bash
# Builds the whole program and its tests with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the unit and X11 suites (CTest gives each X11 suite an X server of its own) and
# the end-to-end script against that build, one after the other. Usage: bash scripts/sanitize.sh
# [cmake arguments...], e.g. a compiler launcher for local runs; SANITIZE_DISPLAY moves the
# end-to-end X server's number (default 124 and up).
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-sanitize

# -O1 and line tables only: quick to compile, fast enough to run, readable stacks.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
  -DVENDREL_CORE_ONLY=OFF -DVENDREL_SANITIZE=ON -DVENDREL_BENCHMARKS=OFF -DVENDREL_WARNINGS_AS_ERRORS=ON "$@"
cmake --build "$build"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan-suppressions.txt:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
display=${SANITIZE_DISPLAY:-120}
xvfb() { # offset of the server number to start looking from, then the command
  local from=$((display + $1)); shift
  xvfb-run -a -n "$from" -s "-screen 0 1280x1024x24" "$@"
}
# One after the other: the end-to-end checks wait for windows, which a machine busy with
# the sanitized suites (each X11 one with a server of its own) can delay past their patience.
unit=0
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" > "$logs/unit" 2>&1 || unit=$?
e2e=0
xvfb 4 bash tests/e2e/run.sh "$build" > "$logs/e2e" 2>&1 || e2e=$?

failed=0
for suite in unit e2e; do
  if [ "${!suite}" -ne 0 ]; then
    echo "--- $suite under the sanitizers failed:"
    tail -n 150 "$logs/$suite"
    failed=1
  else
    echo "--- $suite under the sanitizers passed"
  fi
done
exit "$failed"

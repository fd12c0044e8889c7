#!/usr/bin/env bash
# Measures, under Xvfb, the time from starting `vendrel cli` to its loupe window being
# mapped (median of 20 runs) and the resident memory of the idle menu-bar program, and
# the same for gpick (its floating picker and its main window) when it is installed.
# Usage: bash scripts/measure.sh [build folder]; builds what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target vendrel e2e_map_timer e2e_tray_host > /dev/null

if [ -z "${MEASURE_UNDER_XVFB:-}" ]; then
  MEASURE_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$build"
fi

export VENDREL_RESOURCES="$PWD/resources" QT_QPA_PLATFORM=xcb
unset DBUS_SESSION_BUS_ADDRESS
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
runs=20

median() { sort -n | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }

map_times() { # title, program and arguments
  local title=$1; shift
  for _ in $(seq "$runs"); do
    XDG_CONFIG_HOME="$work/config" "$build/tests/e2e/e2e_map_timer" "$title" "$@" 2> /dev/null
  done
}

idle_rss() { # program and arguments; the resident set after 3 s, in MB
  XDG_CONFIG_HOME="$work/config" "$@" > /dev/null 2>&1 & local pid=$!
  sleep 3
  awk '/^VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$pid/status"
  kill "$pid"
  wait "$pid" 2> /dev/null || true
}

"$build/tests/e2e/e2e_tray_host" > /dev/null & tray=$!
echo "vendrel: cli to loupe mapped, median of $runs: $(map_times "Vendrel loupe" "$build/app/vendrel" cli | median) ms"
echo "vendrel: idle resident memory of the menu-bar program: $(idle_rss "$build/app/vendrel") MB"
if command -v gpick > /dev/null; then
  echo "gpick: -s to picker window mapped, median of $runs: $(map_times Gpick gpick -s -o | median) ms"
  echo "gpick: idle resident memory of the main window: $(idle_rss gpick) MB"
fi
kill "$tray"

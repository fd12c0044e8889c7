#!/usr/bin/env bash
# Measures, under Xvfb, the time from starting the menu-bar program to its status item
# docking in a tray, with 0, 1,000 and 10,000 custom formats in the settings (median of
# 5 runs each). Usage: bash scripts/measure-startup.sh [build folder]; builds what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target vendrel e2e_tray_host > /dev/null

if [ -z "${MEASURE_UNDER_XVFB:-}" ]; then
  MEASURE_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$build"
fi

export VENDREL_RESOURCES="$PWD/resources" QT_QPA_PLATFORM=xcb
unset DBUS_SESSION_BUS_ADDRESS
work=$(mktemp -d)
trap 'kill "$tray" 2> /dev/null; rm -rf "$work"' EXIT
runs=5

median() { sort -n | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }

settings() { # number of custom formats, spread over 50 groups
  awk -v count="$1" 'BEGIN {
    print "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    print "<plist version=\"1.0\"><dict>"
    print "<key>codeStyle</key><dict/><key>showWelcomeMessage</key><false/>"
    print "<key>HistoryColors</key><array><string>FF0000FF</string></array>"
    print "<key>customFormats</key><array>"
    for (i = 1; i <= count; i++)
      printf "<dict><key>name</key><string>Custom %05d</string><key>group</key><string>Group %d</string>" \
             "<key>exportFormat</key><string>{{hexColor(color)}}</string></dict>\n", i, i % 50
    print "</array></dict></plist>"
  }'
}

docked() { grep -c '^dock' "$work/tray" || true; }

time_to_status_item() { # the program's start to its icon docking, in ms
  local before start pid
  before=$(docked)
  start=$(date +%s%N)
  XDG_CONFIG_HOME="$work/config" "$build/app/vendrel" > /dev/null 2>&1 & pid=$!
  while [ "$(docked)" -eq "$before" ]; do
    if ! kill -0 "$pid" 2> /dev/null; then echo "the program ended before its status item docked" >&2; exit 1; fi
    sleep 0.005
  done
  echo $(( ($(date +%s%N) - start) / 1000000 ))
  kill "$pid"
  wait "$pid" 2> /dev/null || true
}

"$build/tests/e2e/e2e_tray_host" > "$work/tray" & tray=$!
mkdir -p "$work/config/vendrel"
for count in 0 1000 10000; do
  settings "$count" > "$work/config/vendrel/settings.plist"
  for _ in $(seq "$runs"); do time_to_status_item; done > "$work/times"
  echo "vendrel: start to status item with $count custom formats, median of $runs: $(median < "$work/times") ms"
done

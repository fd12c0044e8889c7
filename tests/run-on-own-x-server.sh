#!/usr/bin/env bash
# Runs a test program on an X server of its own, so that suites run side by side
# (`ctest -j`) never share a pointer, a keyboard or a screen. Usage:
#   run-on-own-x-server.sh [--openbox] [--two-screens] program [arguments...]
# --openbox runs the openbox window manager on that server first; --two-screens gives
# the server a second X screen (1024x768) beside the first (1280x1024).
set -euo pipefail

window_manager=false
screens=(-screen 0 1280x1024x24)
while [ $# -gt 0 ]; do
  case "$1" in
    --openbox) window_manager=true; shift ;;
    --two-screens) screens+=(-screen 1 1024x768x24); shift ;;
    *) break ;;
  esac
done

number_file=$(mktemp)
server=
manager=
cleanup() {
  [ -n "$manager" ] && kill "$manager" 2> /dev/null
  if [ -n "$server" ]; then
    kill "$server" 2> /dev/null
    # Xvfb of two screens at times aborts as it ends: that is no failure of the test.
    { wait "$server"; } 2> /dev/null
  fi
  rm -f "$number_file"
}
trap cleanup EXIT

# The server picks a free display number itself and writes it once it accepts clients.
# It never resets: a suite that ends its last connection and opens the next one would
# otherwise meet a server that is just starting over.
Xvfb -displayfd 3 -nolisten tcp -noreset "${screens[@]}" 3> "$number_file" 2> /dev/null &
server=$!
for _ in $(seq 200); do
  [ -s "$number_file" ] && break
  sleep 0.05
done
if [ ! -s "$number_file" ]; then
  echo "run-on-own-x-server: Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=":$(head -n 1 "$number_file")"

if $window_manager; then
  openbox --config-file /dev/null > /dev/null 2>&1 &
  manager=$!
  # Managing once it names itself on the root window.
  for _ in $(seq 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2> /dev/null | grep -q 'window id' && break
    sleep 0.05
  done
fi

QT_QPA_PLATFORM=xcb "$@"

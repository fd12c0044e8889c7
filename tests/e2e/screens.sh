#!/usr/bin/env bash
# The program on a display of two separate X screens (a "zaphod" set-up): run on such a
# server (tests/run-on-own-x-server.sh --two-screens) with the build folder as the first
# argument. The pointer starts on screen 0; a program on screen 1 opens no loupe there
# and picks nothing.
set -uo pipefail
source "$(dirname "$0")/common.sh"
display=${DISPLAY%.*}

DISPLAY=$display.1 XDG_CONFIG_HOME="$work/cli" timeout 10 "$vendrel" cli -f HEX > "$work/out" 2> "$work/err"
check "a pick with the pointer on another screen ends as cancelled" "1 " "$? $(cat "$work/out")"
check "it says why" "1" "$(grep -c 'The pointer is on another X screen' "$work/err")"

# On the pointer's own screen the loupe opens as ever.
DISPLAY=$display.0 XDG_CONFIG_HOME="$work/cli" timeout 10 "$vendrel" cli -f HEX > /dev/null 2>&1 & pid=$!
timeout 5 xdotool search --sync --onlyvisible --name '^Vendrel loupe$' > /dev/null 2>&1
check "on the pointer's screen the loupe opens" "0" "$?"
xdotool key Escape
wait $pid
check "and Escape ends it" "1" "$?"

if [ $failures -ne 0 ]; then
  echo "$failures two-screen check(s) failed"
  exit 1
fi
echo "all two-screen checks passed"

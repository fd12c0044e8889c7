#!/usr/bin/env bash
# Input end to end, as practised users work: a filter typed into the overlay with
# Return at once, keys typed straight after a hot key, hot keys pressed many times in a
# row at alternating places (also with the program's event loop held up), the loupe
# following single pointer jumps and a pick the keyboard cannot reach. Run under an X
# server with the build folder as the first argument; "openbox" as the second runs it
# under that window manager.
set -uo pipefail
window_manager=${2:-}
source "$(dirname "$0")/common.sh"

focused() { xdotool getwindowfocus 2>/dev/null; }

clipboard() { xclip -selection clipboard -o 2>/dev/null; }

clear_clipboard() { echo -n "none" | xclip -selection clipboard -i; }

if [ "$window_manager" == openbox ]; then
  openbox --config-file /dev/null > /dev/null 2>&1 & pids+=($!)
  sleep 1
fi

"$helpers/e2e_color_field" 336699 & pids+=($!)
timeout 5 xdotool search --sync --onlyvisible --name "^color field\$" > /dev/null 2>&1
"$helpers/e2e_tray_host" > /dev/null & pids+=($!)
mkdir -p "$work/app"
XDG_CONFIG_HOME="$work/app" "$vendrel" > "$work/app.out" 2> "$work/app.err" & app=$!
pids+=($app)

# The first run's tour takes the keys from the moment it maps.
tour=$(window_id "Vendrel – Welcome")
check "the tour holds the keyboard" "$tour" "$(focused)"
xdotool key Escape
check "Escape right after the tour maps closes it" "gone" "$(gone "Vendrel – Welcome")"

# One pick of #336699 for the overlay's history.
xdotool mousemove 400 300
wait_pixel 400 300 336699
xdotool key super+alt+c
if [ -n "$(window_id "Vendrel loupe")" ]; then xdotool click 1; fi
sleep 0.5
check "a pick copies the colour" "336699" "$(clipboard)"

# Filters typed at 30 ms a key with Return straight after export what the whole filter
# leaves selected.
while IFS='|' read -r filter expected; do
  clear_clipboard
  xdotool key shift+super+c
  overlay=$(window_id "Vendrel overlay")
  xdotool type --delay 30 "$filter"
  xdotool key Return
  sleep 0.6
  check "\"$filter\" and Return at once" "$expected" "$(clipboard)"
  check "\"$filter\": the overlay hides" "gone" "$(gone "Vendrel overlay")"
done <<'EOF'
css rgb|rgb(51, 102, 153)
qcolor hex|QColor("#336699")
python float|(0.2, 0.4, 0.6)
latex html|\definecolor{pickedcolor}{HTML}{336699}
EOF

# Hot keys many times in a row at alternating places; every second time the program
# is held up for 0.3 s right after the key, as on a loaded machine.
hold_up() { kill -STOP "$app"; sleep 0.3; kill -CONT "$app"; }

# Keys typed straight after the hot key, before its window shows, reach that window;
# every second time the program is held up from before the hot key until after them,
# as on a loaded machine that has not read the hot key yet.
overlay_at_once=0
loupe_at_once=0
for i in $(seq 4); do
  clear_clipboard
  [ $((i % 2)) -eq 0 ] && kill -STOP "$app"
  xdotool key shift+super+c
  xdotool type --delay 30 "hex"
  xdotool key Return
  [ $((i % 2)) -eq 0 ] && sleep 0.3 && kill -CONT "$app"
  sleep 0.6
  [ "$(gone "Vendrel overlay")" == gone ] && [ "$(clipboard)" == 336699 ] && overlay_at_once=$((overlay_at_once + 1))
  clear_clipboard
  xdotool mousemove 400 300
  [ $((i % 2)) -eq 0 ] && kill -STOP "$app"
  xdotool key super+alt+c
  xdotool key Return
  [ $((i % 2)) -eq 0 ] && sleep 0.3 && kill -CONT "$app"
  sleep 0.6
  [ "$(gone "Vendrel loupe")" == gone ] && [[ "$(clipboard)" == *336699* ]] && loupe_at_once=$((loupe_at_once + 1))
done
check "\"hex\" and Return typed at once after the hot key reach the overlay" "4" "$overlay_at_once"
check "Return pressed at once after the hot key reaches the loupe" "4" "$loupe_at_once"
loupe_focus=0
loupe_placed=0
loupe_keys=0
for i in $(seq 10); do
  if [ $((i % 2)) -eq 0 ]; then x=900 y=700; else x=400 y=400; fi
  xdotool mousemove $x $y key super+alt+c
  [ $((i % 4)) -lt 2 ] && hold_up
  loupe=$(window_id "Vendrel loupe")
  sleep 0.4
  [ -n "$loupe" ] && [ "$(focused)" == "$loupe" ] && loupe_focus=$((loupe_focus + 1))
  if [ -n "$loupe" ]; then
    eval "$(xdotool getwindowgeometry --shell "$loupe")"
    [ $((X + WIDTH / 2 - x)) -ge -1 ] && [ $((X + WIDTH / 2 - x)) -le 1 ] \
      && [ $((Y + HEIGHT / 2 - y)) -ge -1 ] && [ $((Y + HEIGHT / 2 - y)) -le 1 ] && loupe_placed=$((loupe_placed + 1))
  fi
  clear_clipboard
  if [ $((i % 2)) -eq 0 ]; then xdotool key Return; else xdotool key Escape; fi
  if [ "$(gone "Vendrel loupe")" == gone ]; then
    # Return picks in the format used last.
    if [ $((i % 2)) -eq 1 ] || [[ "$(clipboard)" == *336699* ]]; then loupe_keys=$((loupe_keys + 1)); fi
  fi
done
check "the loupe holds the keyboard on every open" "10" "$loupe_focus"
check "the loupe opens at the pointer every time" "10" "$loupe_placed"
check "Return and Escape reach the loupe every time" "10" "$loupe_keys"

overlay_focus=0
overlay_keys=0
for i in $(seq 6); do
  if [ $((i % 2)) -eq 0 ]; then xdotool mousemove 900 700; else xdotool mousemove 400 400; fi
  clear_clipboard
  xdotool key shift+super+c
  [ $((i % 4)) -lt 2 ] && hold_up
  overlay=$(window_id "Vendrel overlay")
  [ -n "$overlay" ] && [ "$(focused)" == "$overlay" ] && overlay_focus=$((overlay_focus + 1))
  xdotool type --delay 30 "hex"
  xdotool key Return
  sleep 0.6
  [ "$(clipboard)" == 336699 ] && [ "$(gone "Vendrel overlay")" == gone ] && overlay_keys=$((overlay_keys + 1))
done
check "the overlay holds the keyboard on every open" "6" "$overlay_focus"
check "every key typed into the overlay arrives" "6" "$overlay_keys"

# Single pointer jumps between two spots, a quarter second apart.
xdotool mousemove 500 700 key super+alt+c
loupe=$(window_id "Vendrel loupe")
followed=0
for i in $(seq 20); do
  if [ $((i % 2)) -eq 0 ]; then x=500; else x=1100; fi
  xdotool mousemove $x 700
  sleep 0.25
  eval "$(xdotool getwindowgeometry --shell "$loupe")"
  [ $((X + WIDTH / 2 - x)) -ge -1 ] && [ $((X + WIDTH / 2 - x)) -le 1 ] && followed=$((followed + 1))
done
check "the loupe follows every pointer jump" "20" "$followed"
xdotool key Escape
check "Escape closes the loupe after the jumps" "gone" "$(gone "Vendrel loupe")"

# A picker no key can reach, not even Escape, does not stay open: while another program
# holds the keyboard, a command-line pick closes by itself, printing nothing.
"$helpers/e2e_keyboard_holder" > "$work/holder" & holder=$!
pids+=($holder)
for _ in $(seq 20); do grep -q held "$work/holder" && break; sleep 0.1; done
XDG_CONFIG_HOME="$work/cli" "$vendrel" cli -f HEX > "$work/cli.out" 2> /dev/null & cli=$!
pids+=($cli)
[ -n "$(window_id "Vendrel loupe")" ] && shown=shown || shown=none
for _ in $(seq 50); do kill -0 $cli 2>/dev/null || break; sleep 0.1; done
kill -0 $cli 2>/dev/null && closed=open || closed=closed
kill $cli 2>/dev/null
wait $cli
check "a pick the keyboard cannot reach closes by itself" "shown closed 1 " "$shown $closed $? $(cat "$work/cli.out")"
kill $holder

kill -TERM $app
wait $app
if [ $failures -ne 0 ]; then
  echo "$failures input check(s) failed${window_manager:+ under $window_manager}"
  exit 1
fi
echo "all input checks passed${window_manager:+ under $window_manager}"

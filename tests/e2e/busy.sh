#!/usr/bin/env bash
# A busy or stopped program never holds the desktop: another client times its own key
# events while the program is stopped when a hot key comes, reads a large settings file
# written from outside, saves one, or renders slow custom formats for the overlay; and
# hot keys tapped while the program is stopped leave at most one loupe, which closes on
# Escape and leaves no pointer grab behind. Run under an X server with the build folder
# as the first argument.
set -uo pipefail
source "$(dirname "$0")/common.sh"

# The longest time, in ms, the server held another client's key events while probing
# for the given ms; runs in the background, read with held_for.
start_hold_timer() { "$helpers/e2e_hold_timer" "$1" > "$work/held" & timer=$!; sleep 0.05; }
held_for() { # cause
  wait $timer
  local held
  held=$(cat "$work/held")
  echo "keyboard held ${held} ms: $1"
  check "another client's keys get through within 1 s: $1" "yes" "$([ "$held" -lt 1000 ] && echo yes || echo no)"
}

close_loupe() {
  if [ -n "$(window_id "Vendrel loupe")" ]; then xdotool key Escape; fi
  gone "Vendrel loupe" > /dev/null
}

# Rewrites the settings file from outside, as an editor would: the lines of the given
# file go in before the end of its dictionary.
edit_settings() {
  local edited="$settings.edit"
  head -n -2 "$settings" > "$edited"
  cat "$1" >> "$edited"
  printf '</dict>\n</plist>\n' >> "$edited"
  mv "$edited" "$settings"
}

start_program() {
  XDG_CONFIG_HOME="$work/app" "$vendrel" >> "$work/app.out" 2>> "$work/app.err" & app=$!
  pids+=($app)
}

"$helpers/e2e_color_field" 336699 & pids+=($!)
timeout 5 xdotool search --sync --onlyvisible --name "^color field\$" > /dev/null 2>&1
"$helpers/e2e_tray_host" > /dev/null & pids+=($!)
mkdir -p "$work/app"
settings="$work/app/vendrel/settings.plist"
start_program
window_id "Vendrel – Welcome" > /dev/null
xdotool key Escape
gone "Vendrel – Welcome" > /dev/null
# One pick, so that the overlay has a colour to render the formats for.
xdotool mousemove 400 300 key super+alt+c
window_id "Vendrel loupe" > /dev/null
sleep 0.3
xdotool key Return
sleep 0.5
check "a pick copies the colour" "336699" "$(xclip -selection clipboard -o 2>/dev/null)"

# Stopped (SIGSTOP, a debugger) for 5 s when the hot key comes.
start_hold_timer 1000
kill -STOP "$app"
xdotool key super+alt+c
sleep 5
kill -CONT "$app"
held_for "the program stopped for 5 s at the pick hot key"
close_loupe

# The pick hot key tapped four times while the program is stopped, three times over.
closed=0
for _ in 1 2 3; do
  kill -STOP "$app"
  for _ in 1 2 3 4; do xdotool key super+alt+c; sleep 0.1; done
  kill -CONT "$app"
  sleep 1
  xdotool key Escape
  [ "$(gone "Vendrel loupe")" == gone ] && "$helpers/e2e_grab_probe" pointer && closed=$((closed + 1))
  close_loupe
done
check "after taps queued while stopped, Escape leaves no loupe and no pointer grab" "3" "$closed"

# The same taps while a 10 MB outside edit of the settings is read in.
{
  echo "<key>padding10</key>"
  echo "<array>"
  yes "<dict><key>k</key><integer>1</integer></dict>" | head -n 220000
  echo "</array>"
} > "$work/padding"
edit_settings "$work/padding"
sleep 0.15
for _ in 1 2 3 4; do xdotool key super+alt+c; sleep 0.05; done
sleep 2
xdotool key Escape
check "after taps queued during a read, Escape leaves no loupe and no pointer grab" "closed" \
  "$([ "$(gone "Vendrel loupe")" == gone ] && "$helpers/e2e_grab_probe" pointer && echo closed)"
close_loupe

# A 50 MB settings file written from outside just before the pick hot key.
{
  echo "<key>padding</key>"
  echo "<array>"
  yes "<dict><key>k</key><integer>1</integer></dict>" | head -n 1100000
  echo "</array>"
} > "$work/padding"
edit_settings "$work/padding"
# The program reads it in a tenth of a second after the write.
sleep 0.3
start_hold_timer 5000
xdotool key super+alt+c
held_for "a 50 MB settings file read in after the pick hot key"
close_loupe

# The pick hot key while a 50 MB save runs: hiding the overlay saves.
xdotool key shift+super+c
window_id "Vendrel overlay" > /dev/null
sleep 0.5
start_hold_timer 3000
xdotool key Escape
xdotool key super+alt+c
held_for "a 50 MB save at the pick hot key"
close_loupe

# Twenty custom formats whose templates run into the template engine's step limit,
# then the colours-and-formats hot key: the overlay renders every format.
kill -TERM "$app"
wait "$app"
nested="{{#each(colorValues)}}{{/each(colorValues)}}"
for _ in $(seq 9); do nested="{{#each(colorValues)}}$nested{{/each(colorValues)}}"; done
{
  echo "<key>customFormats</key>"
  echo "<array>"
  for i in $(seq 20); do
    echo "<dict><key>name</key><string>Slow $i</string><key>exportFormat</key><string>$nested</string></dict>"
  done
  echo "</array>"
} > "$work/formats"
sed -i '/<key>padding/,/<\/array>/d' "$settings"
edit_settings "$work/formats"
start_program
sleep 2
start_hold_timer 3000
xdotool key shift+super+c
held_for "20 slow custom formats rendered for the overlay"
check "the overlay shows" "shown" "$([ -n "$(window_id "Vendrel overlay")" ] && echo shown)"

# The hot keys' helper ends with the program, however it ends.
helper=$(pgrep -P "$app")
kill -KILL "$app"
wait "$app" 2> /dev/null
for _ in $(seq 20); do kill -0 "$helper" 2> /dev/null || break; sleep 0.1; done
check "the hot keys' helper ends with the program" "ended" "$(kill -0 "$helper" 2> /dev/null || echo ended)"
if [ $failures -ne 0 ]; then
  echo "$failures busy-program check(s) failed"
  exit 1
fi
echo "all busy-program checks passed"

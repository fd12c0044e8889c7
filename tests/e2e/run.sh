#!/usr/bin/env bash
# End-to-end tests of the real program on an X server: run under xvfb-run with the
# build folder as the first argument. Drives vendrel with xdotool and reads the
# clipboard with xclip.
set -uo pipefail
source "$(dirname "$0")/common.sh"

# Waits up to 5 s (or the seconds given second) for a visible window with the title.
wait_window() {
  timeout "${2:-5}" xdotool search --sync --onlyvisible --name "^$1\$" > /dev/null 2>&1
}

first_history_colour() {
  grep -A2 '<key>HistoryColors</key>' "$settings" | sed -n 's/.*<string>\(.*\)<\/string>.*/\1/p' | head -1
}

field() { # colour, optional marker: x y colour
  "$helpers/e2e_color_field" "$@" & pids+=($!)
  # A sanitized build starts slowly.
  wait_window "color field" 15 || echo "FAIL the colour field did not appear"
}

# One command-line pick: the key (or "click") after the loupe appeared; prints
# "<status> <output>".
cli_pick() {
  local key=$1; shift
  XDG_CONFIG_HOME="$work/cli" "$vendrel" cli "$@" > "$work/out" 2> "$work/err" & local pid=$!
  if wait_window "Vendrel loupe"; then
    if [ "$key" == click ]; then xdotool click 1; else xdotool key "$key"; fi
  fi
  local waited=0
  while kill -0 "$pid" 2>/dev/null && [ $waited -lt 50 ]; do sleep 0.1; waited=$((waited + 1)); done
  kill "$pid" 2>/dev/null
  wait "$pid"
  echo "$? $(cat "$work/out")"
}

# Command-line mode over a field of #336699.
field 336699
xdotool mousemove 400 300
check "cli -f HEX, Return prints the colour" "0 336699" "$(cli_pick Return -f HEX)"
check "cli -f HEX, Escape prints nothing" "1 " "$(cli_pick Escape -f HEX)"
check "cli -f 'CSS RGB' prints that format" "0 rgb(51, 102, 153)" "$(cli_pick Return -f "CSS RGB")"
check "cli -m 15 -d 100 picks" "0 336699" "$(cli_pick Return -f HEX -m 15 -d 100)"
kill "${pids[-1]}"
field 336699 400 300 ff8000
xdotool mousemove 400 300
check "a one-pixel marker under the pointer is picked" "0 ff8000" "$(cli_pick Return -f HEX)"
kill "${pids[-1]}"

# The menu-bar program with an empty settings folder.
field 336699
"$helpers/e2e_tray_host" > "$work/tray" & pids+=($!)
config="$work/app"
mkdir -p "$config"
XDG_CONFIG_HOME="$config" "$vendrel" > "$work/app.out" 2> "$work/app.err" & app=$!
sleep 2
check "the program stays up" "up" "$(kill -0 $app 2>/dev/null && echo up)"
XDG_CONFIG_HOME="$config" timeout 10 "$vendrel" > /dev/null 2>&1
check "a second program on the same settings ends at once" "1" "$?"
settings="$config/vendrel/settings.plist"
check "first-run settings are written" "3" "$(grep -c -e '<key>codeStyle</key>' -e '<key>PickColorShortCut</key>' -e '<key>ColorsAndFormatsShortCut</key>' "$settings")"
"$helpers/e2e_grab_probe" 0x48 0x63
check "a second client cannot grab the pick hot key" "10" "$?"
check "a tray icon docks" "vendrel" "$(awk '/^dock/ {print $3; exit}' "$work/tray")"

# The first run shows the welcome tour. While it is open the hot keys only focus its
# shortcut fields, so it is closed first, as a user would.
check "the welcome tour opens on first run" "shown" "$(wait_window "Vendrel – Welcome" && echo shown)"
# The key goes to the focus, not to the tour: aimed at a window, xdotool sends the release
# to it only while it has the focus, so a tour that closes on the press would leave
# Escape held down in the X server, which then drops the next Escape press.
xdotool search --onlyvisible --name "^Vendrel – Welcome\$" windowfocus --sync
xdotool key Escape
sleep 0.5
check "the welcome tour closes on Escape" "" "$(xdotool search --onlyvisible --name '^Vendrel – Welcome$' 2>/dev/null)"

xdotool mousemove 400 300
wait_pixel 400 300 336699
xdotool key super+alt+c
if wait_window "Vendrel loupe"; then
  xdotool click 1
else
  echo "FAIL the pick hot key opened no loupe"
  failures=$((failures + 1))
fi
sleep 0.5
check "the clipboard holds the text" "336699" "$(xclip -selection clipboard -o 2>/dev/null)"
check "the clipboard holds the colour" " 33 33 66 66 99 99 ff ff" \
  "$(xclip -selection clipboard -t application/x-color -o 2>/dev/null | od -An -tx1 | tr -d '\n')"
check "the banner shows" "shown" "$(wait_window "Vendrel banner" && echo shown)"
sleep 4
check "the banner goes" "" "$(xdotool search --onlyvisible --name '^Vendrel banner$' 2>/dev/null)"
check "the history starts with the colour" "336699FF" \
  "$(first_history_colour)"

xdotool key shift+super+c
if wait_window "Vendrel overlay"; then
  xdotool type --delay 50 "css rgb"
  sleep 0.5
  xdotool key Return
  sleep 0.5
  check "the overlay exports the filtered format" "rgb(51, 102, 153)" "$(xclip -selection clipboard -o 2>/dev/null)"
  check "the overlay hides after the export" "" "$(xdotool search --onlyvisible --name '^Vendrel overlay$' 2>/dev/null)"
else
  echo "FAIL the colours-and-formats hot key opened no overlay"
  failures=$((failures + 1))
fi

# The colour editor edits the selected swatch; hiding the overlay saves the history.
xdotool key shift+super+c
if wait_window "Vendrel overlay"; then
  xdotool key super+Return
  sleep 1
  xdotool type --delay 50 "00ff00"
  xdotool key Return
  sleep 0.3
  xdotool key Escape
  sleep 1
  check "Escape closes the colour editor and keeps the overlay" "shown" "$(wait_window "Vendrel overlay" && echo shown)"
  xdotool key Escape
  sleep 0.5
  # Hiding and saving take longer on a loaded machine (or under the sanitizers).
  for _ in $(seq 45); do
    [ "$(first_history_colour)" == 00FF00FF ] && break
    sleep 0.1
  done
  check "the colour editor's edit reaches the stored history" "00FF00FF" "$(first_history_colour)"
else
  echo "FAIL the colours-and-formats hot key opened no overlay"
  failures=$((failures + 1))
fi

# The preferences, opened from the status menu as a user would: click the tray icon,
# choose "Preferences…" (third from the end) with the keyboard, tick a box, pick the
# dark theme while the loupe previews it, close.
eval "$(xdotool getwindowgeometry --shell "$(awk '/^dock/ {print $2; exit}' "$work/tray")")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
# A slow build (the sanitizers) may not have the menu up when the keys come: then the
# menu is closed and opened again, as a user would.
for _ in 1 2 3; do
  xdotool click 1
  sleep 1
  xdotool key Up Up Up Return
  wait_window "Vendrel – General" && break
  xdotool key Escape
done
if wait_window "Vendrel – General"; then
  sleep 0.5
  check "the preferences take the keyboard" "Vendrel – General" "$(xdotool getwindowfocus getwindowname 2>/dev/null)"
  hints="$(xprop -id "$(xdotool search --onlyvisible --name '^Vendrel – General$')" WM_NORMAL_HINTS)"
  least="$(sed -n 's/.*minimum size: //p' <<< "$hints")"
  most="$(sed -n 's/.*maximum size: //p' <<< "$hints")"
  check "a window manager cannot resize the preferences" "same" \
    "$([ -n "$least" ] && [ "$least" == "$most" ] && echo same || echo "$least/$most")"
  # Backwards from the pane: "Launch at login", then the banner box.
  xdotool key shift+Tab shift+Tab space
  sleep 0.5
  check "the banner box writes its setting" "<false/>" \
    "$(grep -A1 '<key>useNotification</key>' "$settings" | sed -n '2s/[[:space:]]//gp')"
  # The second toolbar item; Tab then reaches the theme pop-up first.
  eval "$(xdotool getwindowgeometry --shell "$(xdotool search --onlyvisible --name '^Vendrel – General$')")"
  xdotool mousemove $((X + 112)) $((Y + 28)) click 1
  sleep 0.5
  xdotool key Tab Down
  sleep 0.5
  check "the theme pop-up writes its setting" "dark" \
    "$(grep -A1 '<key>userInterface</key>' "$settings" | sed -n 's/.*<string>\(.*\)<\/string>.*/\1/p')"
  check "the loupe previews the change" "shown" "$(wait_window "Vendrel loupe" && echo shown)"
  check "the preview leaves the keyboard to the preferences" "Vendrel – Appearance" \
    "$(xdotool getwindowfocus getwindowname 2>/dev/null)"
  xdotool key Escape
  sleep 0.5
  check "Escape closes the preferences and the preview" "" \
    "$(xdotool search --onlyvisible --name '^(Vendrel – Appearance|Vendrel loupe)$' 2>/dev/null)"
else
  echo "FAIL the status menu opened no preferences"
  failures=$((failures + 1))
fi

kill -TERM $app
wait $app
check "SIGTERM ends with status 0" "0" "$?"
check "the settings were saved" "1" "$(grep -c '<key>showMenubarIcon</key>' "$settings")"

env -u DISPLAY "$vendrel" > /dev/null 2> "$work/nodisplay.err"
check "without DISPLAY the program ends with status 1" "1" "$?"
check "without DISPLAY the program says why" "vendrel: needs an X11 display, and DISPLAY is not set" \
  "$(cat "$work/nodisplay.err")"

# Qt's own options: another platform is refused, -display names the X server.
for program in "$vendrel" "$build/app/vendrel-app"; do
  "$program" -platform offscreen > /dev/null 2> "$work/platform.err"
  status=$?
  check "-platform offscreen ends with status 1 ($(basename "$program"))" "1" "$status"
  check "-platform offscreen says why ($(basename "$program"))" \
    'vendrel: needs an X11 display; the Qt platform "offscreen" is not one' "$(cat "$work/platform.err")"
done
env -u DISPLAY "$vendrel" -display :65000 > /dev/null 2> "$work/display.err"
check "-display names the X server without DISPLAY" 'vendrel: cannot open the X11 display ":65000"' \
  "$(cat "$work/display.err")"
field 336699
xdotool mousemove 400 300
timeout 10 env -u DISPLAY XDG_CONFIG_HOME="$work/cli" "$vendrel" -display "$DISPLAY" cli -f HEX \
  > "$work/out" 2> /dev/null & pid=$!
wait_window "Vendrel loupe" && xdotool key Return
wait $pid
check "a pick on the X server -display names" "0 336699" "$? $(cat "$work/out")"
kill "${pids[-1]}"

# Help that cannot be printed fails as a pick that cannot be printed does.
"$vendrel" cli --help > /dev/full 2> "$work/help.err"
check "help to a full output ends with status 1" "1" "$?"
check "help to a full output says so" "Could not write the usage text to the standard output" \
  "$(cat "$work/help.err")"
"$vendrel" cli --help >&- 2> /dev/null
check "help to a closed output ends with status 1" "1" "$?"

# The installed program reads the resources installed beside it.
cmake --install "$build" --prefix "$work/prefix" > /dev/null
installed="$work/prefix/bin/vendrel"
check "the installed program finds its formats" "1" \
  "$(env -u VENDREL_RESOURCES "$installed" cli -m 99 | grep -c 'CSS RGB')"
rm "$work/prefix/share/vendrel/resources/ExportFormats.plist"
check "the installed program reads the installed copy" "0" \
  "$(env -u VENDREL_RESOURCES "$installed" cli -m 99 | grep -c 'CSS RGB')"
check "a desktop entry is installed" "Exec=vendrel" \
  "$(grep '^Exec=' "$work/prefix/share/applications/vendrel.desktop")"
icon="$(sed -n 's/^Icon=//p' "$work/prefix/share/applications/vendrel.desktop")"
check "the desktop entry's icon is installed in the icon theme at every size" "8" \
  "$(ls "$work/prefix/share/icons/hicolor/"*x*/apps/"${icon:-none}.png" 2> /dev/null | wc -l)"

if [ $failures -ne 0 ]; then
  echo "$failures end-to-end check(s) failed"
  exit 1
fi
echo "all end-to-end checks passed"

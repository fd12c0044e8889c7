#!/usr/bin/env bash
# What the user set and typed holds, end to end on a German layout: the tour's keys,
# shortcuts recorded with one click on dead keys (both grabbed, both working), the
# banner switch and the loupe's values across a restart, a filter with a no-break
# space, and a single pointer jump back to where the last pick ended. Run under an X
# server started with -noreset (so that the layout outlives its last client) with the
# build folder as the first argument; "openbox" as the second runs it under that
# window manager.
set -uo pipefail
window_manager=${2:-}
source "$(dirname "$0")/common.sh"

# Super with the key left of 1 (dead_circumflex) or left of Backspace (dead_acute), by
# their X key codes.
super_circumflex() { "$helpers/e2e_key_codes" 133 49; }
super_acute() { "$helpers/e2e_key_codes" 133 21; }

clipboard() { xclip -selection clipboard -o 2>/dev/null; }

clear_clipboard() { echo -n "none" | xclip -selection clipboard -i; }

settings="$work/app/vendrel/settings.plist"

# A stored shortcut as "key code, modifier flags".
stored_shortcut() {
  python3 - "$settings" "$1" <<'EOF'
import plistlib, sys
try:
    with open(sys.argv[1], "rb") as f:
        shortcut = plistlib.loads(plistlib.load(f)[sys.argv[2]])
    print(shortcut["KeyCode"], hex(shortcut["ModifierFlags"]))
except Exception as error:
    print("none:", error)
EOF
}

stored_value() {
  python3 - "$settings" "$1" <<'EOF'
import plistlib, sys
try:
    with open(sys.argv[1], "rb") as f:
        print(plistlib.load(f)[sys.argv[2]])
except Exception as error:
    print("none:", error)
EOF
}

start_app() {
  XDG_CONFIG_HOME="$work/app" "$vendrel" > "$work/app.out" 2> "$work/app.err" & app=$!
  pids+=($app)
}

# Clicks a point of the window, given in the window's own coordinates (a window
# manager's frame around it changes nothing).
click_in() { # window id, x, y
  xdotool mousemove --window "$1" "$2" "$3" click 1
}

# AltGr+Space types a no-break space, as on several layouts.
setxkbmap -layout de -option nbsp:level3n
check "the X server keeps the German layout" "de" "$(setxkbmap -query | awk '/^layout/ {print $2}')"

if [ "$window_manager" == openbox ]; then
  openbox --config-file /dev/null > /dev/null 2>&1 & pids+=($!)
  sleep 1
fi

"$helpers/e2e_tray_host" > "$work/tray" & pids+=($!)
mkdir -p "$work/app"
start_app

# The tour: Return and Space go forward, never to Close; Return still goes forward from
# the high-precision pop-up on step 3 once the movie answered.
window_id "Vendrel – Welcome" > /dev/null
xdotool key space
check "Space on the tour's first step goes forward" "shown" \
  "$([ -n "$(window_id "Vendrel – Workflow")" ] && echo shown)"
xdotool key Return
check "Return on step 2 goes forward" "shown" "$([ -n "$(window_id "Vendrel – Hi-Precision Mode")" ] && echo shown)"
xdotool key Tab
theme=""
for _ in $(seq 8); do
  xdotool key Return
  sleep 1
  theme=$(xdotool search --onlyvisible --name "^Vendrel – Theme\$" 2>/dev/null)
  [ -n "$theme" ] && break
done
check "Return on step 3 goes forward from the pop-up" "shown" "$([ -n "$theme" ] && echo shown)"
xdotool key Return
window_id "Vendrel – Shortcuts" > /dev/null
xdotool key Return
check "Return on the last step finishes the tour" "gone" "$(gone "Vendrel – Shortcuts")"
# No picks yet: the overlay opens after the tour.
window_id "Vendrel overlay" > /dev/null && xdotool key Escape
check "the overlay closes" "gone" "$(gone "Vendrel overlay")"

# The preferences from the tray: one click on each recorder records the dead key
# typed next; the banner box is switched off.
tray=$(awk '/^dock/ {print $2; exit}' "$work/tray")
click_in "$tray" 8 8
sleep 1
xdotool key Up Up Up Return
preferences=$(window_id "Vendrel – General")
if [ -n "$preferences" ]; then
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$preferences")"
  # The recorders stand in the right column of the first two rows.
  click_in "$preferences" $((WIDTH * 2 / 3)) 80
  sleep 0.3
  super_circumflex
  sleep 0.3
  click_in "$preferences" $((WIDTH * 2 / 3)) 115
  sleep 0.3
  super_acute
  sleep 0.5
  check "one click records Super+^ for picking" "50 0x100000" "$(stored_shortcut PickColorShortCut)"
  check "one click records Super+´ for the overlay" "24 0x100000" "$(stored_shortcut ColorsAndFormatsShortCut)"
  # The banner box, "Confirm exports with a banner", stands above the last row.
  click_in "$preferences" 145 $((HEIGHT - 46))
  sleep 0.5
  check "the banner box switches banners off" "False" "$(stored_value useNotification)"
  xdotool key Escape
  check "the preferences close" "gone" "$(gone "Vendrel – General")"
else
  echo "FAIL the status menu opened no preferences"
  failures=$((failures + 1))
fi

# Both dead-key shortcuts are grabbed and work.
"$helpers/e2e_grab_probe" 0x40 0xfe52
check "another program cannot grab Super+^" "10" "$?"
"$helpers/e2e_grab_probe" 0x40 0xfe51
check "another program cannot grab Super+´" "10" "$?"

kill -TERM $app
wait $app
"$helpers/e2e_color_field" 336699 1000 700 ff8000 & pids+=($!)
window_id "color field" > /dev/null
start_app
# No pick yet: the overlay opens once the program is up.
window_id "Vendrel overlay" > /dev/null && xdotool key Escape
check "the overlay closes after the restart" "gone" "$(gone "Vendrel overlay")"

# After the restart: the dead keys still open their windows, and banners stay off.
xdotool mousemove 400 300 && super_circumflex
loupe=$(window_id "Vendrel loupe")
check "Super+^ opens the loupe" "shown" "$([ -n "$loupe" ] && echo shown)"
[ -n "$loupe" ] && xdotool click 1
sleep 0.5
check "a pick copies the colour" "336699" "$(clipboard)"
check "no banner after a restart with banners off" "none" \
  "$(timeout 2 xdotool search --sync --onlyvisible --name '^Vendrel banner$' > /dev/null 2>&1 && echo shown || echo none)"

# The loupe's values changed with the wheel are stored when a pick ends without export.
loupe_values() { echo "$(stored_value captureValue) $(stored_value magnificationValue)"; }
before=$(loupe_values)
xdotool mousemove 400 300 && super_circumflex
window_id "Vendrel loupe" > /dev/null
xdotool click 4 click 4 click 4
sleep 0.3
xdotool key Escape
sleep 1
after=$(loupe_values)
check "the wheel's change is stored at the end of a pick without export" "changed" \
  "$([ "$before" != "$after" ] && echo changed || echo "kept $before")"

# A single jump back to where the last pick ended moves the loupe there.
returned=0
for _ in $(seq 4); do
  xdotool mousemove 1000 700 && super_circumflex
  window_id "Vendrel loupe" > /dev/null && xdotool click 1
  gone "Vendrel loupe" > /dev/null
  xdotool mousemove 100 700 && super_circumflex
  window_id "Vendrel loupe" > /dev/null
  sleep 0.3
  clear_clipboard
  xdotool mousemove 1000 700
  sleep 0.3
  xdotool click 1
  sleep 0.5
  [ "$(clipboard)" == ff8000 ] && returned=$((returned + 1))
done
check "one jump back to the last pick's spot picks there" "4" "$returned"

super_acute
check "Super+´ opens the overlay" "shown" "$([ -n "$(window_id "Vendrel overlay")" ] && echo shown)"
# A no-break space separates the filter's words as a blank does.
clear_clipboard
xdotool type --delay 30 css
"$helpers/e2e_key_codes" 108 65
xdotool type --delay 30 rgb
xdotool key Return
sleep 0.6
check "\"css\", a no-break space and \"rgb\" export CSS RGB" "rgb(255, 128, 0)" "$(clipboard)"
check "the overlay hides" "gone" "$(gone "Vendrel overlay")"

kill -TERM $app
wait $app
if [ $failures -ne 0 ]; then
  echo "$failures settings-and-keys check(s) failed${window_manager:+ under $window_manager}"
  exit 1
fi
echo "all settings-and-keys checks passed${window_manager:+ under $window_manager}"

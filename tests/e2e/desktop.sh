#!/usr/bin/env bash
# The program on a real desktop: Xvfb with openbox, the tint2 panel as task bar and tray,
# xsettingsd for the theme and picom as compositing manager. Judges what a monitor
# would show from Xvfb's own framebuffer (xwd of the root draws translucent pixels
# black). Run with the build folder as the first argument; starts its own X server.
set -uo pipefail
source "$(dirname "$0")/common.sh"

check_true() { # name, condition text, exit status of the test
  if [ "$3" -eq 0 ]; then echo "ok   $1"; else echo "FAIL $1: $2"; failures=$((failures + 1)); fi
}

mkdir -p "$work/fb"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -fbdir "$work/fb" 3> "$work/display" 2> /dev/null & pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

theme() { # light or dark, through the desktop's own setting
  local name=Adwaita
  [ "$1" == dark ] && name=Adwaita-dark
  echo "Net/ThemeName \"$name\"" > "$work/xsettingsd.conf"
  [ -n "${xsettings:-}" ] && kill -HUP "$xsettings"
  sleep 0.5
}
theme light
xsettingsd -c "$work/xsettingsd.conf" > /dev/null 2>&1 & xsettings=$!; pids+=($!)
openbox > /dev/null 2>&1 & pids+=($!)
sleep 0.5
tint2 > /dev/null 2>&1 & pids+=($!)
picom --backend xrender --shadow > /dev/null 2>&1 & picom=$!; pids+=($!)
# A plain desktop background (the X server's own is black, like a failure).
convert -size 8x8 xc:'#808080' "$work/desktop.png"
display -window root "$work/desktop.png"
sleep 1

# Waits up to 5 s for a visible window with the title; prints its id.
wait_window() {
  timeout 5 xdotool search --sync --onlyvisible --name "^$1\$" 2> /dev/null | head -1
}
# The window's client area on screen: W H X Y.
area() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "$WIDTH $HEIGHT $X $Y"
}
# The darkest, lightest and mean grey levels (0-255) in the area of the framebuffer.
levels() { # W H X Y
  convert "xwd:$work/fb/Xvfb_screen0" -crop "$1x$2+$3+$4" -colorspace Gray \
    -format "%[fx:int(255*minima+0.5)] %[fx:int(255*maxima+0.5)] %[fx:int(255*mean+0.5)]" info:
}
# The framebuffer's colour at a point, as rrggbb.
pixel() { # x y
  convert "xwd:$work/fb/Xvfb_screen0" -format "%[hex:p{$1,$2}]" info: | cut -c1-6 | tr 'A-F' 'a-f'
}
# Text is readable when the window holds both near-black and near-white.
readable() { # name, window
  read -r w h x y <<< "$(area "$2")"
  read -r low high mean <<< "$(levels "$w" "$h" "$x" "$y")"
  [ "$low" -lt 70 ] && [ "$high" -gt 185 ]
  check_true "$1" "grey levels $low to $high" $?
  echo "$mean" > "$work/mean"
}
in_task_bar() { # window: "listed" when managed without skip-taskbar
  local states
  states=$(xprop -id "$1" _NET_WM_STATE 2> /dev/null)
  if ! xprop -root _NET_CLIENT_LIST | grep -qi "$(printf '0x%x' "$1")"; then echo unmanaged
  elif grep -q SKIP_TASKBAR <<< "$states"; then echo skipped
  else echo listed; fi
}

desktop=808080
# The program takes the desktop's theme on its first run; one program per theme.
for shade in light dark; do
  theme "$shade"
  [ -n "${app:-}" ] && { kill -TERM "$app"; wait "$app"; }
  mkdir -p "$work/$shade"
  XDG_CONFIG_HOME="$work/$shade" "$vendrel" > "$work/$shade.out" 2>&1 & app=$!; pids+=($!)
  tour=$(wait_window "Vendrel – Welcome")
  check "the welcome tour opens ($shade)" "shown" "${tour:+shown}"
  if [ -n "$tour" ]; then
    sleep 1
    readable "the tour is readable with the compositor ($shade)" "$tour"
    check "the tour stays out of the task bar" "skipped" "$(in_task_bar "$tour")"
    xdotool windowfocus --sync "$tour" key Escape
    sleep 1
  fi

  # Closing the tour opens the overlay; the hot key would close it again.
  check "closing the tour opens the overlay ($shade)" "shown" "$([ -n "$(wait_window "Vendrel overlay")" ] && echo shown)"
  xdotool key Escape
  sleep 0.5
  xdotool mousemove 640 500 key shift+super+c
  overlay=$(wait_window "Vendrel overlay")
  if [ -n "$overlay" ]; then
    sleep 1
    readable "the overlay is readable with the compositor ($shade)" "$overlay"
    mean=$(cat "$work/mean")
    if [ "$shade" == dark ]; then [ "$mean" -lt 110 ]; else [ "$mean" -gt 150 ]; fi
    check_true "the overlay takes the $shade theme" "mean grey level $mean" $?
    check "the overlay stays out of the task bar ($shade)" "skipped" "$(in_task_bar "$overlay")"
    xdotool key Escape
    sleep 0.5
  else
    check "the overlay opens ($shade)" "shown" ""
  fi

  # The preferences, from the status menu as in the other end-to-end leg.
  tray=$(xdotool search --classname '^vendrel$' 2> /dev/null | while read -r w; do
    xwininfo -id "$w" | grep 'Width: 2[0-9]$' > /dev/null && echo "$w"; done | head -1)
  prefs=""
  if [ -n "$tray" ]; then
    eval "$(xdotool getwindowgeometry --shell "$tray")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
    sleep 1
    xdotool key Up Up Up Return
    prefs=$(wait_window "Vendrel – General")
  fi
  if [ -n "$prefs" ]; then
    sleep 1
    readable "the preferences are readable with the compositor ($shade)" "$prefs"
    mean=$(cat "$work/mean")
    if [ "$shade" == dark ]; then [ "$mean" -lt 110 ]; else [ "$mean" -gt 150 ]; fi
    check_true "the preferences take the $shade theme" "mean grey level $mean" $?
    xdotool key Escape
    sleep 0.5
  else
    check "the status menu opens the preferences ($shade)" "shown" ""
  fi
done

# The compositing manager stops while the program runs.
kill "$picom"
sleep 1
# The colours at the four corners of a window's rectangle.
corners() { # window
  read -r w h x y <<< "$(area "$1")"
  for p in "$x $y" "$((x + w - 1)) $y" "$x $((y + h - 1))" "$((x + w - 1)) $((y + h - 1))"; do
    pixel $p
  done | sort -u | tr '\n' ' '
}
xdotool mousemove 640 500 key shift+super+c
overlay=$(wait_window "Vendrel overlay")
if [ -n "$overlay" ]; then
  sleep 1
  check "without the compositor the overlay's corners show the desktop" "$desktop " "$(corners "$overlay")"
  readable "without the compositor the overlay is readable" "$overlay"
  xdotool key Escape
  sleep 0.5
else
  check "the overlay opens without the compositor" "shown" ""
fi
xdotool mousemove 640 500 key super+alt+c
loupe=$(wait_window "Vendrel loupe")
if [ -n "$loupe" ]; then
  sleep 0.5
  check "without the compositor the loupe's corners show the desktop" "$desktop " "$(corners "$loupe")"
  xdotool click 1
  banner=$(wait_window "Vendrel banner")
  if [ -n "$banner" ]; then
    sleep 0.3
    check "without the compositor the banner's corners show the desktop" "$desktop " "$(corners "$banner")"
  else
    check "the banner shows" "shown" ""
  fi
else
  check "the loupe opens without the compositor" "shown" ""
fi

kill -TERM "$app"
wait "$app"
check "the program ends cleanly" "0" "$?"

if [ $failures -ne 0 ]; then
  echo "$failures real-desktop check(s) failed"
  exit 1
fi
echo "all real-desktop checks passed"

# What the end-to-end scripts share: the build folder as the first argument, the
# program and its helpers, a work folder, processes ended on exit, and the checks.
build=${1:?build folder}
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
vendrel="$build/app/vendrel"
helpers="$build/tests/e2e"
export VENDREL_RESOURCES="$source_dir/resources"
export QT_QPA_PLATFORM=xcb
unset DBUS_SESSION_BUS_ADDRESS

work=$(mktemp -d)
failures=0
pids=()
cleanup() {
  # Last started first, so an X server outlives its clients; one held up with SIGSTOP
  # ends too.
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill -CONT "${pids[i]}" 2>/dev/null
    kill "${pids[i]}" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT

check() { # name, expected, actual
  if [ "$2" == "$3" ]; then
    echo "ok   $1"
  else
    echo "FAIL $1: expected [$2], got [$3]"
    failures=$((failures + 1))
  fi
}

# The id of the visible window with the title, waiting up to 5 s for it.
window_id() {
  timeout 5 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -1
}

# Waits up to 2 s for no visible window with the title; prints "gone" or "shown".
gone() {
  for _ in $(seq 20); do
    xdotool search --onlyvisible --name "^$1\$" > /dev/null 2>&1 || { echo gone; return; }
    sleep 0.1
  done
  echo shown
}

# Waits up to 5 s for the screen to show the colour (hex, lower case) at x y: a window
# uncovered by one that closed repaints when its program gets to it.
wait_pixel() {
  for _ in $(seq 50); do
    [ "$(import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-Fa-f]\{6\}' | head -1 | tr 'A-F' 'a-f')" == "#$3" ] && return 0
    sleep 0.1
  done
  return 1
}

#!/usr/bin/env bash
# The window's close request ends the real program with status 0 from the
# menu, the board and the results screen, full screen and in a window.
# usage: close_button_test.sh POKLAD X11_PROBE TEST_IMAGE_SET   (inside xvfb-run)
set -u
POKLAD=$1
PROBE=$2
IMAGE_SET=$3
WORK=$(mktemp -d)
game=""
trap '[ -n "$game" ] && kill "$game" 2>/dev/null; rm -rf "$WORK"' EXIT
failures=0
passed=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; passed=$((passed + 1)); }

# The test image set's colour of image i as the 24-bit screen shows it.
expected_colour() {
  local i=$1
  local r=$((32 + (i % 8) * 24)) g=$((32 + (i / 8) * 24)) b=64
  echo $(((r >> 3) * 255 / 31)) $(((g >> 2) * 255 / 63)) $(((b >> 3) * 255 / 31))
}

# 1 when the screen pixel (x, y) shows image i's colour.
shows_image() {
  local x=$1 y=$2 i=$3 got want
  got=($("$PROBE" pixel "$x" "$y")) || return 1
  want=($(expected_colour "$i"))
  for c in 0 1 2; do
    local d=$((got[c] - want[c]))
    [ "${d#-}" -le 8 ] || return 1
  done
}

# Waits up to 10 s until (x, y) shows image i.
wait_for_image() {
  for _ in $(seq 100); do
    shows_image "$@" && return 0
    sleep 0.1
  done
  return 1
}

# Moves the pointer to (x, y), makes sure it stays there, then holds the
# left button longer than one frame (the game reads the button as a level).
click() {
  local x=$1 y=$2
  for _ in $(seq 10); do
    xdotool mousemove "$x" "$y" sleep 0.2
    [ "$(xdotool getmouselocation | cut -d' ' -f1-2)" = "x:$x y:$y" ] && break
  done
  xdotool mousedown 1 sleep 0.3 mouseup 1
}

# At (300, 60) the menu shows its title (image 14), the board a cell frame
# (image 20) and the results screen a background tile (image 18).
IMG_TITLE=14
IMG_BACKGROUND=18
IMG_CELL_FRAME=20

# run_case DRIVER SCREEN: DRIVER is "fullscreen" (the library's automatic
# choice) or "window" (forced with allegro.cfg); SCREEN is menu, board or
# results.
run_case() {
  local driver=$1 screen=$2 name="$1-$2"
  local dir="$WORK/$name"
  mkdir -p "$dir/mapy"
  cp "$IMAGE_SET" "$dir/tarkoni.dat"
  head -c 1400 /dev/zero > "$dir/mapy/prazdna"
  local config=(-u ALLEGRO)
  if [ "$driver" = window ]; then
    # The library reads allegro.cfg beside the program or in the folder
    # named by ALLEGRO, not in the working directory.
    printf '[graphics]\ngfx_card = XWIN\n' > "$dir/allegro.cfg"
    config=(ALLEGRO="$dir")
  fi
  # The library warps the pointer to the centre at start-up and, a moment
  # after the first frame, moves it once more by the same offset: start with
  # the pointer at the centre so that both moves are nothing.
  xdotool mousemove 400 300
  (cd "$dir" && exec env "${config[@]}" timeout 60 "$POKLAD" > "$dir/output" 2>&1) &
  game=$!

  if ! wait_for_image 300 60 $IMG_TITLE; then
    fail "$name: the menu never showed"
    kill "$game" 2>/dev/null; wait "$game"; game=""
    return
  fi
  local window state want_state=IsUnMapped
  window=$(xdotool search --class allegro | head -n 1)
  # Full screen, the window carrying the close protocol stays unmapped and
  # the picture lies in an override-redirect window without a class.
  [ "$driver" = window ] && want_state=IsViewable
  state=$(xwininfo -id "$window" | awk '/Map State/ {print $3}')
  if [ "$state" != "$want_state" ]; then
    fail "$name: the game's window is $state, expected $want_state"
  fi

  local missing=""
  if [ "$screen" != menu ]; then
    click 400 407  # start
    wait_for_image 300 60 $IMG_CELL_FRAME || missing=board
  fi
  if [ -z "$missing" ] && [ "$screen" = results ]; then
    click 70 568  # "Konec hry"
    wait_for_image 300 60 $IMG_BACKGROUND || missing=results
  fi
  if [ -n "$missing" ]; then
    fail "$name: the $missing screen never showed"
    kill "$game" 2>/dev/null; wait "$game"; game=""
    return
  fi
  if ! kill -0 "$game" 2>/dev/null; then
    fail "$name: the game ended before the close request"
    wait "$game"; game=""
    return
  fi

  "$PROBE" close "$window"
  local ended=0
  for _ in $(seq 100); do
    kill -0 "$game" 2>/dev/null || { ended=1; break; }
    sleep 0.1
  done
  if [ "$ended" = 0 ]; then
    fail "$name: still running 10 s after the close request"
    kill "$game" 2>/dev/null; wait "$game"; game=""
    return
  fi
  wait "$game"
  local status=$?
  game=""
  if [ "$status" -eq 0 ]; then pass "$name"; else fail "$name: exit status $status"; fi
}

for driver in fullscreen window; do
  for screen in menu board results; do
    run_case "$driver" "$screen"
  done
done

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]

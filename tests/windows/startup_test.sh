#!/usr/bin/env bash
# Start-up failures of the Windows game under Wine: with no image set and
# with each damaged set the Linux start-up test uses, the game shows the
# Czech message box (its text read from Wine's window trace), ends with
# status 1 once the box is answered, and no crash dialog (winedbg) appears.
# Then the game starts again and again with no image set: every start must
# reach its box (a start that hangs on its way to the window fails here).
# usage: startup_test.sh LINUX_POKLAD   (WINDOWS_DIR, WINEPREFIX, TEST_IMAGE_SET set)
set -u
source "$(dirname "$0")/wine_env.sh"
source "$(dirname "$0")/../startup/damaged_sets.sh"
GOOD_SET=$TEST_IMAGE_SET
BMPS=$(dirname "$GOOD_SET")
MSG_SET="Chyba pri nacitani datoveho souboru."
WORK=$(mktemp -d /tmp/poklad-startup.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
failures=0 passed=0
REPEATS=${STARTUP_REPEATS:-40}

# run_case NAME DIR: starts the game in DIR, answers its box, checks it.
# The game is a copy in DIR itself: started where its folder holds no image
# set, it would take the one beside the program in the stage.
run_case() {
  local name=$1 dir=$2
  cp "$STAGE/hledani-pokladu.exe" "$dir/"
  # Wine runs the game directly, so its own status comes back.
  (cd "$dir" && WINEDEBUG=-all,+win exec timeout 60 "$WINE" ./hledani-pokladu.exe > trace.txt 2>&1) &
  game=$!
  shown="" crash=""
  for _ in $(seq 300); do
    pgrep -f winedbg > /dev/null && crash=1
    shown=$(grep -a -o 'set_window_text L"Chyba[^"]*"' "$dir/trace.txt" | head -n 1)
    [ -n "$shown" ] && break
    sleep 0.1
  done
  # Answer the box until the game is gone.
  for _ in $(seq 100); do
    kill -0 $game 2> /dev/null || break
    pgrep -f winedbg > /dev/null && crash=1
    [ -n "$shown" ] && xdotool key Return
    sleep 0.2
  done
  wait $game
  status=$?
  if [ "$status" -eq 124 ] && [ -z "$shown" ]; then
    echo "FAIL: $name: the game hung before any message box (ended by timeout after 60 s)"
    failures=$((failures + 1))
  elif [ -n "$crash" ]; then
    echo "FAIL: $name: a crash dialog (winedbg) appeared"; failures=$((failures + 1))
    pkill -f winedbg
  elif [ "$shown" != "set_window_text L\"$MSG_SET\"" ]; then
    echo "FAIL: $name: message '${shown:-none}', expected '$MSG_SET'"; failures=$((failures + 1))
  elif [ "$status" -ne 1 ]; then
    echo "FAIL: $name: exit status $status, expected 1"; failures=$((failures + 1))
  else
    [ -n "$quiet" ] || echo "ok: $name"
    passed=$((passed + 1))
  fi
}

quiet=""
for entry in $DAMAGED_SETS; do
  name=${entry%%:*} damage=${entry#*:}
  mkdir -p "$WORK/$name"
  (cd "$WORK/$name" && $damage)
  run_case "$name" "$WORK/$name"
done

# One start in tens once hung for good in the library's input set-up.
quiet=1
mkdir -p "$WORK/again"
for i in $(seq "$REPEATS"); do
  run_case "start $i of $REPEATS" "$WORK/again"
done
echo "repeated starts: $REPEATS"
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]

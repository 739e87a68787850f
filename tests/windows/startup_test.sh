#!/usr/bin/env bash
# Start-up failures of the Windows game under Wine: with no image set and
# with each damaged set the Linux start-up test uses, the game shows the
# Czech message box (its text read from Wine's window trace), ends with
# status 1 once the box is answered, and no crash dialog (winedbg) appears.
# usage: startup_test.sh LINUX_POKLAD   (WINDOWS_DIR, WINEPREFIX, TEST_IMAGE_SET set)
set -u
source "$(dirname "$0")/wine_env.sh"
source "$(dirname "$0")/../startup/damaged_sets.sh"
GOOD_SET=$TEST_IMAGE_SET
BMPS=$(dirname "$GOOD_SET")
MSG_SET="Chyba pri nacitani datoveho souboru."
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0 passed=0

for entry in $DAMAGED_SETS; do
  name=${entry%%:*} damage=${entry#*:}
  dir=$WORK/$name
  mkdir -p "$dir"
  (cd "$dir" && $damage)
  # Wine runs the game directly, so its own status comes back.
  (cd "$dir" && WINEDEBUG=-all,+win exec timeout 60 "$WINE" "$STAGE/hledani-pokladu.exe" > trace.txt 2>&1) &
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
  if [ -n "$crash" ]; then
    echo "FAIL: $name: a crash dialog (winedbg) appeared"; failures=$((failures + 1))
    pkill -f winedbg
  elif [ "$shown" != "set_window_text L\"$MSG_SET\"" ]; then
    echo "FAIL: $name: message '${shown:-none}', expected '$MSG_SET'"; failures=$((failures + 1))
  elif [ "$status" -ne 1 ]; then
    echo "FAIL: $name: exit status $status, expected 1"; failures=$((failures + 1))
  else
    echo "ok: $name"; passed=$((passed + 1))
  fi
done
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]

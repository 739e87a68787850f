#!/usr/bin/env bash
# The Windows map kit under Wine writes the same bytes as the Linux kit:
# build of every shipped map text, render of each built map, generate with
# seeds, the same stats for the same seed, and Czech file names given on the
# command line (outside Windows' code page) written and read as they are.
# usage: mapkit_test.sh LINUX_MAPKIT MAPS_SOURCE_DIR   (WINDOWS_DIR, WINEPREFIX set)
set -u
source "$(dirname "$0")/wine_env.sh"
LINUX_KIT=$1
MAPS=$2
WORK=$(mktemp -d /tmp/poklad-windows-test.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/linux" "$WORK/windows"
cp "$STAGE/hledani-pokladu-mapkit.exe" "$WORK/kit.exe"
failures=0 passed=0
# kit NAME ARGS...: runs both kits in their own folders (file arguments are
# relative), keeping standard output, then compares everything they wrote.
kit() {
  local name=$1
  shift
  (cd "$WORK/linux" && "$LINUX_KIT" "$@" > "$name.out" 2> /dev/null)
  local linux_status=$?
  (cd "$WORK/windows" && "$WINE" ../kit.exe "$@" > "$name.out" 2> /dev/null)
  local windows_status=$?
  if [ $linux_status -ne $windows_status ]; then
    echo "FAIL: $name: status $windows_status on Windows, $linux_status on Linux"; failures=$((failures + 1))
  elif ! diff -r "$WORK/linux" "$WORK/windows" > /dev/null; then
    echo "FAIL: $name: the outputs differ"; diff -r "$WORK/linux" "$WORK/windows" | head -5
    failures=$((failures + 1))
  else
    passed=$((passed + 1))
  fi
}
n=0
for text in "$MAPS"/*.txt; do
  n=$((n + 1))
  cp "$text" "$WORK/linux/map$n.txt"
  cp "$text" "$WORK/windows/map$n.txt"
  kit "build$n" build "map$n.txt" "map$n"
  kit "render$n" render "map$n"
done
kit generate1 generate --seed 1 generated1
kit generate2 generate --seed 18446744073709551615 --traps 40 --find 6=10 generated2
kit generate3 generate --seed 424242 --rows 10 generated3
kit render_generated render generated2
# The computer players' picks come from the seed alone.
kit stats1 stats "map1" --players 4 --matches 300
kit stats2 stats generated2 --players 3 --matches 200 --seed 4294967295
# "Reka" and "Nova Reka" with their Czech letters; the shell passes UTF-8.
cp "$MAPS/$(ls "$MAPS" | head -n 1)" "$WORK/linux/Řeka.txt"
cp "$WORK/linux/Řeka.txt" "$WORK/windows/Řeka.txt"
kit build_czech build Řeka.txt "Nová Řeka"
kit render_czech render "Nová Řeka"
kit stats_czech stats "Nová Řeka" --players 2 --matches 50 --seed 7
for side in linux windows; do
  [ -s "$WORK/$side/Nová Řeka" ] || { echo "FAIL: $side: no file named 'Nová Řeka'"; failures=$((failures + 1)); }
done
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ] && [ "$passed" -ge 15 ]

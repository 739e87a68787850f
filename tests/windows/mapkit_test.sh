#!/usr/bin/env bash
# The Windows map kit under Wine writes the same bytes as the Linux kit:
# build of every shipped map text, render of each built map, and generate
# with seeds.
# usage: mapkit_test.sh LINUX_MAPKIT MAPS_SOURCE_DIR   (WINDOWS_DIR, WINEPREFIX set)
set -u
source "$(dirname "$0")/wine_env.sh"
LINUX_KIT=$1
MAPS=$2
WORK=$(mktemp -d)
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
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ] && [ "$passed" -ge 10 ]

#!/usr/bin/env bash
# The portable zip: it holds the shipped programs, the image set, the shipped
# maps (marked read-only for Windows too), the windowed start okno.bat (with
# Windows line ends), its okno/allegro.cfg and the player's guide, and nothing
# else. Unpacked into a folder whose name holds "&", the game plays from that
# folder: a player's map put into its mapy shows in the menu; started by a
# double-click it takes the whole screen (the Wine desktop becomes 800 x 600),
# started by okno.bat it plays in a window (the desktop stays 1024 x 768).
# usage: zip_test.sh WINDOWS_EXIT_TEST   (WINDOWS_DIR, WINEPREFIX, TEST_IMAGE_SET set)
set -u
source "$(dirname "$0")/wine_env.sh"
PROBE=$1
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
VERSION=$(sed -n '1s/.*(\([^)]*\)).*/\1/p' "$ROOT/debian/changelog")
ZIP=$ROOT/dist/hledani-pokladu-$VERSION-windows.zip
[ -f "$ZIP" ] || { echo "FAIL: no $ZIP (tools/setup/windows.sh writes it)"; exit 1; }
SHIPPED_STAGE=$WINDOWS_DIR/stage-i686
TOP=$(basename "$ZIP" -windows.zip)
WORK=$(mktemp -d /tmp/poklad-windows-test.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
failures=0 passed=0

# What the zip holds, against the staged shipped build.
(cd "$SHIPPED_STAGE" && find . -type f ! -path ./okno/hledani-pokladu.exe | sed "s|^\.|$TOP|"
 echo "$TOP/okno.bat") | sort > "$WORK/expected"
zipinfo -1 "$ZIP" | grep -v '/$' | sort > "$WORK/listed"
check "the zip holds the shipped files and nothing else" diff "$WORK/expected" "$WORK/listed"
# MS-DOS attributes are what Windows reads: read-only on the maps alone.
while read -r entry; do
  attributes=$(zipinfo -v "$ZIP" "$entry" | grep 'MS-DOS file attributes')
  case $entry in
    "$TOP"/mapy/*) check "$entry is read-only" grep -q 'read-only' <<< "$attributes" ;;
    *) check "$entry is not read-only" bash -c "! grep -q 'read-only' <<< '$attributes'" ;;
  esac
done < "$WORK/listed"

# A folder name that cmd.exe reads as two commands where it is not quoted.
unzip -q "$ZIP" -d "$WORK/Hry & mapy"
DIR="$WORK/Hry & mapy/$TOP"
for f in hledani-pokladu.exe hledani-pokladu-mapkit.exe hledani-pokladu-editor.exe tarkoni.dat okno/allegro.cfg Navod.txt; do
  check "$f is the shipped one" cmp -s "$SHIPPED_STAGE/$f" "$DIR/$f"
done
check "okno.bat has Windows line ends" bash -c "[ \$(grep -c \$'\\r\$' '$DIR/okno.bat') -eq \$(wc -l < '$DIR/okno.bat') ]"

# Played from the unpacked folder: the build Wine runs here in place of the
# shipped programs, and the test image set for the pointer-driven checks.
cp "$STAGE"/*.exe "$DIR/"
chmod u+w "$DIR/tarkoni.dat"
cp "$TEST_IMAGE_SET" "$DIR/tarkoni.dat"
printf '\001%.0s' $(seq 1400) > "$DIR/mapy/Moje mapa"
check "the unpacked game lists the player's map" env INSTALLED_DIR="$DIR" PLAYER_MAP="Moje mapa" \
  POKLAD="$DIR/hledani-pokladu.exe" POKLAD_WINE="$WINE" ALLEGRO="$DIR/okno" \
  "$PROBE" --gtest_filter=WindowsInstalled.ListsAPlayersMap
wineserver -k; wineserver -w

# desktop_size_after COMMAND...: starts the game with COMMAND from the
# unpacked folder and prints the Wine desktop's size once the game shows its
# menu (the game sets its mode, full screen or a window, before it draws).
desktop_size_after() {
  (cd "$DIR" && exec "$@" > /dev/null 2>&1 &)
  local size="none: the menu never showed"
  if WAIT_FOR_MENU=1 "$PROBE" --gtest_filter=WindowsInstalled.MenuShows > /dev/null; then
    size=$(for w in $(xdotool search --name 'Wine desktop' 2> /dev/null); do
             xdotool getwindowgeometry "$w" | sed -n 's/.*Geometry: //p'
           done | head -n 1)
  fi
  wineserver -k; wineserver -w
  echo "$size"
}
full=$(desktop_size_after "$WINE" hledani-pokladu.exe)
check "a double-click plays full screen (desktop $full)" test "$full" = 800x600
windowed=$(desktop_size_after "$WINE" cmd /c okno.bat)
check "okno.bat plays in a window (desktop $windowed)" test "$windowed" = 1024x768

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]

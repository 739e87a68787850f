#!/usr/bin/env bash
# The installer in a fresh Wine prefix: a silent install puts the files,
# the Start-menu shortcuts (the map editor's among them) and the uninstaller's registration in place (no
# desktop shortcut unless asked for); the installed game lists a player's
# map put into its maps folder; installing again (an upgrade) keeps that map;
# a silent uninstall removes everything else and leaves it.
# usage: installer_test.sh WINDOWS_EXIT_TEST   (WINDOWS_DIR, WINEPREFIX, TEST_IMAGE_SET set)
set -u
source "$(dirname "$0")/wine_env.sh"
PROBE=$1
SETUP=$WINDOWS_DIR/test-setup.exe
failures=0 passed=0

make_prefix
USERDIR=$WINEPREFIX/drive_c/users/$(id -un)
INSTDIR="$USERDIR/AppData/Local/Hledani pokladu"
MENU="$USERDIR/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Hledani pokladu"
KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\HledaniPokladu'
SHIPPED=$(cd "$STAGE/mapy" && ls)

"$WINE" "$SETUP" /S; wineserver -w
for f in hledani-pokladu.exe hledani-pokladu-mapkit.exe hledani-pokladu-editor.exe tarkoni.dat odinstalovat.exe okno/hledani-pokladu.exe okno/allegro.cfg; do
  check "installed $f" test -f "$INSTDIR/$f"
done
while read -r map; do check "shipped map $map" cmp -s "$STAGE/mapy/$map" "$INSTDIR/mapy/$map"; done <<< "$SHIPPED"
# Read-only (Wine keeps that as a file without write permission), which is
# how the editor tells a shipped map from the player's own.
while read -r map; do
  check "shipped map $map is read-only" bash -c "[[ \$(stat -c %A '$INSTDIR/mapy/$map') != *w* ]]"
done <<< "$SHIPPED"
for lnk in "Hledani pokladu" "Hledani pokladu v okne" "Editor map" "Moje mapy" "Odinstalovat"; do
  check "Start-menu entry $lnk" test -f "$MENU/$lnk.lnk"
done
check "the editor's entry starts the editor" bash -c \
  "{ strings -a '$MENU/Editor map.lnk'; strings -a -el '$MENU/Editor map.lnk'; } | grep -q 'hledani-pokladu-editor.exe'"
check "no desktop shortcut unless asked for" test ! -e "$USERDIR/Desktop/Hledani pokladu.lnk"
check "uninstaller registered" bash -c "'$WINE' reg query '$KEY' /v UninstallString 2> /dev/null | grep -q odinstalovat.exe"

# A player's map, and the installed game started in its shortcuts' working
# folder (the installation folder) with the test image set.
printf '\001%.0s' $(seq 1400) > "$INSTDIR/mapy/Moje mapa"
cp "$INSTDIR/tarkoni.dat" "$WINDOWS_DIR/installed-tarkoni.dat"
cp "$TEST_IMAGE_SET" "$INSTDIR/tarkoni.dat"
check "the installed game lists the player's map" env INSTALLED_DIR="$INSTDIR" PLAYER_MAP="Moje mapa" \
  POKLAD="$INSTDIR/hledani-pokladu.exe" POKLAD_WINE="$WINE" ALLEGRO="$INSTDIR/okno" \
  "$PROBE" --gtest_filter=WindowsInstalled.*
wineserver -w
rm -f "$INSTDIR/output"  # the test driver's record of the game's output

# An upgrade: the shipped files come back, the player's map stays.
rm "$INSTDIR/mapy/$(head -n 1 <<< "$SHIPPED")"
"$WINE" "$SETUP" /S; wineserver -w
check "upgrade keeps the player's map" test -f "$INSTDIR/mapy/Moje mapa"
check "upgrade restores the shipped maps" test -f "$INSTDIR/mapy/$(head -n 1 <<< "$SHIPPED")"
check "upgrade replaces the image set" cmp -s "$INSTDIR/tarkoni.dat" "$WINDOWS_DIR/installed-tarkoni.dat"

"$WINE" "$INSTDIR/odinstalovat.exe" /S; wineserver -w
check "uninstall leaves the player's map" test -f "$INSTDIR/mapy/Moje mapa"
left=$(cd "$INSTDIR" && find . -type f | sort | tr '\n' ' ')
check "uninstall removes everything else (left: $left)" test "$left" = "./mapy/Moje mapa "
check "uninstall removes the editor" test ! -e "$INSTDIR/hledani-pokladu-editor.exe"
check "uninstall removes the Start-menu entries" test ! -e "$MENU"
check "uninstall removes its registration" bash -c "! '$WINE' reg query '$KEY' > /dev/null 2>&1"
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]

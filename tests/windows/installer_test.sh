#!/usr/bin/env bash
# The installer in a fresh Wine prefix: a silent install puts the files, the
# player's guide, the Czech Start-menu shortcuts (the map editor's among
# them) and the uninstaller's registration in place (no desktop shortcut
# unless asked for); the installed game lists a player's map put into its
# maps folder. A player's own map under a shipped map's name is never
# replaced nor deleted, while the shipped maps of earlier releases are.
# While the game, the game in a window or the map editor runs, a silent
# upgrade and a silent uninstall fail and change nothing; run by a player,
# the installer asks in the player's language and tries again. A silent
# uninstall removes everything else (stale temporary files of saves too), and
# of the Start-menu folder only the installer's own shortcuts; the map
# editor's recovery copy stays. A shipped map that another program holds open
# is left with its record by an upgrade and an uninstall, and the next run
# decides again.
# usage: installer_test.sh WINDOWS_EXIT_TEST   (WINDOWS_DIR, WINEPREFIX, TEST_IMAGE_SET set)
set -u
source "$(dirname "$0")/wine_env.sh"
PROBE=$1
SETUP=$WINDOWS_DIR/test-setup.exe
failures=0 passed=0

make_prefix
USERDIR=$WINEPREFIX/drive_c/users/$(id -un)
INSTDIR="$USERDIR/AppData/Local/Hledani pokladu"
PROGRAMS="$USERDIR/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
MENU="$PROGRAMS/Hledání pokladu"
OLD_MENU="$PROGRAMS/Hledani pokladu"  # an earlier release's
KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\HledaniPokladu'
SHIPPED=$(cd "$STAGE/mapy" && ls)
ENTRIES=("Hledání pokladu" "Hledání pokladu v okně" "Editor map" "Moje mapy" "Odinstalovat")

# fnv FILE: the FNV-1a hash the installer records for a shipped map.
fnv() {
  local h=2166136261 b
  for b in $(od -An -v -tu1 "$1"); do h=$(( ((h ^ b) * 16777619) & 0xFFFFFFFF )); done
  printf '%08x\n' "$h"
}
# put_map NAME BYTES MODE: a file in the maps folder with those bytes and
# permissions (Wine shows a file without write permission as read-only).
put_map() {
  mkdir -p "$INSTDIR/mapy"
  rm -f "$INSTDIR/mapy/$1"
  printf '%s' "$2" > "$INSTDIR/mapy/$1"
  chmod "$3" "$INSTDIR/mapy/$1"
}
# uninstall_here: the uninstaller run in place, silently (run as the player
# does, it copies itself away and the copy's status never comes back).
uninstall_here() {
  local -a where
  read -r -a where <<< "_?=$(winepath -w "$INSTDIR")"
  "$WINE" "$INSTDIR/odinstalovat.exe" /S "${where[@]}"
}
# hold_map NAME: another Windows program holds the map open without sharing
# it, until release_map.
hold_map() {
  coproc HOLDER { exec "$WINE" "$WINE_PROBE" lock "$(winepath -w "$INSTDIR/mapy/$1")" 300 2>&1; }
  local said=""
  read -r -t 60 said <&"${HOLDER[0]}"
  [ "${said%$'\r'}" = locked ]
}
release_map() {
  kill "$HOLDER_PID" 2> /dev/null
  wait "$HOLDER_PID" 2> /dev/null
}
# record NAME: the shipped map's record (its bytes' hash), or nothing.
record() {
  "$WINE" reg query "$KEY\\ShippedMaps" /v "$1" 2> /dev/null | tr -d '\r' | awk -v n="$1" 'index($0, n) { print $NF }'
}
# state: everything the installer may change, to compare before and after.
state() {
  (cd "$WINEPREFIX/drive_c/users" && find . -path '*Temp*' -prune -o -type f -print0 | sort -z | xargs -0 md5sum)
  "$WINE" reg query "$KEY" /s 2> /dev/null | tr -d '\r'
}

# Before the first install: a player's own map under a shipped map's name,
# and an earlier release's Start-menu folder beside a player's own shortcut.
PLAYERS_BYTES="my own island"
put_map "Zlaty ostrov" "$PLAYERS_BYTES" 644
mkdir -p "$OLD_MENU"
for lnk in "Hledani pokladu" "Hledani pokladu v okne" "Editor map" "Moje mapy" "Odinstalovat" "Muj zastupce"; do
  echo old > "$OLD_MENU/$lnk.lnk"
done

"$WINE" "$SETUP" /S; wineserver -w
for f in hledani-pokladu.exe hledani-pokladu-mapkit.exe hledani-pokladu-editor.exe tarkoni.dat Navod.txt \
         okno/hledani-pokladu.exe okno/allegro.cfg; do
  check "installed $f" cmp -s "$STAGE/$f" "$INSTDIR/$f"
done
check "installed the uninstaller" test -f "$INSTDIR/odinstalovat.exe"
check "the guide starts with a byte-order mark" bash -c "head -c 3 '$INSTDIR/Navod.txt' | od -An -tx1 | grep -q 'ef bb bf'"
check "the guide has Windows line ends" bash -c "! grep -q \$'[^\\r]\$' '$INSTDIR/Navod.txt'"
check "the guide is in Czech with diacritics" grep -q 'Jak přidat mapu' "$INSTDIR/Navod.txt"
# Read-only (Wine keeps that as a file without write permission), which is
# how the editor tells a shipped map from the player's own.
while read -r map; do
  [ "$map" = "Zlaty ostrov" ] && continue
  check "shipped map $map" cmp -s "$STAGE/mapy/$map" "$INSTDIR/mapy/$map"
  check "shipped map $map is read-only" bash -c "[[ \$(stat -c %A '$INSTDIR/mapy/$map') != *w* ]]"
done <<< "$SHIPPED"
check "the first install keeps the player's map of a shipped name" \
  test "$(cat "$INSTDIR/mapy/Zlaty ostrov")" = "$PLAYERS_BYTES"
for lnk in "${ENTRIES[@]}"; do check "Start-menu entry $lnk" test -f "$MENU/$lnk.lnk"; done
check "the editor's entry starts the editor" bash -c \
  "{ strings -a '$MENU/Editor map.lnk'; strings -a -el '$MENU/Editor map.lnk'; } | grep -q 'hledani-pokladu-editor.exe'"
check "the window entry's description is Czech" bash -c "strings -a -el '$MENU/Hledání pokladu v okně.lnk' | grep -q 'v okn'"
left=$(cd "$OLD_MENU" && ls | tr '\n' ' ')
check "the earlier release's entries go, the player's stays (left: $left)" test "$left" = "Muj zastupce.lnk "
check "no desktop shortcut unless asked for" test ! -e "$USERDIR/Desktop/Hledání pokladu.lnk"
check "uninstaller registered" bash -c "'$WINE' reg query '$KEY' /v UninstallString 2> /dev/null | grep -q odinstalovat.exe"

# A player's map, and the installed game started in its shortcuts' working
# folder (the installation folder) with the test image set.
printf '\001%.0s' $(seq 1400) > "$INSTDIR/mapy/Moje mapa"
cp "$INSTDIR/tarkoni.dat" "$WINDOWS_DIR/installed-tarkoni.dat"
cp "$TEST_IMAGE_SET" "$INSTDIR/tarkoni.dat"
check "the installed game lists the player's map" env INSTALLED_DIR="$INSTDIR" PLAYER_MAP="Moje mapa" \
  POKLAD="$INSTDIR/hledani-pokladu.exe" POKLAD_WINE="$WINE" ALLEGRO="$INSTDIR/okno" \
  "$PROBE" --gtest_filter=WindowsInstalled.ListsAPlayersMap
wineserver -w
rm -f "$INSTDIR/output"  # the test driver's record of the game's output

# While a program runs from the installation, a silent upgrade and a silent
# uninstall end with a non-zero status and leave every file and the
# registration as they were. Running means its .exe is mapped.
# program | started as
RUNNING="hledani-pokladu.exe|the game
okno/hledani-pokladu.exe|the game in a window
hledani-pokladu-editor.exe|the map editor"
rm "$INSTDIR/mapy/Palmovy obrazek"  # an upgrade would bring it back
while IFS='|' read -r program what; do
  (cd "$INSTDIR" && exec "$WINE" "$program") > /dev/null 2>&1 &
  pid=$!
  for _ in $(seq 300); do grep -qF "$INSTDIR/$program" /proc/$pid/maps 2> /dev/null && break; sleep 0.1; done
  before=$(state)
  "$WINE" "$SETUP" /S
  status=$?
  check "a silent upgrade while $what runs fails (status $status)" test "$status" -ne 0
  uninstall_here
  status=$?
  check "a silent uninstall while $what runs fails (status $status)" test "$status" -ne 0
  check "nothing changed while $what runs" test "$before" = "$(state)"
  kill $pid; wait $pid 2> /dev/null; wineserver -k; wineserver -w
done <<< "$RUNNING"

# Run by a player, outside a virtual desktop (so that its windows are X
# windows with their titles): the installer speaks the language of Windows
# (Czech for Slovak too, English for any other), and while the editor runs
# it asks (a box, not its pages); Retry after the editor has closed goes on
# to its pages, Cancel ends it with status 2.
"$WINE" reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f > /dev/null 2>&1
# shown TITLE: the visible window titled TITLE once it shows: its id and size.
shown() {
  local w
  for _ in $(seq 300); do
    for w in $(xdotool search --onlyvisible --name pokladu 2> /dev/null); do
      [ "$(xdotool getwindowname "$w" 2> /dev/null)" = "$1" ] || continue
      echo "$w $(xdotool getwindowgeometry "$w" | sed -n 's/.*Geometry: //p')"
      return
    done
    sleep 0.1
  done
  echo none
}
# language | the installer's title
LANGUAGES="cs_CZ.UTF-8|Instalace Hledání pokladu
sk_SK.UTF-8|Instalace Hledání pokladu
en_GB.UTF-8|Hledání pokladu Setup
de_DE.UTF-8|Hledání pokladu Setup"
while IFS='|' read -r language title; do
  LC_ALL=$language "$WINE" "$SETUP" > /dev/null 2>&1 &
  check "in $language the installer's pages are titled $title" test "$(shown "$title")" != none
  wineserver -k; wineserver -w
done <<< "$LANGUAGES"
# answer | what follows | the installer's status (none: it still runs)
ANSWERS="Return|its pages|none
Escape|the end|2"
while IFS='|' read -r key follows want; do
  (cd "$INSTDIR" && exec "$WINE" hledani-pokladu-editor.exe) > /dev/null 2>&1 &
  editor=$!
  for _ in $(seq 300); do grep -qF "$INSTDIR/hledani-pokladu-editor.exe" /proc/$editor/maps 2> /dev/null && break; sleep 0.1; done
  LC_ALL=cs_CZ.UTF-8 "$WINE" "$SETUP" > /dev/null 2>&1 &
  setup=$!
  box=$(shown "Instalace Hledání pokladu")
  width=${box#* }
  check "the installer asks while the editor runs (a box: $box)" test "${width%x*}" -lt 500 2> /dev/null
  kill $editor; wait $editor 2> /dev/null
  # The key goes to the focused window: a click on the box's text gives it
  # the focus; press until the box has gone.
  for _ in $(seq 10); do
    eval "$(xdotool getwindowgeometry --shell "${box%% *}" 2> /dev/null)"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + 10)) click 1 key "$key" 2> /dev/null
    for _ in $(seq 30); do
      xdotool search --onlyvisible --name pokladu 2> /dev/null | grep -qx "${box%% *}" || break 2
      sleep 0.1
    done
  done
  if [ "$want" = none ]; then
    # The box has gone: what shows next is the wizard, wider than a box.
    pages=$(shown "Instalace Hledání pokladu")
    width=${pages#* }
    check "$key in the box leads to $follows ($pages)" test "${width%x*}" -ge 500 2> /dev/null
  else
    for _ in $(seq 300); do kill -0 $setup 2> /dev/null || break; sleep 0.1; done
    wait $setup
    status=$?
    check "$key in the box leads to $follows with status $want (status $status)" test "$status" = "$want"
  fi
  wineserver -k; wineserver -w
done <<< "$ANSWERS"
"$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f > /dev/null 2>&1

# An upgrade from a release that recorded no maps: a read-only map of other
# bytes is that release's, a writable one the player's.
"$WINE" reg delete "$KEY\\ShippedMaps" /f > /dev/null 2>&1
put_map "Pusta duna" "an older dune" 444
"$WINE" "$SETUP" /S; wineserver -w
check "an upgrade from a release that recorded nothing installs Pusta duna" \
  cmp -s "$STAGE/mapy/Pusta duna" "$INSTDIR/mapy/Pusta duna"
check "an upgrade from a release that recorded nothing keeps the player's map" \
  test "$(cat "$INSTDIR/mapy/Zlaty ostrov")" = "$PLAYERS_BYTES"

# An upgrade: the shipped files come back, and each shipped map is put in
# place or kept as the table says.
# map | before the upgrade | its bytes then (none: as installed) | after it (the shipped map, or those bytes)
MAPS="Zlaty ostrov|the player's, from before the first install|none|$PLAYERS_BYTES
Ostrov pasti|an earlier release's, its bytes recorded|an earlier island|shipped
Severni mys|the player's, read-only, of other bytes than recorded|my own cape|my own cape
Potopena galeona|as installed|none|shipped
Palmovy obrazek|deleted by the player|none|shipped"
while IFS='|' read -r map before bytes after; do
  [ "$bytes" = none ] || put_map "$map" "$bytes" 444
done <<< "$MAPS"
"$WINE" reg add "$KEY\\ShippedMaps" /v "Ostrov pasti" /d "$(fnv "$INSTDIR/mapy/Ostrov pasti")" /f > /dev/null 2>&1
"$WINE" "$SETUP" /S; wineserver -w
while IFS='|' read -r map before bytes after; do
  if [ "$after" = shipped ]; then
    check "upgrade installs $map ($before)" cmp -s "$STAGE/mapy/$map" "$INSTDIR/mapy/$map"
  else
    check "upgrade keeps $map ($before)" test "$(cat "$INSTDIR/mapy/$map")" = "$after"
  fi
done <<< "$MAPS"
check "upgrade keeps the player's map" test -f "$INSTDIR/mapy/Moje mapa"
check "upgrade replaces the image set" cmp -s "$INSTDIR/tarkoni.dat" "$WINDOWS_DIR/installed-tarkoni.dat"
cp "$INSTDIR/mapy/Zlaty ostrov" "$INSTDIR/mapy/Severni mys" "$WINDOWS_DIR/"

# A shipped map of an earlier release that another program holds open: the
# upgrade cannot read it, so it keeps the file and its record; the next
# upgrade, with the map free, replaces it.
put_map "Pusta duna" "an earlier dune" 444
"$WINE" reg add "$KEY\\ShippedMaps" /v "Pusta duna" /d "$(fnv "$INSTDIR/mapy/Pusta duna")" /f > /dev/null 2>&1
before=$(record "Pusta duna")
check "another program holds Pusta duna" hold_map "Pusta duna"
"$WINE" "$SETUP" /S
check "an upgrade leaves a shipped map it cannot read" test "$(cat "$INSTDIR/mapy/Pusta duna")" = "an earlier dune"
check "an upgrade keeps the record of a map it cannot read ($before, now $(record "Pusta duna"))" \
  test -n "$before" -a "$(record "Pusta duna")" = "$before"
release_map
wineserver -w
"$WINE" "$SETUP" /S; wineserver -w
check "the next upgrade installs the map once it can read it" cmp -s "$STAGE/mapy/Pusta duna" "$INSTDIR/mapy/Pusta duna"
check "the next upgrade records the map it installed" test "$(record "Pusta duna")" = "$(fnv "$STAGE/mapy/Pusta duna")"

# What the map editor leaves: a save cut short, a recovery copy and a copy
# cut short.
printf 'half a map' > "$INSTDIR/mapy/.mapkit-Ab12Cd"
printf 'editor-obnova 1 0 0 0\n' > "$INSTDIR/.editor-obnova"
printf 'editor-obn' > "$INSTDIR/.editor-obnova.tmp"

echo old > "$MENU/Muj zastupce.lnk"
"$WINE" "$INSTDIR/odinstalovat.exe" /S; wineserver -w
for map in "Zlaty ostrov" "Severni mys"; do
  check "uninstall leaves the player's $map" cmp -s "$WINDOWS_DIR/$map" "$INSTDIR/mapy/$map"
done
left=$(cd "$INSTDIR" && find . -type f | sort | tr '\n' ' ')
check "uninstall removes everything else, keeps the editor's copy (left: $left)" \
  test "$left" = "./.editor-obnova ./mapy/Moje mapa ./mapy/Severni mys ./mapy/Zlaty ostrov "
left=$(cd "$MENU" && ls | tr '\n' ' ')
check "uninstall removes its own Start-menu entries alone (left: $left)" test "$left" = "Muj zastupce.lnk "
check "uninstall removes its registration" bash -c "! '$WINE' reg query '$KEY' > /dev/null 2>&1"

# An uninstall that cannot read a shipped map leaves it and its record, and
# is gone from the list of programs; the next uninstall, with the map free,
# removes it and the rest, and a stale save's file keeps no folder.
rm -rf "$INSTDIR"
"$WINE" "$SETUP" /S; wineserver -w
check "another program holds Potopena galeona" hold_map "Potopena galeona"
uninstall_here
check "an uninstall leaves a shipped map it cannot read" cmp -s "$STAGE/mapy/Potopena galeona" "$INSTDIR/mapy/Potopena galeona"
check "an uninstall keeps the record of a map it cannot read" \
  test "$(record "Potopena galeona")" = "$(fnv "$STAGE/mapy/Potopena galeona")"
check "an uninstall that kept a record leaves the list of programs" \
  bash -c "! '$WINE' reg query '$KEY' /v DisplayName > /dev/null 2>&1"
left=$(cd "$INSTDIR/mapy" && ls | tr '\n' ' ')
check "an uninstall removes the other shipped maps (left: $left)" test "$left" = "Potopena galeona "
release_map
wineserver -w
printf 'half a map' > "$INSTDIR/mapy/.mapkit-Xy34Zw"
"$WINE" "$INSTDIR/odinstalovat.exe" /S; wineserver -w
check "the next uninstall removes the map and the folder" test ! -e "$INSTDIR"
check "the next uninstall removes the registration" bash -c "! '$WINE' reg query '$KEY' > /dev/null 2>&1"
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]

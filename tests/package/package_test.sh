#!/usr/bin/env bash
# The Debian package from end to end, as root: built by tools/setup/package.sh,
# checked by lintian, desktop-file-validate and appstreamcli, installed with
# apt-get, the installed tree compared with CMake's install rules, the
# launcher's options, the game started through the launcher in an Xvfb of
# its own (fresh home, a player's maps, --window, a read-only home, a file in
# the per-user folder's place, no HOME), the map editor through its own
# launcher, and finally purged.
# usage: package_test.sh PACKAGE_PROBE BUILD_DIR
set -uo pipefail

probe=$1
build=$2
project=$(cd "$(dirname "$0")/../.." && pwd)
pkg=hledani-pokladu
launcher=/usr/games/$pkg
data=/usr/share/games/$pkg
failures=0
tmp=$(mktemp -d /tmp/poklad-package-test.XXXXXX)
chmod 755 "$tmp"
xvfb_pid=
game_pid=

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
# check DESCRIPTION CONDITION: CONDITION is shell code, run with eval.
check() { if eval "$2"; then pass "$1"; else fail "$1"; fi; }

lines() { wc -l <"$1"; }

cleanup()
{
  [ -n "$game_pid" ] && kill -9 "$game_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  if dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed'; then
    apt-get purge -y "$pkg" >/dev/null 2>&1
  fi
  rm -rf -- "$tmp"
}
trap cleanup EXIT

if [ "$(id -u)" != 0 ]; then
  echo "package_test.sh: run as root (it installs and purges the package)" >&2
  exit 1
fi

# --- building and checking the package
version=$(dpkg-parsechangelog -l "$project/debian/changelog" -S Version)
arch=$(dpkg --print-architecture)
deb=$project/dist/${pkg}_${version}_${arch}.deb
# What the package build must not change: the project's files, and in its
# parent what a package build can write there (other programs may write
# into a shared parent): the packages, .changes, .buildinfo and build logs.
tree_state() {
  git -C "$project" status --porcelain 2>/dev/null
  (cd "$project/.." && ls -d -- "$pkg"*.deb "$pkg"*.ddeb "$pkg"*.changes "$pkg"*.buildinfo "$pkg"*.build 2>/dev/null)
}
before=$(tree_state)
if ! DEB_BUILD_OPTIONS="nocheck parallel=2" bash "$project/tools/setup/package.sh" >"$tmp/package.log" 2>&1; then
  tail -40 "$tmp/package.log"
  fail "tools/setup/package.sh builds the package"
  exit 1
fi
pass "package.sh wrote ${deb#"$project"/}"
check "the package build leaves the project folder and its parent as they were" '[ "$(tree_state)" = "$before" ]'

# lintian leaves its scratch databases in TMPDIR: they go with the test's folder.
TMPDIR="$tmp" lintian --fail-on error,warning "$project/dist/${pkg}_${version}_${arch}.changes" >"$tmp/lintian.out" 2>&1
lintian_status=$?
grep -v 'running with root privileges' "$tmp/lintian.out"
check "lintian finds no error or warning" '[ "$lintian_status" = 0 ]'

apt-get purge -y "$pkg" >/dev/null 2>&1
check "apt-get installs the package" 'apt-get install -y "$deb" >"$tmp/install.log" 2>&1'

out=$(desktop-file-validate /usr/share/applications/$pkg.desktop 2>&1)
status=$?
check "desktop-file-validate says nothing" '[ "$status" = 0 ] && [ -z "$out" ]'
appstreamcli validate --no-net /usr/share/metainfo/$pkg.metainfo.xml >"$tmp/appstream.out" 2>&1
cat "$tmp/appstream.out"
check "appstreamcli finds no error" '! grep -q "^E:" "$tmp/appstream.out"'

# Each icon is a PNG of its folder's size (width and height in its header).
icons_ok=1
for size in 16 32 48 64 128 256; do
  icon=/usr/share/icons/hicolor/${size}x${size}/apps/$pkg.png
  [ "$(od -An -tx1 -j16 -N8 "$icon" 2>/dev/null | tr -d ' \n')" = "$(printf '%08x%08x' "$size" "$size")" ] ||
    icons_ok=0
done
check "the icons are PNG pictures of 16 to 256 pixels" '[ "$icons_ok" = 1 ]'

# CMake's install rules give the package's tree.
DESTDIR=$tmp/cmake-tree cmake --install "$build" --prefix /usr >/dev/null 2>"$tmp/install.err" ||
  sed 's/^/    cmake --install: /' "$tmp/install.err"
(cd "$tmp/cmake-tree" && find . ! -type d | sed 's|^\.||' | sort) >"$tmp/cmake.list"
# (debhelper adds lintian's overrides file, which is Debian's business alone)
dpkg -L "$pkg" | while IFS= read -r path; do [ -d "$path" ] || echo "$path"; done |
  grep -v "^/usr/share/lintian/overrides/$pkg\$" | sort >"$tmp/dpkg.list"
check "cmake --install gives the package's files" 'diff "$tmp/cmake.list" "$tmp/dpkg.list"'

# --- the launcher's options
"$launcher" --version >"$tmp/out" 2>"$tmp/err"
status=$?
check "--version prints the version, status 0" \
  '[ "$status" = 0 ] && [ "$(cat "$tmp/out")" = "$pkg $version" ] && [ ! -s "$tmp/err" ]'
HOME=$tmp/help-home "$launcher" --help >"$tmp/out" 2>"$tmp/err"
status=$?
check "--help prints usage, options and the maps folder, status 0" '[ "$status" = 0 ] && [ ! -s "$tmp/err" ] &&
  grep -q "^usage: $pkg" "$tmp/out" && grep -q -- --window "$tmp/out" &&
  grep -qF "$tmp/help-home/.local/share/$pkg/mapy" "$tmp/out" && [ ! -e "$tmp/help-home" ]'
"$launcher" --window --colour >"$tmp/out" 2>"$tmp/err"
status=$?
check "an unknown option gives one usage line on stderr, status 2" '[ "$status" = 2 ] && [ ! -s "$tmp/out" ] &&
  [ "$(lines "$tmp/err")" = 1 ] && grep -q "usage: $pkg" "$tmp/err"'

# --- playing through the launcher, in an Xvfb of the test's own
exec 3>"$tmp/display"
Xvfb -displayfd 3 -screen 0 800x600x24 -noreset >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$tmp/display")
unset XAUTHORITY ALLEGRO XDG_DATA_HOME
mkdir -p "$tmp/elsewhere"

# start_game NAME [ENV/setpriv PREFIX...] -- [LAUNCHER ARGS]: runs the launcher
# from an unrelated folder, its output in $tmp/NAME.out and .err.
start_game()
{
  local name=$1
  shift
  local prefix=()
  while [ "$1" != -- ]; do prefix+=("$1"); shift; done
  shift
  (cd "$tmp/elsewhere" && exec "${prefix[@]}" "$launcher" "$@" >"$tmp/$name.out" 2>"$tmp/$name.err") &
  game_pid=$!
}

# close_game: the window manager's close message; the game's status.
close_game()
{
  "$probe" close || { kill -9 "$game_pid"; }
  for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.05; done
  kill -0 "$game_pid" 2>/dev/null && kill -9 "$game_pid"
  wait "$game_pid"
  local status=$?
  game_pid=
  return "$status"
}

# A fresh home: the folder is made with links to the image set and every
# shipped map, and the menu shows the first of them.
home=$tmp/home
mkdir "$home"
user=$home/.local/share/$pkg
start_game fresh env HOME="$home" -- 
shown=$("$probe" label "$user/mapy")
check "a fresh home: the menu shows the first map of the per-user folder" '[ -n "$shown" ] && [ -e "$data/mapy/$shown" ]'
check "the launcher runs the program in its own process (exec)" \
  '[ "$(readlink "/proc/$game_pid/exe")" = "/usr/lib/games/$pkg/$pkg" ]'
close_game
status=$?
check "the close message ends the game with status 0" '[ "$status" = 0 ]'
check "nothing on stderr from a fresh start" '[ ! -s "$tmp/fresh.err" ]'
check "the image set is linked in" '[ "$(readlink "$user/tarkoni.dat")" = "$data/tarkoni.dat" ]'
all_linked=1
for map in "$data/mapy"/*; do
  [ "$(readlink "$user/mapy/${map##*/}")" = "$map" ] || all_linked=0
done
check "every shipped map is linked into the per-user mapy/" '[ "$all_linked" = 1 ]'

# A player's files: a map with a space in its name shows in the menu; a
# player's file named like a shipped map stays as it is; a link to a map an
# upgrade dropped goes; the player's own links stay.
cp "$data/mapy/$shown" "$user/mapy/Moje mapa"
replaced=$(cd "$data/mapy" && ls | tail -n 1)
rm "$user/mapy/$replaced"
printf 'mine' >"$user/mapy/$replaced"
ln -s "$data/mapy/Zmizela mapa" "$user/mapy/Zmizela mapa"
ln -s /nonexistent/map "$user/mapy/Odkaz hrace"
ln -s "$data/mapy/$shown" "$user/mapy/Kopie hrace"
start_game player env HOME="$home" --
check "a map the player copied in appears in the menu" '"$probe" seek "Moje mapa"'
close_game
status=$?
check "... and the game ends with status 0" '[ "$status" = 0 ]'
check "a player's file named like a shipped map is kept" '[ ! -L "$user/mapy/$replaced" ] &&
  [ "$(cat "$user/mapy/$replaced")" = mine ]'
check "a link to a dropped shipped map is removed" '[ ! -L "$user/mapy/Zmizela mapa" ]'
check "the player's own links are kept" '[ -L "$user/mapy/Odkaz hrace" ] && [ -L "$user/mapy/Kopie hrace" ]'
check "the player's map is unchanged" 'cmp -s "$data/mapy/$shown" "$user/mapy/Moje mapa"'

# --window: a window a window manager could close; the close message ends
# the game with status 0.
start_game window env HOME="$home" -- --window
check "--window gives a managed window that takes the close message" '"$probe" window'
close_game
status=$?
check "... and closing it ends the game with status 0" '[ "$status" = 0 ]'

# Bad surroundings: one line on stderr, then the game on the shipped maps
# from the installed data folder, and nothing of the player's touched.
bad_start() # NAME DESCRIPTION PREFIX...
{
  local name=$1 what=$2
  shift 2
  start_game "$name" "$@" --
  local shown_here
  shown_here=$("$probe" label "$data/mapy")
  check "$what: the game starts on the shipped maps" '[ -n "$shown_here" ]'
  close_game
  local status=$?
  check "$what: status 0" '[ "$status" = 0 ]'
  check "$what: one line on stderr" '[ "$(lines "$tmp/$name.err")" = 1 ]'
  sed 's/^/    stderr: /' "$tmp/$name.err"
}
mkdir "$tmp/ro-home"
bad_start ro "a read-only home" setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$tmp/ro-home"
check "a read-only home: nothing written there" '[ -z "$(ls -A "$tmp/ro-home")" ]'
mkdir -p "$tmp/file-home/.local/share"
printf 'not a folder' >"$tmp/file-home/.local/share/$pkg"
bad_start file "a file in the per-user folder's place" env HOME="$tmp/file-home"
check "a file in the folder's place: left as it was" '[ "$(cat "$tmp/file-home/.local/share/$pkg")" = "not a folder" ]'
bad_start nohome "HOME unset" env -u HOME

# --- the map editor: its menu entry, manual page and launcher; started from
# elsewhere with a relative map name, it runs in the player's folder, opens
# that map, and closes with status 0 when nothing was changed.
editor=/usr/games/$pkg-editor
out=$(desktop-file-validate /usr/share/applications/$pkg-editor.desktop 2>&1)
status=$?
check "the editor's menu entry: desktop-file-validate says nothing" '[ "$status" = 0 ] && [ -z "$out" ]'
check "the editor's manual page is installed" '[ -s /usr/share/man/man6/$pkg-editor.6.gz ]'
"$editor" --version >"$tmp/out" 2>"$tmp/err"
status=$?
check "the editor's --version prints its version, status 0" \
  '[ "$status" = 0 ] && [ "$(cat "$tmp/out")" = "$pkg-editor $version" ] && [ ! -s "$tmp/err" ]'
"$editor" one two >"$tmp/out" 2>"$tmp/err"
status=$?
check "the editor refuses two maps with one usage line, status 2" '[ "$status" = 2 ] && [ "$(lines "$tmp/err")" = 1 ]'
cp "$data/mapy/$shown" "$tmp/elsewhere/Vlastni mapa"
game_launcher=$launcher
launcher=$editor
start_game editor env HOME="$home" -- "Vlastni mapa"
launcher=$game_launcher
check "the editor opens a window" '"$probe" window'
check "the editor's launcher runs the program in its own process (exec)" \
  '[ "$(readlink "/proc/$game_pid/exe")" = "/usr/lib/games/$pkg/$pkg-editor" ]'
check "the editor works in the player's folder" '[ "$(readlink "/proc/$game_pid/cwd")" = "$user" ]'
close_game
status=$?
check "closing the unchanged map ends the editor with status 0" '[ "$status" = 0 ]'
check "nothing on stderr from the editor" '[ ! -s "$tmp/editor.err" ]'
check "the opened map is unchanged" 'cmp -s "$data/mapy/$shown" "$tmp/elsewhere/Vlastni mapa"'

# --- purging removes every file of the package
dpkg -L "$pkg" >"$tmp/installed.list"
apt-get purge -y "$pkg" >"$tmp/purge.log" 2>&1
left=0
while IFS= read -r path; do
  [ -e "$path" ] || [ -L "$path" ] || continue
  # A shared folder may stay when another package owns it or holds files in it.
  if [ -d "$path" ] && [ ! -L "$path" ] && { [ -n "$(ls -A "$path")" ] || dpkg -S "$path" >/dev/null 2>&1; }; then
    continue
  fi
  echo "    left behind: $path"
  left=1
done <"$tmp/installed.list"
check "apt-get purge leaves none of the package's files" '[ "$left" = 0 ]'

if [ "$failures" != 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all package checks passed"

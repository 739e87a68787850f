#!/usr/bin/env bash
# The launcher, configured from its template as packaging/ does but for a
# fake installed tree in a temporary folder, with a stub in place of the game
# that prints the folder it runs in, the image set and the maps it sees
# there. Covers the options, a fresh start, stale links of an earlier
# install, a relative HOME, player's folders of another owner or writable by
# others, a read-only mapy/ and the surroundings where only the installed
# data can be used, and the launcher started under the map editor's name.
# Run as root: it makes files of other users and runs the launcher as nobody.
# usage: launcher_test.sh LAUNCHER_TEMPLATE
set -uo pipefail

template=$1
name=hledani-pokladu
failures=0
if [ "$(id -u)" != 0 ]; then
  echo "launcher_test.sh: run as root (it makes folders of other users and runs the launcher as nobody)" >&2
  exit 1
fi
umask 022
tmp=$(mktemp -d /tmp/poklad-launcher-test.XXXXXX)
chmod 755 "$tmp"
trap 'rm -rf -- "$tmp"' EXIT

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
# check DESCRIPTION CONDITION: CONDITION is shell code, run with eval.
check() { if eval "$2"; then pass "$1"; else fail "$1"; fi; }
lines() { wc -l <"$1"; }

# --- the fake installed tree
prefix=$tmp/usr
data=$prefix/share/games/$name
program=$prefix/lib/games/$name/$name
launcher=$prefix/games/$name
mkdir -p "$data/mapy" "$data/window" "${program%/*}" "${launcher%/*}" "$tmp/elsewhere"
echo installed >"$data/tarkoni.dat"
for map in "Zlaty ostrov" "Pusta duna"; do echo "shipped $map" >"$data/mapy/$map"; done
sed -e "s|@POKLAD_VERSION@|9.9|g" -e "s|@GAME_PROGRAM@|$program|g" -e "s|@GAME_DATA@|$data|g" \
  "$template" >"$launcher"
chmod 755 "$launcher"
check "the template names no setting that the test leaves unset" '! grep -q "@[A-Z_]*@" "$launcher"'
cat >"$program" <<'STUB'
#!/bin/sh
# Stands in for the game: what it would load, from the folder it runs in.
echo "folder $PWD"
echo "image set $(cat tarkoni.dat 2>/dev/null || echo missing)"
echo "window ${ALLEGRO:-no}"
for map in mapy/* mapy/.[!.]*; do
  [ -e "$map" ] || [ -L "$map" ] || continue
  echo "map ${map#mapy/}: $(cat "$map" 2>/dev/null || echo unreadable)"
done
STUB
chmod 755 "$program"

# play NAME [PREFIX...] -- [ARGS...]: runs the launcher from an unrelated
# folder with PREFIX (env, setpriv) before it; its output in $tmp/NAME.out
# and .err, its status in $status.
play()
{
  local run=$1
  shift
  local pre=()
  while [ "$1" != -- ]; do pre+=("$1"); shift; done
  shift
  (cd "$tmp/elsewhere" && exec env -u XDG_DATA_HOME -u ALLEGRO "${pre[@]}" "$launcher" "$@" \
    >"$tmp/$run.out" 2>"$tmp/$run.err")
  status=$?
  sed 's/^/    stderr: /' "$tmp/$run.err"
}
# sees RUN LINE: the stub printed LINE.
sees() { grep -qxF -- "$2" "$tmp/$1.out"; }
# from_data RUN DESCRIPTION: the run played from the installed data with
# one line on stderr.
from_data()
{
  local run=$1
  check "$2: the game plays from the installed data, status 0" \
    '[ "$status" = 0 ] && sees "$run" "folder $data" && sees "$run" "image set installed"'
  check "$2: one line on stderr says why" '[ "$(lines "$tmp/$run.err")" = 1 ]'
}

# --- options: all are read first; an unknown one is status 2 wherever it stands
for args in "--help --bogus" "--bogus --help" "--window --bogus" "--version --bogus"; do
  # shellcheck disable=SC2086
  play options env HOME="$tmp/options-home" -- $args
  check "$args: status 2, one usage line on stderr, the game not started" '[ "$status" = 2 ] &&
    [ ! -s "$tmp/options.out" ] && [ "$(lines "$tmp/options.err")" = 1 ] && grep -q "usage: $name" "$tmp/options.err"'
done
play options env HOME="$tmp/options-home" -- --help
check "--help: usage and the maps folder, status 0, nothing made" '[ "$status" = 0 ] && [ ! -s "$tmp/options.err" ] &&
  grep -q "^usage: $name" "$tmp/options.out" && grep -qF "$tmp/options-home/.local/share/$name/mapy" "$tmp/options.out" &&
  [ ! -e "$tmp/options-home" ]'
play options env HOME="$tmp/options-home" -- --window --version
check "--window --version: the version, status 0" '[ "$status" = 0 ] && [ "$(cat "$tmp/options.out")" = "$name 9.9" ]'

# --- a fresh start, under a umask that would let the group write
home=$tmp/home
user=$home/.local/share/$name
mkdir "$home"
play fresh sh -c 'umask 002 && exec "$0" "$@"' env HOME="$home" --
check "a fresh start plays in the new folder with every shipped map, quietly" '[ "$status" = 0 ] &&
  sees fresh "folder $user" && sees fresh "image set installed" && sees fresh "map Zlaty ostrov: shipped Zlaty ostrov" &&
  sees fresh "map Pusta duna: shipped Pusta duna" && [ ! -s "$tmp/fresh.err" ]'
check "the folder and mapy/ are made writable by their owner alone" \
  '[ "$(stat -c %a "$user")" = 755 ] && [ "$(stat -c %a "$user/mapy")" = 755 ]'
play fresh-again sh -c 'umask 002 && exec "$0" "$@"' env HOME="$home" -- --window
check "... and are used at the next start, --window with the window settings" '[ "$status" = 0 ] &&
  sees fresh-again "folder $user" && sees fresh-again "window $data/window" && [ ! -s "$tmp/fresh-again.err" ]'

# --- links of an earlier install (another prefix) that point nowhere now
old=/nonexistent/old-prefix/share/games/$name
ln -sfn "$old/tarkoni.dat" "$user/tarkoni.dat"
rm "$user/mapy/Zlaty ostrov"
ln -s "$old/mapy/Zlaty ostrov" "$user/mapy/Zlaty ostrov"
ln -s "$old/mapy/Stara mapa" "$user/mapy/Stara mapa"
ln -s "$data/mapy/Zmizela mapa" "$user/mapy/Zmizela mapa"
ln -s /nonexistent/map "$user/mapy/Odkaz hrace"
ln -s "$data/mapy/Pusta duna" "$user/mapy/Kopie hrace"
echo mine >"$user/mapy/Moje mapa"
play stale env HOME="$home" --
check "a dangling image set link is renewed" '[ "$status" = 0 ] && sees stale "folder $user" &&
  sees stale "image set installed" && [ "$(readlink "$user/tarkoni.dat")" = "$data/tarkoni.dat" ]'
check "a dangling link to a shipped map of an earlier install is renewed" \
  '[ "$(readlink "$user/mapy/Zlaty ostrov")" = "$data/mapy/Zlaty ostrov" ] && sees stale "map Zlaty ostrov: shipped Zlaty ostrov"'
check "dangling links to maps no longer shipped are removed" \
  '[ ! -L "$user/mapy/Stara mapa" ] && [ ! -L "$user/mapy/Zmizela mapa" ]'
check "the player's own links and maps stay" '[ "$(readlink "$user/mapy/Odkaz hrace")" = /nonexistent/map ] &&
  [ -L "$user/mapy/Kopie hrace" ] && sees stale "map Moje mapa: mine" && [ ! -s "$tmp/stale.err" ]'

# A player's own image set, as a file or as a working link, is never touched.
home2=$tmp/home2
user2=$home2/.local/share/$name
mkdir -p "$user2/mapy"
echo "my own set" >"$user2/tarkoni.dat"
play own-set env HOME="$home2" --
check "a player's own image set file is kept and used" '[ "$status" = 0 ] && sees own-set "image set my own set" &&
  [ ! -L "$user2/tarkoni.dat" ]'
echo "linked set" >"$tmp/linked.dat"
rm "$user2/tarkoni.dat"
ln -s "$tmp/linked.dat" "$user2/tarkoni.dat"
play own-link env HOME="$home2" --
check "a player's working image set link is kept and used" '[ "$status" = 0 ] && sees own-link "image set linked set" &&
  [ "$(readlink "$user2/tarkoni.dat")" = "$tmp/linked.dat" ]'

# --- a relative HOME is no home, as a relative XDG_DATA_HOME is no data home
play relative env HOME=relhome XDG_DATA_HOME=relxdg --
from_data relative "HOME=relhome"
check "HOME=relhome: nothing made in the folder it was started from" '[ -z "$(ls -A "$tmp/elsewhere")" ] &&
  grep -q HOME "$tmp/relative.err"'

# --- a player's folder that others own or may write to is not used
shared=$tmp/shared
mkdir -p "$shared/$name/mapy"
chmod 1777 "$shared"
echo planted >"$shared/$name/tarkoni.dat"
echo planted >"$shared/$name/mapy/Podstrcena"
chown -R 12345:12345 "$shared/$name"
play foreign env HOME="$home" XDG_DATA_HOME="$shared" --
from_data foreign "a folder owned by another user"
check "... nothing planted there is loaded" '! grep -q planted "$tmp/foreign.out" && grep -q "owned by" "$tmp/foreign.err"'
chown -R 0:0 "$shared/$name"
chmod 777 "$shared/$name"
play open env HOME="$home" XDG_DATA_HOME="$shared" --
from_data open "a folder writable by others"
check "... nothing planted there is loaded" '! grep -q planted "$tmp/open.out" && grep -q writable "$tmp/open.err"'
chmod 755 "$shared/$name"
chmod 775 "$shared/$name/mapy"
play group-maps env HOME="$home" XDG_DATA_HOME="$shared" --
from_data group-maps "a mapy/ writable by the group"
chmod 755 "$shared/$name/mapy"
chown 12345 "$shared/$name/mapy"
play foreign-maps env HOME="$home" XDG_DATA_HOME="$shared" --
from_data foreign-maps "a mapy/ owned by another user"
chown 0 "$shared/$name/mapy"
play shared-ok env HOME="$home" XDG_DATA_HOME="$shared" --
check "the same folder, once the player's alone, is used" '[ "$status" = 0 ] && sees shared-ok "folder $shared/$name" &&
  sees shared-ok "map Podstrcena: planted" && [ ! -s "$tmp/shared-ok.err" ]'

# --- a read-only mapy/ and a map added by an upgrade: the player keeps the
# folder and its maps, and hears which shipped map is missing
nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups)
ro_home=$tmp/ro-maps-home
ro_user=$ro_home/.local/share/$name
mkdir "$ro_home"
chown 65534:65534 "$ro_home"
play ro-first "${nobody[@]}" env HOME="$ro_home" --
check "as nobody, a fresh start plays in nobody's folder" '[ "$status" = 0 ] && sees ro-first "folder $ro_user"'
echo "nobody's" >"$ro_user/mapy/Moje mapa"
chown 65534:65534 "$ro_user/mapy/Moje mapa"
chmod 555 "$ro_user/mapy"
echo "shipped Nova mapa" >"$data/mapy/Nova mapa"
play ro-maps "${nobody[@]}" env HOME="$ro_home" --
check "a read-only mapy/: the game plays from the player's folder with the player's maps" '[ "$status" = 0 ] &&
  sees ro-maps "folder $ro_user" && sees ro-maps "map Moje mapa: nobody'"'"'s" &&
  sees ro-maps "map Zlaty ostrov: shipped Zlaty ostrov"'
check "... and one line on stderr names the shipped map that could not be linked" \
  '[ "$(lines "$tmp/ro-maps.err")" = 1 ] && grep -qF "Nova mapa" "$tmp/ro-maps.err"'
rm "$data/mapy/Nova mapa"

# --- where the player's folder cannot be used at all
play no-home env -u HOME --
from_data no-home "HOME unset"
mkdir -p "$tmp/file-home/.local/share"
echo "not a folder" >"$tmp/file-home/.local/share/$name"
play file env HOME="$tmp/file-home" --
from_data file "a file in the folder's place"
check "... the file is left as it was" '[ "$(cat "$tmp/file-home/.local/share/$name")" = "not a folder" ]'
mkdir "$tmp/ro-home"
play ro-home "${nobody[@]}" env HOME="$tmp/ro-home" --
from_data ro-home "a read-only home"
check "... nothing written there" '[ -z "$(ls -A "$tmp/ro-home")" ]'

# --- started as hledani-pokladu-editor (a link to the launcher): the map
# editor, installed beside the game, run in the same player's folder with the
# map named from where it was started
ln -s "$name" "$launcher-editor"
cat >"$program-editor" <<'STUB'
#!/bin/sh
# Stands in for the map editor: the folder it runs in and what it was given.
echo "folder $PWD"
echo "args $#: $*"
STUB
chmod 755 "$program-editor"
game_launcher=$launcher
launcher=$launcher-editor
play editor env HOME="$home" -- "Moje mapa"
check "the editor runs in the player's folder, given the map's full name" '[ "$status" = 0 ] &&
  sees editor "folder $user" && sees editor "args 1: $tmp/elsewhere/Moje mapa" && [ ! -s "$tmp/editor.err" ]'
play editor-new env HOME="$home" -- /abs/map
check "... an absolute name as it is" '[ "$status" = 0 ] && sees editor-new "args 1: /abs/map"'
play editor-new env HOME="$home" --
check "... and without a map no argument" '[ "$status" = 0 ] && sees editor-new "args 0: "'
play editor-version env HOME="$home" -- --version
check "the editor's --version names the editor" \
  '[ "$status" = 0 ] && [ "$(cat "$tmp/editor-version.out")" = "$name-editor 9.9" ]'
for args in "one two" "--window" "map --bogus"; do
  # shellcheck disable=SC2086
  play editor-bad env HOME="$home" -- $args
  check "editor $args: status 2, one usage line on stderr, the editor not started" '[ "$status" = 2 ] &&
    [ ! -s "$tmp/editor-bad.out" ] && [ "$(lines "$tmp/editor-bad.err")" = 1 ] &&
    grep -q "usage: $name-editor" "$tmp/editor-bad.err"'
done
play editor-help env HOME="$tmp/editor-help-home" -- --help
check "the editor's --help names the maps folder and makes nothing" '[ "$status" = 0 ] &&
  grep -q "^usage: $name-editor" "$tmp/editor-help.out" &&
  grep -qF "$tmp/editor-help-home/.local/share/$name/mapy" "$tmp/editor-help.out" && [ ! -e "$tmp/editor-help-home" ]'
play editor-nohome env -u HOME --
check "the editor without HOME runs in the installed data, one line on stderr" '[ "$status" = 0 ] &&
  sees editor-nohome "folder $data" && [ "$(lines "$tmp/editor-nohome.err")" = 1 ]'
launcher=$game_launcher

if [ "$failures" != 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all launcher checks passed"

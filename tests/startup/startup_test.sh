#!/usr/bin/env bash
# Start-up failures and a normal quit, on the real binary under Xvfb, with
# the library's real message box.
# usage: startup_test.sh POKLAD TEST_IMAGE_SET   (run inside xvfb-run)
set -u
POKLAD=$1
GOOD_SET=$2
BMPS=$(dirname "$GOOD_SET")
WORK=$(mktemp -d /tmp/poklad-startup.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
failures=0
passed=0

# Prefix for the game's command line: empty, or a launcher (see below).
launcher=()

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; passed=$((passed + 1)); }

# game_ended PID MS: 0 once process PID (a child of this shell) has ended,
# 1 if it still runs after MS milliseconds.
game_ended() {
  local pid=$1 ms=$2
  for _ in $(seq $((ms / 50))); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.05
  done
  ! kill -0 "$pid" 2>/dev/null
}

# run_case NAME EXPECTED_MESSAGE SETUP...: runs the game in a fresh folder
# prepared by SETUP; the library's real message box (xmessage) must come up
# with exactly the expected text and take its OK, and the game must end with
# status 1.
run_case() {
  local name=$1 expected=$2
  shift 2
  local dir="$WORK/$name"
  mkdir -p "$dir"
  (cd "$dir" && "$@")
  (cd "$dir" && exec timeout 30 "${launcher[@]}" "$POKLAD" > "$dir/stdout" 2>&1) &
  local game=$! box="" shown=""
  for _ in $(seq 150); do
    box=$(xdotool search --class xmessage 2>/dev/null | head -n 1)
    [ -n "$box" ] && break
    sleep 0.1
  done
  if [ -z "$box" ]; then
    fail "$name: no message box appeared"; kill "$game" 2>/dev/null; wait "$game"; return
  fi
  # The box shows the argument after -center (the library adds a line end).
  # (the box of this test's display: other programs may show boxes elsewhere)
  local pid="" p
  for p in $(pgrep -x xmessage); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "DISPLAY=$DISPLAY" && pid=$p
  done
  shown=$(tr '\0' '\n' < "/proc/$pid/cmdline" | sed -n '/^-center$/{n;p;q}')
  # The box may not take keys the moment it exists: press Return until the
  # game has ended, for at most 15 s.
  for _ in $(seq 30); do
    xdotool key --window "$box" Return 2>/dev/null
    game_ended "$game" 500 && break
  done
  wait "$game"
  local status=$?
  if [ "$status" -ne 1 ]; then
    fail "$name: exit status $status, expected 1"
  elif ! sanitizer_reports_contained "$dir/stdout"; then
    fail "$name: sanitizer report outside the trial load"; cat "$dir/stdout"
  elif [ "$shown" != "$expected" ]; then
    fail "$name: message '$shown', expected '$expected'"
  else
    pass "$name"
  fi
}

# In the sanitizer build the library's loader, fed a damaged image set, is
# caught double-freeing or reading wild memory inside the library itself.
# That is why the game loads a set in a throw-away child first; such a
# report is accepted only when it comes from that child's trial load.
sanitizer_reports_contained() {
  local log=$1
  grep -q "Sanitizer" "$log" || return 0
  local reports trial
  reports=$(grep -c "ERROR: .*Sanitizer" "$log")
  trial=$(awk '/ERROR: .*Sanitizer/{inside=1} inside && /trial_load/{n++; inside=0} END{print n+0}' "$log")
  [ "$reports" -eq "$trial" ]
}

MSG_SET="Chyba pri nacitani datoveho souboru."
MSG_GFX="Chyba pri inicializaci grafiky."

source "$(dirname "$0")/damaged_sets.sh"

run_case missing "$MSG_SET" missing
run_case empty "$MSG_SET" empty
run_case random_bytes "$MSG_SET" noise
run_case header_then_garbage "$MSG_SET" header_then_garbage
run_case cut_in_headers "$MSG_SET" cut_in_headers
run_case only_47_bitmaps "$MSG_SET" only_47
run_case non_bitmap_object "$MSG_SET" non_bitmap

# No display at all: the message goes to standard output as one whole line,
# so that a shell's prompt starts on a line of its own.
dir="$WORK/no_display"
mkdir -p "$dir"
cp "$GOOD_SET" "$dir/tarkoni.dat"
(cd "$dir" && env -u DISPLAY timeout 20 "$POKLAD" > "$dir/stdout" 2> "$dir/stderr")
status=$?
if [ "$status" -ne 1 ]; then
  fail "no_display: exit status $status, expected 1"
elif ! printf '%s\n' "$MSG_GFX" | cmp -s - "$dir/stdout"; then
  fail "no_display: printed '$(od -An -c "$dir/stdout" | tr -s ' \n' ' ')', expected the message and a line end"
else
  pass "no_display"
fi

# start_and_quit NAME: a normal start with a good image set and a click on
# quit: status 0, and no message box on the way. The quit control acts only
# in the menu, which comes up after the image set has loaded and after the
# last point where a start-up message box could appear, so the game ending
# with status 0 from that click proves the menu came and no box did. The
# click is repeated every second until the game ends, for at most 20 s, as
# the menu may come up at any point of that; a box that shows meanwhile
# fails the case at once.
start_and_quit() {
  local name=$1 dir="$WORK/$1" box=""
  mkdir -p "$dir"
  cp "$GOOD_SET" "$dir/tarkoni.dat"
  (cd "$dir" && exec timeout 30 "${launcher[@]}" "$POKLAD" > /dev/null 2>&1) &
  local game=$!
  for _ in $(seq 20); do
    box=$(xdotool search --class xmessage 2>/dev/null | head -n 1)
    [ -n "$box" ] && break
    xdotool mousemove 400 438 sleep 0.2 mousedown 1 sleep 0.3 mouseup 1 mousemove 5 5
    game_ended "$game" 500 && break
  done
  if [ -n "$box" ] || ! game_ended "$game" 0; then
    fail "$name: the game showed no menu${box:+ but a message box}"
    for box in $(xdotool search --class xmessage 2>/dev/null); do
      xdotool key --window "$box" Return
    done
    kill "$game" 2>/dev/null; wait "$game"; return
  fi
  wait "$game"
  local status=$?
  if [ "$status" -eq 0 ]; then pass "$name"; else fail "$name: exit status $status"; fi
}

start_and_quit quit

# Some launchers and scripting languages start programs with SIGCHLD set to
# "ignore", which is inherited across exec. The trial load of the image set
# must still see how its child ended: a good set starts, a bad one is refused.
cat > "$WORK/ignoring-sigchld" <<'PERL'
#!/usr/bin/perl
$SIG{CHLD} = "IGNORE";
exec { $ARGV[0] } @ARGV or die "exec $ARGV[0]: $!\n";
PERL
chmod +x "$WORK/ignoring-sigchld"
ignored=$("$WORK/ignoring-sigchld" awk '/^SigIgn:/{print $2}' /proc/self/status)
if (( (16#$ignored >> 16) & 1 )); then
  launcher=("$WORK/ignoring-sigchld")
  start_and_quit sigchld_ignored_good_set
  run_case sigchld_ignored_random_bytes "$MSG_SET" noise
  run_case sigchld_ignored_header_then_garbage "$MSG_SET" header_then_garbage
  launcher=()
else
  fail "sigchld_ignored: the launcher does not ignore SIGCHLD (SigIgn $ignored)"
fi

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]

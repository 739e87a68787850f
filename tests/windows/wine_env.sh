# Sourced by the Windows tests: which build Wine can run here, Wine's quiet
# settings and the tests' own prefix. Needs WINDOWS_DIR (tools/setup/windows.sh's
# build-windows) and WINEPREFIX set by the caller.
ARCH=$(cat "$WINDOWS_DIR/test-arch")
STAGE=$WINDOWS_DIR/stage-$ARCH
if [ "$ARCH" = i686 ]; then WINE=wine; else WINE=/usr/lib/wine/wine64; fi
if [ "$ARCH" = i686 ]; then
  echo "Running the shipped 32-bit (i686) build under Wine"
else
  if [ -x /usr/lib/wine/wine ]; then why="this kernel cannot run 32-bit programs"; else why="wine32 is not installed"; fi
  echo "Running the 64-bit (x86_64) build under Wine: $why"
fi
export WINE
# The tests' own Windows program (wine_probe.c) for this build.
export WINE_PROBE=${WINE_PROBE_DIR:-}/wine_probe-$ARCH.exe
export WINEDEBUG=${WINEDEBUG:--all}
# No menu entries or .desktop files in the user's home, no Mono or Gecko
# installer prompts.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export WINEPREFIX
# Names are UTF-8 on the Linux side, and Wine then gives Windows programs the
# Western code page (1252), which lacks letters such as the Czech hooked r:
# the tests' Czech names show that the programs never go through it.
export LC_ALL=C.UTF-8

# A fresh prefix whose registry asks for a 1024 x 768 virtual desktop: the
# game's window sits inside it and Wine still returns the game's own status.
make_prefix() {
  rm -rf "$WINEPREFIX"
  "$WINE" wineboot -i > /dev/null 2>&1
  "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f > /dev/null 2>&1
  "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f > /dev/null 2>&1
  wineserver -w
}

# check DESCRIPTION COMMAND...: runs COMMAND, counting it in passed, or in
# failures with DESCRIPTION said (the caller sets both counts to 0 first).
check() {
  local what=$1
  shift
  if "$@"; then passed=$((passed + 1)); else echo "FAIL: $what"; failures=$((failures + 1)); fi
}

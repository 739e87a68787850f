#!/usr/bin/env bash
# Every Windows program (shipped and test builds) imports only Windows' own
# DLLs, and the shipped ones are 32-bit.
# usage: imports_test.sh BUILD_WINDOWS_DIR
set -u
DIR=$1
SYSTEM_DLLS=" kernel32.dll user32.dll gdi32.dll msvcrt.dll ole32.dll oleaut32.dll winmm.dll ddraw.dll"
SYSTEM_DLLS+=" dsound.dll dinput.dll comdlg32.dll advapi32.dll shell32.dll comctl32.dll "
failures=0 checked=0
for exe in "$DIR"/stage-*/*.exe "$DIR"/stage-*/okno/*.exe; do
  [ -f "$exe" ] || continue
  checked=$((checked + 1))
  dump=$(objdump -p "$exe") || { echo "FAIL: objdump cannot read $exe"; failures=$((failures + 1)); continue; }
  while read -r dll; do
    if [[ "$SYSTEM_DLLS" != *" ${dll,,} "* ]]; then
      echo "FAIL: $exe imports $dll"; failures=$((failures + 1))
    fi
  done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<< "$dump")
  case $exe in
    */stage-i686/*) grep -q "file format pei-i386" <<< "$dump" || { echo "FAIL: $exe is not 32-bit"; failures=$((failures + 1)); } ;;
  esac
  echo "checked $exe: $(sed -n 's/^[[:space:]]*DLL Name: //p' <<< "$dump" | tr '\n' ' ')"
done
[ "$checked" -ge 4 ] || { echo "FAIL: only $checked programs found in $DIR"; exit 1; }
for stage in "$DIR"/stage-*; do
  for exe in hledani-pokladu.exe hledani-pokladu-mapkit.exe hledani-pokladu-editor.exe; do
    [ -f "$stage/$exe" ] || { echo "FAIL: $stage has no $exe"; failures=$((failures + 1)); }
  done
done
[ "$failures" -eq 0 ]

#!/usr/bin/env bash
# The tests leave nothing in /tmp. Every test's scratch folders are named
# /tmp/poklad-NAME-XXXXXX or /tmp/poklad-NAME.XXXXXX, and xvfb-run keeps its
# server's files in /tmp/xvfb-run.XXXXXX; "before" lists those
# into FILE ahead of the tests (what was there already is not this run's),
# "after" names what is there now that was not before, and fails when
# anything is. A folder a running program works in, holds a file of or names
# is another suite's, running beside this one on the machine, and not counted.
# usage: tmp_watch.sh before|after FILE
set -u
listing() { (cd /tmp && ls -d poklad-*-?????? poklad-*.?????? xvfb-run.?????? 2> /dev/null | LC_ALL=C sort -u); }
case $1 in
before) listing > "$2" ;;
after)
  new=$(listing | LC_ALL=C comm -13 "$2" -)
  rm -f "$2"
  left=()
  if [ -n "$new" ]; then
    # A folder's path among a program's working folder, open files, arguments
    # or environment (xvfb-run's server and its programs name its folder in
    # -auth and XAUTHORITY; the folder itself is held open by nobody).
    held=$({
      ls -l /proc/[0-9]*/cwd /proc/[0-9]*/fd
      cat /proc/[0-9]*/cmdline /proc/[0-9]*/environ | tr '\0' '\n'
    } 2> /dev/null)
    for name in $new; do
      if [ ! -e "/tmp/$name" ]; then
        continue  # gone since the listing: a suite beside this one has just ended
      elif grep -qE -- "/tmp/$name(/|\$)" <<< "$held"; then
        echo "in use by a running program, not counted: /tmp/$name"
      else
        left+=("$name")
      fi
    done
  fi
  if [ ${#left[@]} -gt 0 ]; then
    echo "FAIL: the tests left in /tmp: ${left[*]}"
    exit 1
  fi
  echo "ok: the tests left nothing in /tmp" ;;
*) echo "usage: tmp_watch.sh before|after FILE" >&2; exit 2 ;;
esac

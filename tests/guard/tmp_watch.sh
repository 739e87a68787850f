#!/usr/bin/env bash
# The tests leave nothing in /tmp. Every test's scratch folders are named
# /tmp/poklad-NAME-XXXXXX or /tmp/poklad-NAME.XXXXXX; "before" lists those
# into FILE ahead of the tests (what was there already is not this run's),
# "after" names what is there now that was not before, and fails when
# anything is. Another suite run at the same time on the machine shows here
# as this run's.
# usage: tmp_watch.sh before|after FILE
set -u
listing() { (cd /tmp && ls -d poklad-*-?????? poklad-*.?????? 2> /dev/null | LC_ALL=C sort -u); }
case $1 in
before) listing > "$2" ;;
after)
  left=$(listing | LC_ALL=C comm -13 "$2" -)
  rm -f "$2"
  if [ -n "$left" ]; then
    echo "FAIL: the tests left in /tmp:" $left
    exit 1
  fi
  echo "ok: the tests left nothing in /tmp" ;;
*) echo "usage: tmp_watch.sh before|after FILE" >&2; exit 2 ;;
esac

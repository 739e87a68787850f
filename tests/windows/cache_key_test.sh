#!/usr/bin/env bash
# The static libraries in build-windows/cache are rebuilt whenever anything
# they are built from changes: tools/setup/windows.sh keys the cache on the
# pinned versions, the checksums, the patches, the toolchain files and the
# configure flags. Each change below, made to a copy of the project's files,
# must give another key; the unchanged copy gives the same key twice.
# usage: cache_key_test.sh PROJECT_DIR
set -u
PROJECT=$1
WORK=$(mktemp -d /tmp/poklad-windows-test.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
failures=0 passed=0

# key [FILE SED-EXPRESSION]: the key of a fresh copy, with the change made.
key() {
  rm -rf "$WORK/copy"
  mkdir -p "$WORK/copy/tools/setup" "$WORK/copy/debian"
  cp "$PROJECT"/tools/setup/*.sh "$WORK/copy/tools/setup/"
  cp -r "$PROJECT/tools/windows" "$WORK/copy/tools/"
  cp "$PROJECT/debian/changelog" "$WORK/copy/debian/"
  [ $# -eq 0 ] || sed -i "$2" "$WORK/copy/$1"
  bash "$WORK/copy/tools/setup/windows.sh" --libraries-key i686
}
same=$(key)
[ "$same" = "$(key)" ] && passed=$((passed + 1)) || { echo "FAIL: one copy gives two keys"; failures=$((failures + 1)); }

# what changes | file | sed expression
CHANGES="Allegro's pinned version|tools/setup/debian_source.sh|s/^ALLEGRO_SRC=.*/ALLEGRO_SRC=allegro4.4=2:4.4.3.1-4/
zlib's checksum|tools/setup/windows.sh|s/^ZLIB_SHA=7/ZLIB_SHA=8/
libpng's Debian patches' tarball|tools/setup/windows.sh|s/^PNG_DEBIAN=.*/PNG_DEBIAN=libpng1.6_1.6.39-2+deb12u6.debian.tar.xz/
a configure flag of Allegro|tools/setup/windows.sh|s/-DWANT_LOGG=off/-DWANT_LOGG=on/
a configure flag of zlib|tools/setup/windows.sh|s/configure --static/configure --static --zprefix/
a patch of Allegro|tools/windows/patches/01-dinput-system-devices.patch|1s/^/# changed\n/
the toolchain|tools/windows/toolchain-common.cmake|1s/^/# changed\n/"
while IFS='|' read -r what file expression; do
  changed=$(key "$file" "$expression")
  if [ -n "$changed" ] && [ "$changed" != "$same" ]; then
    passed=$((passed + 1))
  else
    echo "FAIL: a change of $what keeps the key"
    failures=$((failures + 1))
  fi
done <<< "$CHANGES"
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]

#!/usr/bin/env bash
# The Windows edition, cross-built on Debian: installs the cross tools, Wine
# and NSIS (as root), fetches Allegro 4.4.3.1, zlib and libpng from Debian's
# source packages, checks their SHA-256, applies tools/windows/patches, builds
# them statically into build-windows/cache (reused by the next run), builds
# the game, the map kit and the map editor for 32-bit Windows, and writes
# dist/hledani-pokladu-VERSION-windows.zip and dist/hledani-pokladu-VERSION-setup.exe.
# The image set and the maps are the same bytes as the Linux build's: they
# come from a native build in build-windows/native.
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$(pwd)
OUT=$ROOT/build-windows
CACHE=$OUT/cache
JOBS=$(nproc)
VERSION=$(sed -n '1s/.*(\([^)]*\)).*/\1/p' debian/changelog)

# The upstream tarballs, as Debian bookworm ships them (Allegro's is named
# in debian_source.sh).
source "$ROOT/tools/setup/debian_source.sh"
source "$ROOT/tools/setup/apt.sh"
ZLIB_SRC=zlib=1:1.2.13.dfsg-1
ZLIB_TAR=zlib_1.2.13.dfsg.orig.tar.bz2
ZLIB_SHA=71feb7947e3c00ef125f83b79a4e529bde31171e5babe48b391f06758d1ab0a1
PNG_SRC=libpng1.6=1.6.39-2+deb12u5
PNG_TAR=libpng1.6_1.6.39.orig.tar.gz
PNG_SHA=a00e9d2f2f664186e4202db9299397f851aea71b36a35e74910b8820e380d441
PNG_DEBIAN=libpng1.6_1.6.39-2+deb12u5.debian.tar.xz

step() { echo "== $* ($(date +%T))"; }

install_packages() {
  [ "$(id -u)" -eq 0 ] || { echo "not root: assuming the cross tools, Wine and NSIS are installed"; return; }
  step "Installing the cross tools, Wine and NSIS"
  dpkg --add-architecture i386
  enable_source_packages
  apt_update
  apt_install g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 cmake make patch dpkg-dev \
    build-essential pkg-config liballegro4-dev libpng-dev \
    wine wine64 nsis zip unzip icoutils xvfb xauth xdotool procps googletest
  # Only running the 32-bit programs needs wine32; the installer and the zip
  # are made without it. Its i386 index may be missing, or its libraries out
  # of step with the amd64 ones after a security update.
  apt_install_optional "the Windows tests will run the 64-bit build" wine32:i386
}

# unpack TARBALL DIR: a fresh copy of the source in $WORK/DIR.
unpack() {
  rm -rf "$WORK/$2"
  mkdir -p "$WORK"
  tar xf "$CACHE/src/$1" -C "$WORK"
}

# quietly LOG COMMAND...: runs the command with its output in LOG, shown
# only when it fails.
quietly() {
  local log=$1
  shift
  "$@" >> "$log" 2>&1 || { tail -n 40 "$log"; echo "failed: $* (log: $log)"; exit 1; }
}

# libraries_key ARCH: what the static libraries are built from: the pinned
# sources and their checksums, the project's patches, the toolchain files and
# the build steps themselves (build_libraries' own text, configure flags and
# all). A change in any of them gives another key.
libraries_key() {
  { echo "$1 $ALLEGRO_SRC $ALLEGRO_TAR $ALLEGRO_SHA $ZLIB_SRC $ZLIB_TAR $ZLIB_SHA"
    echo "$PNG_SRC $PNG_TAR $PNG_SHA $PNG_DEBIAN"
    { cat "$CACHE/src/$PNG_DEBIAN" 2> /dev/null || echo "no $PNG_DEBIAN yet"; } | sha256sum
    "$1-w64-mingw32-gcc" --version | head -n 1
    declare -f build_libraries unpack quietly
    cat "$ROOT"/tools/windows/patches/*.patch "$ROOT"/tools/windows/toolchain-*.cmake
  } | sha256sum | cut -d' ' -f1
}

# build_libraries ARCH: zlib, libpng (with Debian's patches) and Allegro
# (with the project's patches) built statically into $CACHE/ARCH, rebuilt
# only when libraries_key changed since.
build_libraries() {
  local arch=$1
  local prefix=$CACHE/$arch toolchain=$ROOT/tools/windows/toolchain-$arch.cmake
  local host=$arch-w64-mingw32 WORK=$CACHE/work-$arch log=$CACHE/$arch.log
  local sum
  sum=$(libraries_key "$arch")
  if [ -f "$prefix/.stamp" ] && [ "$(cat "$prefix/.stamp")" = "$sum" ]; then
    echo "== The static libraries for $arch are built already ($prefix)"
    return
  fi
  rm -rf "$prefix" "$log"
  mkdir -p "$prefix"

  step "Building zlib for $arch"
  unpack $ZLIB_TAR zlib-1.2.13.dfsg
  (cd "$WORK/zlib-1.2.13.dfsg" && CHOST=$host quietly "$log" ./configure --static --prefix="$prefix" &&
    quietly "$log" make -j"$JOBS" libz.a && quietly "$log" make install)

  step "Building libpng for $arch with Debian's patches"
  unpack $PNG_TAR libpng-1.6.39
  tar xf "$CACHE/src/$PNG_DEBIAN" -C "$WORK/libpng-1.6.39"
  (cd "$WORK/libpng-1.6.39" && while read -r p; do
     case $p in ''|'#'*) continue ;; esac
     patch -p1 -s < "debian/patches/$p"
   done < debian/patches/series)
  quietly "$log" cmake -S "$WORK/libpng-1.6.39" -B "$WORK/libpng-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_FILES=ON
  quietly "$log" cmake --build "$WORK/libpng-build" -j"$JOBS" --target install

  step "Building Allegro 4.4.3.1 for $arch with the project's patches"
  unpack $ALLEGRO_TAR allegro-4.4.3.1
  for p in "$ROOT"/tools/windows/patches/*.patch; do
    echo "applying $(basename "$p")"
    patch -d "$WORK/allegro-4.4.3.1" -p1 -s < "$p"
  done
  quietly "$log" cmake -S "$WORK/allegro-4.4.3.1" -B "$WORK/allegro-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" \
    -DSHARED=off -DWANT_EXAMPLES=off -DWANT_TOOLS=off -DWANT_TESTS=off -DWANT_DOCS=off \
    -DWANT_ALLEGROGL=off -DWANT_LOGG=off -DWANT_JPGALLEG=off -DWANT_LOADPNG=on
  quietly "$log" cmake --build "$WORK/allegro-build" -j"$JOBS" --target install
  rm -rf "$WORK"
  echo "$sum" > "$prefix/.stamp"
}

NATIVE=$OUT/native
ICON=$OUT/hledani-pokladu.ico
native_build() {
  step "Native build: the image set, the maps and the icon"
  cmake -S "$ROOT" -B "$NATIVE" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF > /dev/null
  quietly "$OUT/native.log" cmake --build "$NATIVE" -j"$JOBS" --target game_image_set game_maps game_icons
  icotool -c -o "$ICON" "$NATIVE"/icons/{16,32,48}.png -r "$NATIVE/icons/256.png"
}

# build_game ARCH: the game, the map kit and the map editor for Windows on ARCH, laid out in
# $OUT/stage-ARCH as a player gets them: the programs, the image set, the
# shipped maps in mapy, and okno/ with a second copy of the game beside an
# allegro.cfg that asks the library for a window.
build_game() {
  local arch=$1 dir=$OUT/game-$1 stage=$OUT/stage-$1
  step "Cross build: the game, the map kit and the editor for $arch Windows"
  cmake -S "$ROOT" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$ROOT/tools/windows/toolchain-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DPOKLAD_WINDOWS_PREFIX="$CACHE/$arch" -DPOKLAD_ICON="$ICON" > /dev/null
  quietly "$OUT/game-$arch.log" cmake --build "$dir" -j"$JOBS" --target poklad mapkit poklad_editor
  rm -rf "$stage"
  mkdir -p "$stage/mapy" "$stage/okno"
  cp "$dir/hledani-pokladu.exe" "$dir/tools/mapkit/hledani-pokladu-mapkit.exe" \
    "$dir/tools/editor/hledani-pokladu-editor.exe" "$stage/"
  "$arch-w64-mingw32-strip" "$stage"/*.exe
  cp "$stage/hledani-pokladu.exe" "$stage/okno/"
  cp "$ROOT/tools/windows/okno/allegro.cfg" "$stage/okno/"
  cp "$ROOT/data/tarkoni.dat" "$stage/"
  cp "$ROOT"/data/mapy/* "$stage/mapy/"
  # The player's guide as Notepad reads it: UTF-8 with a byte-order mark
  # and Windows line ends.
  { printf '\xef\xbb\xbf'; sed 's/$/\r/' "$ROOT/tools/windows/Navod.txt"; } > "$stage/Navod.txt"
}

# Whether Wine can run 32-bit programs here: not without wine32 (Debian's
# wine then falls back to the 64-bit loader, which cannot), nor where the
# kernel lacks 32-bit support (the loader fails with "Exec format error").
WINE32=/usr/lib/wine/wine
wine_runs_32bit() {
  [ -x "$WINE32" ] && "$WINE32" --version > /dev/null 2>&1
}

# --libraries-key ARCH prints the cache's key and does nothing else (the
# tests check that every input changes it).
if [ "${1:-}" = --libraries-key ]; then
  libraries_key "${2:-i686}"
  exit 0
fi
install_packages
fetch $ALLEGRO_SRC $ALLEGRO_TAR $ALLEGRO_SHA
fetch $ZLIB_SRC $ZLIB_TAR $ZLIB_SHA
fetch $PNG_SRC $PNG_TAR $PNG_SHA $PNG_DEBIAN
build_libraries i686
native_build
build_game i686

step "The portable zip"
mkdir -p "$ROOT/dist"
ZIP=$ROOT/dist/hledani-pokladu-$VERSION-windows.zip
rm -rf "$OUT/zip" "$ZIP"
mkdir -p "$OUT/zip"
cp -r "$OUT/stage-i686" "$OUT/zip/hledani-pokladu-$VERSION"
# The zip carries no second copy of the game: its okno.bat points the
# library at okno/allegro.cfg instead.
rm "$OUT/zip/hledani-pokladu-$VERSION/okno/hledani-pokladu.exe"
cp "$ROOT/tools/windows/okno.bat" "$OUT/zip/hledani-pokladu-$VERSION/"
# The shipped maps are read-only in the zip too (its entries carry the
# read-only attribute), so that the editor tells them from the player's own.
chmod a-w "$OUT/zip/hledani-pokladu-$VERSION"/mapy/*
(cd "$OUT/zip" && TZ=UTC find . -exec touch -d "@$(stat -c %Y "$ROOT/debian/changelog")" {} + &&
  zip -q -X -r "$ZIP" "hledani-pokladu-$VERSION")
echo "wrote $ZIP"

# The tests run the build Wine can run here.
if wine_runs_32bit; then
  echo i686 > "$OUT/test-arch"
else
  if [ -x "$WINE32" ]; then why="this kernel cannot run 32-bit programs"; else why="wine32 is not installed"; fi
  echo "== Wine cannot run 32-bit programs here ($why): the tests will run a 64-bit build"
  build_libraries x86_64
  build_game x86_64
  echo x86_64 > "$OUT/test-arch"
fi
# The test of the Windows file functions, for the build the tests run.
TEST_ARCH=$(cat "$OUT/test-arch")
step "The Windows file functions' test for $TEST_ARCH"
quietly "$OUT/game-$TEST_ARCH.log" cmake --build "$OUT/game-$TEST_ARCH" -j"$JOBS" --target windows_files_test

step "The installer"
MAPS_NSH=$OUT/shipped_maps.nsh
{
  echo "; The shipped maps, written by tools/setup/windows.sh."
  for map in "$OUT"/stage-i686/mapy/*; do
    name=$(basename "$map")
    echo "!insertmacro ShippedMap \"$map\" \"${name//\$/\$\$}\""
  done
} > "$MAPS_NSH"
SETUP=$ROOT/dist/hledani-pokladu-$VERSION-setup.exe
quietly "$OUT/installer.log" makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$VERSION" -DSTAGE="$OUT/stage-i686" -DMAPS_NSH="$MAPS_NSH" \
  -DOUTFILE="$SETUP" "$ROOT/tools/windows/installer.nsi"
echo "wrote $SETUP"

# The installer the tests run: the shipped one, or where Wine cannot run it
# here, the same script over the 64-bit build.
if [ "$(cat "$OUT/test-arch")" = i686 ]; then
  cp "$SETUP" "$OUT/test-setup.exe"
else
  quietly "$OUT/installer.log" makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$VERSION" -DSTAGE="$OUT/stage-x86_64" \
    -DMAPS_NSH="$MAPS_NSH" -DOUTFILE="$OUT/test-setup.exe" -DTARGET=amd64-unicode "$ROOT/tools/windows/installer.nsi"
fi

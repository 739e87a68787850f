#!/usr/bin/env bash
# The Windows edition, cross-built on Debian: installs the cross tools, Wine
# and NSIS (as root), fetches Allegro 4.4.3.1, zlib and libpng from Debian's
# source packages, checks their SHA-256, applies tools/windows/patches, builds
# them statically into build-windows/cache (reused by the next run), builds
# the game and the map kit for 32-bit Windows, and writes
# dist/hledani-pokladu-VERSION-windows.zip and dist/hledani-pokladu-VERSION-setup.exe.
# The image set and the maps are the same bytes as the Linux build's: they
# come from a native build in build-windows/native.
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$(pwd)
OUT=$ROOT/build-windows
CACHE=$OUT/cache
PREFIX=$CACHE/prefix
HOST=i686-w64-mingw32
JOBS=$(nproc)
VERSION=$(sed -n '1s/.*(\([^)]*\)).*/\1/p' debian/changelog)

# The upstream tarballs, as Debian bookworm ships them. The versions are
# pinned to the main suite: the security suite's source files answer 404 on
# some mirrors.
ALLEGRO_SRC=allegro4.4=2:4.4.3.1-3
ALLEGRO_TAR=allegro4.4_4.4.3.1.orig.tar.gz
ALLEGRO_SHA=ec19dbc9a021244582b4819b3583ee594b50141f9fcf6944a4ed8069cbf8d4d4
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
  # Debian's source packages come from the same archive as its binaries.
  local list=/etc/apt/sources.list.d/debian.sources src=/etc/apt/sources.list.d/debian-src.sources
  if [ -f "$list" ] && [ ! -f "$src" ]; then
    sed 's/^Types: deb$/Types: deb-src/' "$list" > "$src"
  elif [ ! -f "$list" ] && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list > /etc/apt/sources.list.d/debian-src.list
  fi
  apt-get -o DPkg::Lock::Timeout=900 update > /dev/null
  DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 install -y --no-install-recommends \
    g++-mingw-w64-i686-win32 binutils-mingw-w64-i686 cmake make patch dpkg-dev \
    build-essential pkg-config liballegro4-dev libpng-dev \
    wine wine32:i386 nsis zip unzip icoutils xvfb xauth xdotool
}

# fetch PACKAGE=VERSION TARBALL SHA256 [MORE FILES]: a Debian source package's
# files into $CACHE/src; the upstream tarball must have the pinned SHA-256,
# and every file named must have the SHA-256 its .dsc gives.
fetch() {
  local package=$1 tarball=$2 sha=$3
  shift 3
  mkdir -p "$CACHE/src"
  local file missing=0
  for file in "$tarball" "$@"; do [ -f "$CACHE/src/$file" ] || missing=1; done
  if [ $missing -eq 1 ]; then
    step "Fetching $package"
    # The Debian part of allegro4.4 is missing from the archive (404), so
    # the command fails though the upstream tarball arrives: check the files.
    (cd "$CACHE/src" && apt-get source --download-only "$package" || true)
  fi
  echo "$sha  $CACHE/src/$tarball" | sha256sum -c --quiet - || { echo "$tarball: wrong SHA-256"; exit 1; }
  for file in "$tarball" "$@"; do
    [ -f "$CACHE/src/$file" ] || { echo "$file did not arrive"; exit 1; }
    local got
    got=$(sha256sum "$CACHE/src/$file" | cut -d' ' -f1)
    grep -qs " $got [0-9]* $file\$" "$CACHE"/src/*.dsc || { echo "$file: SHA-256 not in its .dsc"; exit 1; }
  done
}

install_packages
fetch $ALLEGRO_SRC $ALLEGRO_TAR $ALLEGRO_SHA
fetch $ZLIB_SRC $ZLIB_TAR $ZLIB_SHA
fetch $PNG_SRC $PNG_TAR $PNG_SHA $PNG_DEBIAN

TOOLCHAIN=$ROOT/tools/windows/toolchain-i686.cmake
# unpack TARBALL DIR: a fresh copy of the source in $CACHE/work/DIR.
unpack() {
  rm -rf "$CACHE/work/$2"
  mkdir -p "$CACHE/work"
  tar xf "$CACHE/src/$1" -C "$CACHE/work"
}

# The libraries are rebuilt only when their stamp is missing or the
# project's patches changed since.
PATCH_SUM=$(cat "$ROOT"/tools/windows/patches/*.patch "$TOOLCHAIN" | sha256sum | cut -d' ' -f1)
build_libraries() {
  if [ -f "$PREFIX/.stamp" ] && [ "$(cat "$PREFIX/.stamp")" = "$PATCH_SUM" ]; then
    echo "== The static libraries are built already ($PREFIX)"
    return
  fi
  rm -rf "$PREFIX"
  mkdir -p "$PREFIX"

  step "Building zlib"
  unpack $ZLIB_TAR zlib-1.2.13.dfsg
  (cd "$CACHE/work/zlib-1.2.13.dfsg" && CHOST=$HOST ./configure --static --prefix="$PREFIX" > /dev/null &&
    make -j"$JOBS" libz.a > /dev/null && make install > /dev/null)

  step "Building libpng with Debian's patches"
  unpack $PNG_TAR libpng-1.6.39
  tar xf "$CACHE/src/$PNG_DEBIAN" -C "$CACHE/work/libpng-1.6.39"
  (cd "$CACHE/work/libpng-1.6.39" && while read -r p; do
     case $p in ''|'#'*) continue ;; esac
     patch -p1 -s < "debian/patches/$p"
   done < debian/patches/series)
  cmake -S "$CACHE/work/libpng-1.6.39" -B "$CACHE/work/libpng-build" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_FIND_ROOT_PATH="$PREFIX" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DSKIP_INSTALL_PROGRAMS=ON \
    -DSKIP_INSTALL_FILES=ON > /dev/null
  cmake --build "$CACHE/work/libpng-build" -j"$JOBS" --target install > /dev/null

  step "Building Allegro 4.4.3.1 with the project's patches"
  unpack $ALLEGRO_TAR allegro-4.4.3.1
  for p in "$ROOT"/tools/windows/patches/*.patch; do
    echo "applying $(basename "$p")"
    patch -d "$CACHE/work/allegro-4.4.3.1" -p1 -s < "$p"
  done
  cmake -S "$CACHE/work/allegro-4.4.3.1" -B "$CACHE/work/allegro-build" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_FIND_ROOT_PATH="$PREFIX" \
    -DSHARED=off -DWANT_EXAMPLES=off -DWANT_TOOLS=off -DWANT_TESTS=off -DWANT_DOCS=off \
    -DWANT_ALLEGROGL=off -DWANT_LOGG=off -DWANT_JPGALLEG=off -DWANT_LOADPNG=on > /dev/null
  cmake --build "$CACHE/work/allegro-build" -j"$JOBS" --target install > /dev/null
  echo "$PATCH_SUM" > "$PREFIX/.stamp"
}
build_libraries

NATIVE=$OUT/native
GAME=$OUT/game
STAGE=$OUT/stage
step "Native build: the image set, the maps and the icon"
cmake -S "$ROOT" -B "$NATIVE" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF > /dev/null
cmake --build "$NATIVE" -j"$JOBS" --target poklad mapkit game_image_set game_maps game_icons test_image_set
mkdir -p "$OUT/icon"
icotool -c -o "$OUT/icon/hledani-pokladu.ico" "$NATIVE"/icons/{16,32,48}.png -r "$NATIVE/icons/256.png"

step "Cross build: the game and the map kit for 32-bit Windows"
cmake -S "$ROOT" -B "$GAME" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
  -DPOKLAD_WINDOWS_PREFIX="$PREFIX" -DPOKLAD_ICON="$OUT/icon/hledani-pokladu.ico" > /dev/null
cmake --build "$GAME" -j"$JOBS" --target poklad mapkit

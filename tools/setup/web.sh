#!/usr/bin/env bash
# The web edition: installs emscripten, Chromium and zip (as root), fetches
# Allegro 4.4.3.1 from Debian's source package and checks its SHA-256, adds
# the web platform (tools/web: the drivers, the platform headers and
# tools/web/patches), compiles the library's portable C code with emcc into
# build-web/cache (reused by the next run), builds the game with emcc and
# writes dist/hledani-pokladu-VERSION-web/ (the page, the program and its
# data) and a .zip of that folder. It also installs the web tests' driver
# (tests/web/node_modules). The image set and the maps are the same bytes as
# the Linux build's: they come from a native build in build-web/native.
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$(pwd)
OUT=$ROOT/build-web
CACHE=$OUT/cache
JOBS=$(nproc)
VERSION=$(sed -n '1s/.*(\([^)]*\)).*/\1/p' debian/changelog)
# Debian's emscripten needs Debian's node modules when another node is first on PATH.
export NODE_PATH=/usr/share/nodejs
# The library's flags: part of the cache's key.
ALLEGRO_CFLAGS="-O2 -DALLEGRO_SRC -DALLEGRO_NO_ASM -Wno-deprecated-declarations -Werror=implicit-function-declaration"

step() { echo "== $* ($(date +%T))"; }
source "$ROOT/tools/setup/debian_source.sh"
source "$ROOT/tools/setup/apt.sh"

# quietly LOG COMMAND...: runs the command with its output in LOG, shown
# only when it fails.
quietly() {
  local log=$1
  shift
  "$@" >> "$log" 2>&1 || { tail -n 40 "$log"; echo "failed: $* (log: $log)"; exit 1; }
}

install_packages() {
  [ "$(id -u)" -eq 0 ] || { echo "not root: assuming emscripten, Chromium and zip are installed"; return; }
  step "Installing emscripten, Chromium and zip"
  enable_source_packages
  apt_update
  # nodejs is the node emscripten and the tests' driver run on.
  DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 install -y --no-install-recommends \
    emscripten chromium nodejs zip unzip python3 cmake make patch dpkg-dev build-essential pkg-config \
    firefox-esr webkit2gtk-driver libwebkit2gtk-4.1-0 xvfb xauth xdotool \
    liballegro4-dev libpng-dev fonts-dejavu-core
  # Debian's nodejs brings no npm, Debian's npm package does; a node from
  # elsewhere (NodeSource's, say) has its own npm, which that package would
  # clash with.
  command -v npm > /dev/null || apt_install npm
}

# build_library: the library's platform-independent C files, the web
# platform's drivers and its headers in $LIB, rebuilt only when the sources,
# the patches, emcc or the flags changed since.
build_library() {
  local key
  key=$( (echo "$ALLEGRO_SHA $ALLEGRO_CFLAGS"; emcc --version | head -n 1
          cat "$ROOT"/tools/web/patches/*.patch "$ROOT"/tools/web/webdrv.c
          find "$ROOT/tools/web/include" -type f | sort | xargs cat) | sha256sum | cut -c1-16)
  LIB=$CACHE/allegro-$key
  if [ -f "$LIB/lib/liballeg.a" ]; then
    echo "== The library for the web is built already ($LIB)"
    return
  fi
  step "Building Allegro 4.4.3.1 for the web"
  local work=$CACHE/work log=$CACHE/allegro.log
  rm -rf "$work" "$log"
  mkdir -p "$work"
  tar xf "$CACHE/src/$ALLEGRO_TAR" -C "$work"
  local src=$work/allegro-4.4.3.1
  for p in "$ROOT"/tools/web/patches/*.patch; do
    echo "applying $(basename "$p")"
    patch -d "$src" -p1 -s < "$p"
  done
  # The platform's headers beside the library's own.
  cp "$ROOT"/tools/web/include/allegro/platform/*.h "$src/include/allegro/platform/"
  # The portable files, as the library's own file list names them.
  local files
  files=$(sed -n '/^set(ALLEGRO_SRC_FILES$/,/)/p; /^set(ALLEGRO_SRC_C_FILES$/,/)/p' "$src/cmake/FileList.cmake" |
    grep -o 'src/[^ )]*\.c')
  mkdir -p "$work/obj"
  echo "$files" "$ROOT/tools/web/webdrv.c" | tr ' ' '\n' | grep . |
    (cd "$src" && xargs -P "$JOBS" -I{} sh -c \
      'emcc '"$ALLEGRO_CFLAGS"' -Iinclude -c "$1" -o "'"$work"'/obj/$(echo "$1" | tr / _).o" || exit 255' _ {}) \
    >> "$log" 2>&1 || { tail -n 40 "$log"; echo "failed: the library (log: $log)"; exit 1; }
  rm -rf "$LIB"
  mkdir -p "$LIB/lib"
  quietly "$log" emar rcs "$LIB/lib/liballeg.a" "$work"/obj/*.o
  cp -r "$src/include" "$LIB/include"
  rm -rf "$work"
  echo "built $(ls "$LIB"/lib) from $(echo "$files" | wc -l) of the library's files and the web drivers"
}

NATIVE=$OUT/native
native_build() {
  step "Native build: the image set, the maps and the icons"
  cmake -S "$ROOT" -B "$NATIVE" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF > /dev/null
  quietly "$OUT/native.log" cmake --build "$NATIVE" -j"$JOBS" --target game_image_set game_maps game_icons
}

# build_game: the game for the web, its data (the image set and the shipped
# maps, in /mapy) packed beside it.
GAME=$OUT/game
build_game() {
  step "The game for the web"
  rm -rf "$OUT/data"
  mkdir -p "$OUT/data/mapy"
  cp "$ROOT/data/tarkoni.dat" "$OUT/data/"
  cp "$ROOT"/data/mapy/* "$OUT/data/mapy/"
  quietly "$OUT/game.log" emcmake cmake -S "$ROOT" -B "$GAME" -DCMAKE_BUILD_TYPE=Release \
    -DPOKLAD_WEB_PREFIX="$LIB" -DPOKLAD_WEB_DATA="$OUT/data"
  quietly "$OUT/game.log" cmake --build "$GAME" -j"$JOBS" --target poklad
}

# The test driver for headless Chromium, from npm (it downloads no browser).
install_test_driver() {
  if [ -f tests/web/node_modules/.package-lock.json ] &&
     cmp -s tests/web/package-lock.json tests/web/node_modules/.lock-installed; then
    return
  fi
  step "The web tests' driver"
  (cd tests/web && quietly "$OUT/npm.log" npm ci --no-audit --no-fund --ignore-scripts &&
    cp package-lock.json node_modules/.lock-installed)
}

install_packages
fetch $ALLEGRO_SRC $ALLEGRO_TAR $ALLEGRO_SHA
mkdir -p "$OUT"
build_library
native_build
build_game
install_test_driver

step "The folder and its zip"
NAME=hledani-pokladu-$VERSION-web
DIST=$ROOT/dist/$NAME
rm -rf "$DIST" "$DIST.zip"
mkdir -p "$DIST"
cp "$GAME"/hledani-pokladu.js "$GAME"/hledani-pokladu.wasm "$GAME"/hledani-pokladu.data "$DIST/"
cp "$ROOT"/tools/web/page/* "$DIST/"
cp "$NATIVE/icons/32.png" "$DIST/ikona-32.png"
cp "$NATIVE/icons/128.png" "$DIST/ikona-128.png"
cp "$NATIVE/icons/256.png" "$DIST/ikona-256.png"
# The service worker keeps the other files as one set, named after the
# version and the contents of every file, its own included: a changed build
# is a new set (the worker names its caches after the page's folder itself).
FILES=$(cd "$DIST" && ls | grep -vx sw.js | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')
HASH=$(cd "$DIST" && cat $FILES sw.js | sha256sum | cut -c1-12)
sed -i "s|@BUILD@|$VERSION-$HASH|; s|@FILES@|$FILES|" "$DIST/sw.js"
(cd "$ROOT/dist" && TZ=UTC find "$NAME" -exec touch -d "@$(stat -c %Y "$ROOT/debian/changelog")" {} + &&
  zip -q -X -r "$NAME.zip" "$NAME")
echo "wrote $DIST and $DIST.zip ($(du -sk "$DIST" | cut -f1) KB)"

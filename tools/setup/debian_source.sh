# Fetching upstream sources from Debian's source packages, for the builds
# that make their own copy of a library (windows.sh, web.sh). Sourced; the
# caller sets CACHE (files land in $CACHE/src) and defines step.

# The library both builds use, as Debian bookworm ships it. The version is
# pinned to the main suite: the security suite's source files answer 404 on
# some mirrors.
ALLEGRO_SRC=allegro4.4=2:4.4.3.1-3
ALLEGRO_TAR=allegro4.4_4.4.3.1.orig.tar.gz
ALLEGRO_SHA=ec19dbc9a021244582b4819b3583ee594b50141f9fcf6944a4ed8069cbf8d4d4

# enable_source_packages: makes apt see Debian's source packages, from the
# same archive, suite and key as its binaries (as root).
enable_source_packages() {
  local list=/etc/apt/sources.list.d/debian.sources src=/etc/apt/sources.list.d/debian-src.sources
  if [ -f "$list" ] && [ ! -f "$src" ]; then
    sed 's/^Types: deb$/Types: deb-src/' "$list" > "$src"
  elif [ ! -f "$list" ] && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list > /etc/apt/sources.list.d/debian-src.list
  fi
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

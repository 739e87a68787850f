#!/usr/bin/env bash
# Installs what packaging needs and builds the Debian package from a copy of
# the project in a temporary folder, so the project folder and its parent
# stay clean. Writes dist/hledani-pokladu_VERSION_ARCH.deb, with the build's
# other outputs (.changes, .buildinfo, the -dbgsym package) beside it.
# DEB_BUILD_OPTIONS=nocheck skips the quick tests the package build runs.
# Run as root on Debian.
set -euo pipefail
cd "$(dirname "$0")/../.."
project=$PWD

profiles=()
case " ${DEB_BUILD_OPTIONS:-} " in
*" nocheck "*) profiles=(-P nocheck) ;;
esac
source tools/setup/apt.sh
apt_update
apt_install build-essential dpkg-dev
apt_run build-dep -y "${profiles[@]}" "$project"

version=$(dpkg-parsechangelog -l debian/changelog -S Version)
work=$(mktemp -d /tmp/hledani-pokladu-package.XXXXXX)
trap 'rm -rf -- "$work"' EXIT
source_copy="$work/hledani-pokladu-$version"
mkdir "$source_copy"
# The project's own files: what git tracks plus new files it does not
# ignore, or without git everything but build outputs.
if git -C "$project" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git -C "$project" ls-files -z --cached --others --exclude-standard |
    (cd "$project" && xargs -0 -r sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' sh) |
    tar -C "$project" --null -T - -cf - | tar -C "$source_copy" -xf -
else
  tar -C "$project" --exclude='./build*' --exclude=./dist --exclude=./data/mapy \
    --exclude=./data/tarkoni.dat --exclude=./debian/.debhelper -cf - . | tar -C "$source_copy" -xf -
fi

case " ${DEB_BUILD_OPTIONS:-} " in
*" parallel="*) ;;
*) export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:+$DEB_BUILD_OPTIONS }parallel=$(nproc)" ;;
esac
(cd "$source_copy" && dpkg-buildpackage -us -uc -b)

mkdir -p dist
arch=$(dpkg --print-architecture)
rm -f dist/hledani-pokladu*_"$version"_*
cp "$work"/hledani-pokladu*_"$version"_* dist/
echo "Built dist/hledani-pokladu_${version}_${arch}.deb"

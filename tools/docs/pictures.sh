#!/usr/bin/env bash
# Remakes the README's pictures with the game's own drawing code and the real
# image set: docs/screenshots/*.png (menu, a board in play, the help, a winner,
# the no-winner screen and the map editor, 800 x 600) and docs/maps/*.png (each shipped map
# fully uncovered, halved to 400 x 300), and rewrites the README's list of
# maps between its two "maps:" marker comments, with each map's stats. Builds
# what it needs first, then runs under its own Xvfb. Run it whenever the
# pictures or the maps change.
# usage: bash tools/docs/pictures.sh [--no-build] [BUILD_DIR [OUT_DIR [README]]]
# (defaults: build, docs, README.md; the README's links point into OUT_DIR)
set -euo pipefail
cd "$(dirname "$0")/../.."

build=1
if [ "${1:-}" = --no-build ]; then
  build=0
  shift
fi
build_dir=${1:-build}
out=${2:-docs}
readme=${3:-README.md}
preview=$build_dir/tools/imageset/poklad_preview
editor_shot=$build_dir/tools/editor/editor_shot
mapkit=$build_dir/tools/mapkit/mapkit
begin_marker='<!-- maps: made by tools/docs/pictures.sh -->'
end_marker='<!-- maps: end -->'
export LC_ALL=C  # the same map order everywhere

if [ "$build" = 1 ]; then
  if ! pkg-config --exists loadpng; then
    echo "pictures.sh: needs the library's PNG add-on (Debian: libloadpng4-dev)" >&2
    exit 1
  fi
  if [ -f "$build_dir/CMakeCache.txt" ]; then
    cmake -S . -B "$build_dir" >/dev/null
  else
    cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
  fi
  cmake --build "$build_dir" -j"$(nproc)" --target poklad_preview editor_shot mapkit game_image_set game_maps
fi

# Everything below draws: run it once inside one Xvfb of the game's size.
if [ -z "${PICTURES_IN_XVFB:-}" ]; then
  export PICTURES_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 800x600x24 -noreset" bash "$0" --no-build "$build_dir" "$out" "$readme"
fi

for tool in "$preview" "$editor_shot" "$mapkit"; do
  if [ ! -x "$tool" ]; then
    echo "pictures.sh: $tool is not built" >&2
    exit 1
  fi
done
grep -qxF "$begin_marker" "$readme" && grep -qxF "$end_marker" "$readme" || {
  echo "pictures.sh: $readme lacks the lines $begin_marker and $end_marker" >&2
  exit 1
}

mkdir -p "$out/screenshots" "$out/maps"
rm -f "$out/maps/"*.png  # no picture of a renamed map stays behind (the screenshots keep their names; web.png is the page's own, made by tools/web/page_shot.js)
"$preview" screens data "$out/screenshots" --map "Zlaty ostrov"
"$editor_shot" data "data/mapy/Zlaty ostrov" "$out/screenshots/editor.png"

# A link from the README to a map's picture; spaces in names become %20.
maps_link=$(realpath --relative-to="$(dirname "$readme")" "$out/maps")
players=4
matches=1000
list=$(mktemp)
trap 'rm -f "$list"' EXIT
{
  echo "Each shipped map fully uncovered, as the game shows it at the end of a match,"
  echo "with \`mapkit stats\` for $players computer players over $matches matches"
  echo "(\`--seed 1\`): each seat's mean score and share of wins."
  echo
  echo "| Map | Stats |"
  echo "| --- | --- |"
  found=0
  for text in maps/*.txt; do
    name=$(basename "$text" .txt)
    map=data/mapy/$name
    "$preview" map data "$map" "$out/maps/$name.png" --small
    stats=$("$mapkit" stats "$map" --players "$players" --matches "$matches" --seed 1 | awk '
      NF == 3 && $1 ~ /^[0-9]+$/ { means = means sep $2; wins = wins sep $3; sep = " / " }
      $1 == "no" && $2 == "winner:" { none = $3 }
      END { printf "mean score %s<br>wins %s<br>no winner %s", means, wins, none }')
    echo "| ![$name]($maps_link/${name// /%20}.png) | **$name**<br>$stats |"
    found=$((found + 1))
  done
  [ "$found" -gt 0 ] || { echo "pictures.sh: no maps in maps/" >&2; exit 1; }
} > "$list"

# The list replaces whatever stood between the markers.
awk -v begin="$begin_marker" -v end="$end_marker" -v list="$list" '
  $0 == begin { print; while ((getline line < list) > 0) print line; skip = 1; next }
  $0 == end { skip = 0 }
  !skip { print }' "$readme" > "$readme.new"
mv "$readme.new" "$readme"
echo "pictures.sh: wrote $out/screenshots/, $out/maps/ and the maps list in $readme"

#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a bounded time.
# usage: run.sh SECONDS_PER_TARGET
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-30}
cmake -S tests/fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ > /dev/null
cmake --build build-fuzz -j"$(nproc)"
# The targets' scratch files go to a folder of the run's own.
export POKLAD_FUZZ_DIR
POKLAD_FUZZ_DIR=$(mktemp -d /tmp/poklad-fuzz.XXXXXX)
trap 'rm -rf "$POKLAD_FUZZ_DIR"' EXIT
for target in build-fuzz/*_fuzz; do
  echo "== $(basename "$target") for ${seconds}s"
  "$target" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 2>&1 | tail -n 3
done

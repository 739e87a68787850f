#!/usr/bin/env bash
# Installs what the game needs, builds it and starts it from data/, where
# the build puts the image set and the maps. Run as root on Debian.
set -euo pipefail
cd "$(dirname "$0")/../.."
source tools/setup/apt.sh
apt_update
apt_install build-essential cmake pkg-config liballegro4-dev libx11-dev
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build -j"$(nproc)"
cd data
exec ../build/poklad

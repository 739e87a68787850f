#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs the whole test
# suite (the display tests start their own Xvfb). Run as root on Debian.
set -euo pipefail
cd "$(dirname "$0")/../.."
apt-get update
apt-get install -y --no-install-recommends build-essential cmake pkg-config liballegro4-dev \
  libgtest-dev xvfb xauth xdotool x11-utils libxtst-dev libx11-dev
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure

#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs the whole test
# suite: unit, start-up, end-to-end and soak tests, then the same suites
# (without the soak) built with AddressSanitizer and UndefinedBehaviorSanitizer,
# then a short fuzzing run, the Windows edition cross-built and run under
# Wine, the web edition built and run in Chromium, Firefox and WebKit, and last the
# Debian package: built, checked,
# installed, played through its launcher and purged. Display tests start
# their own Xvfb. Run as root on Debian.
set -euo pipefail
cd "$(dirname "$0")/../.."
source tools/setup/apt.sh
apt_update
apt_install build-essential cmake pkg-config liballegro4-dev \
  libgtest-dev xvfb xauth xdotool x11-utils libxtst-dev libx11-dev clang libclang-rt-14-dev \
  libloadpng4-dev libpng-dev dpkg-dev debhelper lintian desktop-file-utils appstream git

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DPOKLAD_PACKAGE_TEST=OFF -DPOKLAD_WINDOWS_TEST=OFF -DPOKLAD_WEB_TEST=OFF
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure

# Any sanitizer report ends the process with a status no test expects.
export ASAN_OPTIONS=exitcode=86:detect_leaks=1
export LSAN_OPTIONS=suppressions=$PWD/tests/sanitize/lsan.supp
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:exitcode=87
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DPOKLAD_SANITIZE=ON
cmake --build build-sanitize -j"$(nproc)"
ctest --test-dir build-sanitize --output-on-failure

bash tests/fuzz/run.sh 30

# The Windows edition: cross-built (the libraries are reused from
# build-windows/cache), then run under Wine on Xvfb.
windows_start=$(date +%s)
bash tools/setup/windows.sh
cmake -S . -B build -DPOKLAD_WINDOWS_TEST=ON
cmake --build build --target windows_frames windows_exit windows_editor windows_names mapkit poklad test_image_set -j"$(nproc)"
ctest --test-dir build -R '^windows_' --output-on-failure
echo "The Windows part took $(( $(date +%s) - windows_start )) s"

# The web edition: built with emscripten (the library is reused from
# build-web/cache), then played in Chromium, Firefox and WebKit beside the
# Linux game.
web_start=$(date +%s)
bash tools/setup/web.sh
cmake -S . -B build -DPOKLAD_WINDOWS_TEST=OFF -DPOKLAD_WEB_TEST=ON
cmake --build build --target web_frames poklad game_image_set game_maps test_image_set -j"$(nproc)"
ctest --test-dir build -R '^web_' --output-on-failure
echo "The web part took $(( $(date +%s) - web_start )) s"

cmake -S . -B build -DPOKLAD_WINDOWS_TEST=OFF -DPOKLAD_WEB_TEST=OFF -DPOKLAD_PACKAGE_TEST=ON -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build --target package_probe -j"$(nproc)"
ctest --test-dir build -R '^package$' --output-on-failure

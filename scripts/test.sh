#!/usr/bin/env bash
# Checks the formatting, builds Torveld and runs every test: once in the normal build, once more
# under AddressSanitizer + UndefinedBehaviorSanitizer; then builds the programs as a packager
# would (Release, Debian's hardening flags). Warnings are errors in all three.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh test

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORVELD_WERROR=ON
cmake --build build --target format-check
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTORVELD_SANITIZE=ON \
    -DTORVELD_BUILD_BENCH=OFF -DTORVELD_WERROR=ON
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs"
# A packager's build: Release with the flags Debian's packages are built with.
hardening="-O2 -D_FORTIFY_SOURCE=2 -fstack-protector-strong -Wformat -Werror=format-security"
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTORVELD_WERROR=ON \
    -DCMAKE_CXX_FLAGS="$hardening" -DBUILD_TESTING=OFF -DTORVELD_BUILD_BENCH=OFF
cmake --build build-release -j "$jobs"
echo "All tests passed."

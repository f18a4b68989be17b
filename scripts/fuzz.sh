#!/usr/bin/env bash
# Fuzzes the headless driver's command reader with libFuzzer for a bounded time.
#   bash scripts/fuzz.sh [SECONDS]      (default 60)
# Builds build-fuzz/ with clang, starts from the committed seed corpus
# (tests/robustness/corpus/driver/) and keeps what the fuzzer finds in build-fuzz/corpus/.
# An input that crashes or breaks a property is written to build-fuzz/artifacts/; copy it into
# the seed corpus once fixed, and the test driver_corpus keeps it as a regression test.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

bash scripts/install-deps.sh test

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTORVELD_FUZZ=ON -DBUILD_TESTING=OFF -DTORVELD_BUILD_BENCH=OFF
cmake --build build-fuzz -j "$(nproc)" --target driver_fuzzer

mkdir -p build-fuzz/corpus build-fuzz/artifacts
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    build-fuzz/bin/driver_fuzzer build-fuzz/corpus tests/robustness/corpus/driver \
    -dict=tests/robustness/corpus/driver.dict -max_len=4096 -timeout=10 \
    -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix=build-fuzz/artifacts/

#!/usr/bin/env bash
# Fuzzes the headless driver's command reader (or the special-thread engine) with libFuzzer for a
# bounded time.
#   bash scripts/fuzz.sh [SECONDS] [driver|special]      (default 60 driver)
# Builds build-fuzz/ with clang, starts from the committed seed corpus
# (tests/robustness/corpus/driver/, tests/special/corpus/) and keeps what the fuzzer finds in
# build-fuzz/corpus[-special]/. An input that crashes or breaks a property is written to
# build-fuzz/artifacts/; copy it into the seed corpus once fixed, and the suite's corpus test
# (DriverCorpus, SpecialInput.SeedCorpusKeepsEveryProperty) keeps it as a regression test.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
target="${2:-driver}"

bash scripts/install-deps.sh test

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTORVELD_FUZZ=ON -DTORVELD_BUILD_TESTS=OFF -DTORVELD_BUILD_BENCH=OFF
mkdir -p build-fuzz/artifacts
if [ "$target" = special ]; then
    cmake --build build-fuzz -j "$(nproc)" --target special_fuzzer
    mkdir -p build-fuzz/corpus-special
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        build-fuzz/bin/special_fuzzer build-fuzz/corpus-special tests/special/corpus \
        -max_len=256 -timeout=10 -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix=build-fuzz/artifacts/
    exit 0
fi
cmake --build build-fuzz -j "$(nproc)" --target driver_fuzzer

mkdir -p build-fuzz/corpus
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    build-fuzz/bin/driver_fuzzer build-fuzz/corpus tests/robustness/corpus/driver \
    -dict=tests/robustness/corpus/driver.dict -max_len=4096 -timeout=10 \
    -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix=build-fuzz/artifacts/

#!/usr/bin/env bash
# Fuzzes a text reader with libFuzzer for a bounded time.
#   bash scripts/fuzz.sh [SECONDS] [TARGET]     (default 60 seconds, target driver)
# TARGET is driver (the headless driver's command reader), designation (the thread designation
# reader), special (the special-thread engine's input) or number (the reader of the numbers
# typed for a measurement). Builds build-fuzz/ with clang, starts
# from the target's committed seed corpus and keeps what the fuzzer finds in
# build-fuzz/corpus/TARGET/. An input that crashes or breaks a property is written to
# build-fuzz/artifacts/; copy it into the seed corpus once fixed, and the suite keeps it as a
# regression test (DriverCorpus, DesignationCorpus, SpecialInput.SeedCorpusKeepsEveryProperty,
# NumberCorpus).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
target="${2:-driver}"

dict=()
case "$target" in
    driver)
        seeds=tests/robustness/corpus/driver max_len=4096
        dict=(-dict=tests/robustness/corpus/driver.dict)
        ;;
    designation)
        seeds=tests/robustness/corpus/designation max_len=256
        dict=(-dict=tests/robustness/corpus/designation.dict)
        ;;
        special) seeds=tests/special/corpus max_len=256 ;;
    number) seeds=tests/robustness/corpus/number max_len=128 ;;
    *)
        echo "unknown fuzz target '$target' (driver, designation, special or number)" >&2
        exit 2
        ;;
esac

bash scripts/install-deps.sh test

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTORVELD_FUZZ=ON -DBUILD_TESTING=OFF -DTORVELD_BUILD_BENCH=OFF
cmake --build build-fuzz -j "$(nproc)" --target "${target}_fuzzer"

corpus=build-fuzz/corpus/$target
mkdir -p "$corpus" build-fuzz/artifacts
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "build-fuzz/bin/${target}_fuzzer" "$corpus" "$seeds" "${dict[@]}" \
    -max_len="$max_len" -timeout=10 -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix=build-fuzz/artifacts/

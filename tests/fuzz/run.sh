#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${FUZZ_SECONDS:-30}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPLANETARIUM_FUZZ=ON > /dev/null
cmake --build build-fuzz -j2
shopt -s nullglob
for target in build-fuzz/tests/fuzz/*_fuzz; do
    corpus=build-fuzz/corpus/$(basename "$target")
    mkdir -p "$corpus"
    echo "fuzzing $(basename "$target") for ${seconds}s"
    "$target" -max_total_time="$seconds" -rss_limit_mb=2048 "$corpus" 2>&1 | tail -n 3
done

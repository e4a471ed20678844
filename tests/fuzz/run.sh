#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time (the first argument,
# else FUZZ_SECONDS, else 20 seconds), starting from its committed seed corpus
# (tests/fuzz/corpus/<target>/, when there is one). Frames are drawn over the built data set
# (build/data, or PLANETARIUM_DATASET_DIR). Any sanitizer report or crash fails the run, and the
# whole report is printed.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-${FUZZ_SECONDS:-20}}
data=${PLANETARIUM_DATASET_DIR:-$PWD/build/data}
if [[ ! -f $data/QELDATA.INI ]]; then
    echo "no data set in $data: build it first (./setup.sh build)" >&2
    exit 1
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPLANETARIUM_FUZZ=ON -DPLANETARIUM_DATASET_DIR="$data" > /dev/null
cmake --build build-fuzz -j2

export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:print_stacktrace=1
reports='runtime error:|ERROR: AddressSanitizer|ERROR: LeakSanitizer|ERROR: libFuzzer|SUMMARY: '
shopt -s nullglob
targets=(build-fuzz/tests/fuzz/*_fuzz)
if ((${#targets[@]} == 0)); then
    echo "no fuzz targets were built" >&2
    exit 1
fi
failed=()
for target in "${targets[@]}"; do
    name=$(basename "$target")
    corpus=build-fuzz/corpus/$name
    seeds=tests/fuzz/corpus/$name
    log=build-fuzz/$name.log
    mkdir -p "$corpus"
    inputs=("$corpus")
    [[ -d $seeds ]] && inputs+=("$seeds")
    echo "fuzzing $name for ${seconds}s (${#inputs[@]} corpus folders)"
    status=0
    "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -artifact_prefix=build-fuzz/"$name"- \
        "${inputs[@]}" > "$log" 2>&1 || status=$?
    if ((status != 0)) || grep -Eq "$reports" "$log"; then
        echo "FAILED: $name (exit status $status); its whole output:" >&2
        cat "$log" >&2
        failed+=("$name")
    else
        grep -E '^#[0-9]+[[:space:]]+DONE' "$log" || tail -n 3 "$log"
    fi
done
if ((${#failed[@]})); then
    echo "fuzz targets with findings: ${failed[*]}" >&2
    exit 1
fi

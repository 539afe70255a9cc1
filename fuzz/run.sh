#!/bin/sh
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets with clang and fuzzes each for the given seconds on its corpus.
# New inputs go to the build folder; the committed corpus is only read. A target that finds a
# fault stops the run and leaves the input beside its log.
# Usage: fuzz/run.sh BUILD_DIR SECONDS JOBS
set -eu

build_dir=$1
seconds=$2
jobs=$3
targets="fuzz_val fuzz_round_trip fuzz_sample_table fuzz_riff"

CC=clang CXX=clang++ cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVORNELIK_FUZZ=ON -DVORNELIK_BENCH=OFF -DVORNELIK_WERROR=ON
# shellcheck disable=SC2086
cmake --build "$build_dir" -j "$jobs" --target $targets

for target in $targets; do
    mkdir -p "$build_dir/corpus/$target"
    log="$build_dir/$target.log"
    dict=""
    if [ -f "fuzz/$target.dict" ]; then
        dict="-dict=fuzz/$target.dict"
    fi
    # -max_len keeps mutations short; the long seeds are replayed whole by the tests.
    # shellcheck disable=SC2086
    if "$build_dir/fuzz/$target" -max_total_time="$seconds" -max_len=4096 $dict \
        -artifact_prefix="$build_dir/$target-" \
        "$build_dir/corpus/$target" "fuzz/corpus/$target" >"$log" 2>&1; then
        echo "$target: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$log")"
    else
        tail -n 40 "$log"
        echo "$target: fault found, see $log" >&2
        exit 1
    fi
done

#!/usr/bin/env bash
# Fuzzes the plot table reader for the given number of seconds (60 by
# default) with libFuzzer, starting from the seed tables in tests/fuzz.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
scripts/deps.sh clang libclang-rt-14-dev
cmake -S tests/fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++
cmake --build build-fuzz --parallel "$(nproc)"
if [ ! -x build-fuzz/fuzz_plottable ]; then
    echo "fuzz: this compiler cannot build a libFuzzer target; skipped"
    exit 0
fi
corpus="$(mktemp -d)"
trap 'rm -rf "$corpus"' EXIT
build-fuzz/fuzz_plottable -max_total_time="$seconds" -print_final_stats=1 \
    -dict=tests/fuzz/plottable.dict "$corpus" tests/fuzz/seeds

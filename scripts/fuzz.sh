#!/usr/bin/env bash
# Fuzzes the plot table reader and the recovery journal's reader with
# libFuzzer for the given number of seconds in all (60 by default, shared
# between the two), starting from the seed tables and journals in tests/fuzz.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
scripts/deps.sh clang libclang-rt-14-dev
cmake -S tests/fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++
cmake --build build-fuzz --parallel "$(nproc)"
if [ ! -x build-fuzz/fuzz_plottable ] || [ ! -x build-fuzz/fuzz_journal ]; then
    echo "fuzz: this compiler cannot build a libFuzzer target; skipped"
    exit 0
fi
half=$((seconds / 2))
corpus="$(mktemp -d)"
trap 'rm -rf "$corpus"' EXIT
mkdir "$corpus/tables" "$corpus/journals"
build-fuzz/fuzz_plottable -max_total_time="$((seconds - half))" -print_final_stats=1 \
    -dict=tests/fuzz/plottable.dict "$corpus/tables" tests/fuzz/seeds
build-fuzz/fuzz_journal -max_total_time="$half" -print_final_stats=1 \
    "$corpus/journals" tests/fuzz/journal/seeds

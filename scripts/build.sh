#!/usr/bin/env bash
# Builds Quenbrack into build/ (the program folder is build/Quenbrack).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel "$(nproc)"

#!/usr/bin/env bash
# Builds Quenbrack with coverage counters into build-coverage/, runs the
# whole suite (the end-to-end journeys included: they run the same
# instrumented program) and prints line and branch coverage of src/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh gcovr xvfb xdotool openbox x11-utils imagemagick \
    desktop-file-utils shared-mime-info
# ccache with a base folder writes source paths relative to the object's
# folder into the coverage notes, which gcovr then cannot find.
unset CCACHE_BASEDIR
cmake -S . -B build-coverage -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="--coverage -O0" -DCMAKE_EXE_LINKER_FLAGS="--coverage"
cmake --build build-coverage --parallel "$(nproc)"
# Counters from an earlier run would add to this one's, and the notes of test
# programs removed since would count lines nothing runs any more.
find build-coverage -name '*.gcda' -delete
known=$(cmake --build build-coverage --target help | sed -n 's/^\.\.\. \([^ ]*\).*/\1/p')
for dir in build-coverage/tests/CMakeFiles/*.dir; do
    name=$(basename "$dir" .dir)
    grep -qx "${name%_autogen}" <<<"$known" || rm -rf "$dir"
done
ctest --test-dir build-coverage --output-on-failure --parallel "$(nproc)" --timeout 600 || true
# Branches the compiler adds for exceptions say nothing about the code.
gcovr --root . --object-directory build-coverage --filter 'src/' \
    --exclude-throw-branches --exclude-unreachable-branches --print-summary \
    --exclude-directories 'build-coverage/CMakeFiles' --txt build-coverage/coverage.txt

#!/usr/bin/env bash
# A journey whose X tools are missing skips, except in CI, where it fails.
set -euo pipefail
lib="$(dirname "$0")/lib.sh" tools=$(mktemp -d)
trap 'rm -rf "$tools"' EXIT
ln -s "$(command -v basename)" "$tools/basename" # all a journey needs before its tools
journey() { # journey <QUENBRACK_E2E_REQUIRED>: prints the exit status of a journey without X
    local status=0
    env -u DISPLAY PATH="$tools" QUENBRACK_E2E_REQUIRED="$1" \
        "$BASH" -c 'source "$1"; e2e_start ""' journey "$lib" >/dev/null 2>&1 || status=$?
    echo "$status"
}
[ "$(journey "")" = 77 ] || { echo "FAIL: outside CI a journey without X tools does not skip"; exit 1; }
[ "$(journey 1)" = 1 ] || { echo "FAIL: in CI a journey without X tools does not fail"; exit 1; }
echo "PASS: required"

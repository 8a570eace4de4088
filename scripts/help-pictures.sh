#!/usr/bin/env bash
# Takes the help page's pictures (assets/help/help-pictures) anew from the program as built,
# on Qt's offscreen platform; run it after a change that the pictures show.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -d build ] || scripts/build.sh
cmake --build build --target quenbrack-help-pictures quenbrack_program_folder --parallel "$(nproc)"
QT_QPA_PLATFORM=offscreen QT_QPA_PLATFORMTHEME= QT_STYLE_OVERRIDE=fusion \
    build/tests/quenbrack-help-pictures build/Quenbrack assets/help/help-pictures
echo "help pictures written to assets/help/help-pictures"

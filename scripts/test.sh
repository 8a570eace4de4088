#!/usr/bin/env bash
# Builds Quenbrack and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
# What the end-to-end journeys drive and check the real program with, and
# what reads the text of exported PDF files.
scripts/deps.sh xvfb xdotool openbox x11-utils imagemagick \
    desktop-file-utils shared-mime-info poppler-utils
scripts/build.sh
ctest --test-dir build --output-on-failure --parallel "$(nproc)"

#!/usr/bin/env bash
# Builds Quenbrack and opens it on the sample harbour table.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
exec build/Quenbrack/quenbrack "$PWD/build/Quenbrack/Plot Tables/Harbour.plt"

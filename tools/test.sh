#!/usr/bin/env bash
# Builds Kavro and runs every test (windows are driven offscreen).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/build.sh
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j"$(nproc)"

#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test (GUI tests offscreen).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh
export QT_QPA_PLATFORM=offscreen
cd "${BUILD_DIR:-build}"
ctest --output-on-failure -j "$(nproc)" "$@"

#!/usr/bin/env bash
# Builds the release tree and runs the main job: bmtool on its demo building.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build build/release -j "$(nproc 2>/dev/null || echo 2)" --target bmtool
build/release/tools/bmtool/bmtool demo "$@"

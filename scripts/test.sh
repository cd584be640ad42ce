#!/usr/bin/env bash
# Builds and runs every test: the normal build, then the AddressSanitizer +
# UndefinedBehaviorSanitizer build (which also checks for leaks), then a short
# run of the fuzz targets when clang is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc 2>/dev/null || echo 2)
for preset in dev asan-ubsan; do
  echo "=== ${preset} ==="
  cmake --preset "${preset}" >/dev/null
  cmake --build "build/${preset}" -j "${jobs}"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "build/${preset}" --output-on-failure -j "${jobs}"
done
# The libFuzzer targets, briefly, over their seeds (only where clang is).
if command -v clang++ >/dev/null; then
  echo "=== fuzz ==="
  cmake --preset fuzz >/dev/null
  cmake --build build/fuzz -j "${jobs}" --target bm_fuzzers
  ctest --test-dir build/fuzz -L fuzz-smoke --output-on-failure
fi

#!/usr/bin/env bash
# Builds and runs every test: the normal build (with the Python module and its
# pytest tests), then the AddressSanitizer + UndefinedBehaviorSanitizer build
# (which also checks for leaks), then the Python module's offline install,
# then a short run of the fuzz targets when clang is installed.
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
# The Python module installed as a user installs it: offline, into a venv
# that sees the distribution's setuptools, wheel and pybind11.
echo "=== python install ==="
rm -rf build/venv
/usr/bin/python3 -m venv --system-site-packages build/venv
build/venv/bin/pip install --quiet --no-build-isolation --no-index .
(cd build && venv/bin/python -c "import buildingmodel; print('import buildingmodel:', buildingmodel.__file__)")
# The libFuzzer targets, briefly, over their seeds (only where clang is).
if command -v clang++ >/dev/null; then
  echo "=== fuzz ==="
  cmake --preset fuzz >/dev/null
  cmake --build build/fuzz -j "${jobs}" --target bm_fuzzers
  ctest --test-dir build/fuzz -L fuzz-smoke --output-on-failure
fi

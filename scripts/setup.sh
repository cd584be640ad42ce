#!/usr/bin/env bash
# Installs the Debian packages the build needs when they are missing.
set -euo pipefail
need=()
command -v cmake >/dev/null || need+=(cmake)
command -v g++ >/dev/null || need+=(g++)
command -v make >/dev/null || need+=(make)
[ -f /usr/include/gtest/gtest.h ] || need+=(libgtest-dev)
[ -f /usr/include/benchmark/benchmark.h ] || need+=(libbenchmark-dev)
# The Python module: pybind11 and the headers of the distribution's Python,
# pytest for its tests, and venv, setuptools and wheel to install it offline.
[ -f /usr/lib/cmake/pybind11/pybind11Config.cmake ] || need+=(pybind11-dev)
ls /usr/include/python3*/Python.h >/dev/null 2>&1 || need+=(python3-dev)
py_has() { /usr/bin/python3 -c "import $1" >/dev/null 2>&1; }
py_has pytest || need+=(python3-pytest)
py_has venv || need+=(python3-venv)
py_has ensurepip || need+=(python3-venv)
py_has setuptools || need+=(python3-setuptools)
py_has wheel || need+=(python3-wheel)
# The viewer's browser test: Chromium, its driver and selenium.
[ -x /usr/bin/chromium ] || need+=(chromium)
[ -x /usr/bin/chromedriver ] || need+=(chromium-driver)
py_has selenium || need+=(python3-selenium)
# A comma-decimal locale, for the tests that number text ignores the locale.
command -v localedef >/dev/null || need+=(locales)
if [ ${#need[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update
  $SUDO apt-get install -y "${need[@]}"
fi
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "setup: could not generate de_DE.UTF-8 (two locale tests will skip)"
fi

#!/usr/bin/env bash
# Installs the Debian packages that are missing: those that build the library
# and bmtool (scripts/demo.sh), and with --tests also those every test stage
# needs (scripts/test.sh).
set -euo pipefail
need=()
command -v cmake >/dev/null || need+=(cmake)
command -v g++ >/dev/null || need+=(g++)
command -v make >/dev/null || need+=(make)
[ -f /usr/include/gtest/gtest.h ] || need+=(libgtest-dev)
[ -f /usr/include/benchmark/benchmark.h ] || need+=(libbenchmark-dev)
wine32=0
if [ "${1:-}" = "--tests" ]; then
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
  # clang (with its sanitizer runtimes) for the sanitizer stage; mingw-w64,
  # GoogleTest's sources and wine for the Windows builds and their tests.
  command -v clang++ >/dev/null || need+=(clang)
  ls /usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.asan-x86_64.a >/dev/null 2>&1 || need+=(libclang-rt-14-dev)
  # The style stage: clang-format and clang-tidy (with run-clang-tidy).
  command -v clang-format >/dev/null || need+=(clang-format)
  command -v run-clang-tidy >/dev/null || need+=(clang-tidy)
  command -v i686-w64-mingw32-g++-posix >/dev/null || need+=(mingw-w64)
  [ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
  command -v wine >/dev/null || need+=(wine)
  [ -x /usr/lib/wine/wine64 ] || need+=(wine64)
  [ -x /usr/lib/wine/wine ] || { need+=(wine32:i386); wine32=1; }
fi
if [ ${#need[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  if [ "${wine32}" -eq 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  $SUDO apt-get update
  $SUDO apt-get install -y "${need[@]}"
fi
if [ "${1:-}" = "--tests" ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "setup: could not generate de_DE.UTF-8 (two locale tests will skip)"
fi

#!/usr/bin/env bash
# The code's own rules, checked:
#  - every C++ file of the repository is as clang-format formats it with the
#    repository's .clang-format, with the clang-format major version the tree
#    was formatted with (another version formats some constructs otherwise);
#  - clang-tidy's checks of .clang-tidy (the bugprone and performance groups)
#    find nothing in the library, the tool and the Python bindings.
#
#   scripts/check-style.sh [--fix] [BUILD_DIR]
#
# BUILD_DIR is a configured build with compile_commands.json (default
# build/asan-ubsan, whose preset exports it); without one, clang-tidy is
# skipped with a message. --fix reformats the files instead of checking them
# (clang-tidy is then not run).
set -u
cd "$(dirname "$0")/.."

readonly CLANG_FORMAT_MAJOR=14
fix=0
if [ "${1:-}" = --fix ]; then fix=1; shift; fi
build=${1:-build/asan-ubsan}
jobs=$(nproc 2>/dev/null || echo 2)

format=$(command -v "clang-format-${CLANG_FORMAT_MAJOR}" || command -v clang-format || true)
if [ -z "${format}" ]; then
  echo "check-style: clang-format is not installed (scripts/setup.sh --tests installs it)" >&2
  exit 2
fi
version=$("${format}" --version | sed -n 's/.*version \([0-9]*\)\..*/\1/p')
if [ "${version}" != "${CLANG_FORMAT_MAJOR}" ]; then
  echo "check-style: ${format} is version ${version}; the tree is formatted with ${CLANG_FORMAT_MAJOR}" >&2
  exit 2
fi

mapfile -t files < <(git ls-files '*.cpp' '*.cc' '*.h')
if [ "${fix}" = 1 ]; then
  printf '%s\0' "${files[@]}" | xargs -0 -n 50 -P "${jobs}" "${format}" -i
  exit 0
fi

status=0
if ! printf '%s\0' "${files[@]}" | xargs -0 -n 50 -P "${jobs}" "${format}" --dry-run --Werror 2>/tmp/check-style-format.$$; then
  grep -o '^[^:]*' /tmp/check-style-format.$$ | sort -u | sed 's/^/not formatted: /'
  echo "check-style: run scripts/check-style.sh --fix" >&2
  status=1
fi
rm -f /tmp/check-style-format.$$
echo "clang-format ${version}: ${#files[@]} files checked"

tidy_runner=$(command -v run-clang-tidy || command -v "run-clang-tidy-${CLANG_FORMAT_MAJOR}" || true)
if [ ! -f "${build}/compile_commands.json" ] || [ -z "${tidy_runner}" ]; then
  echo "clang-tidy: skipped (needs run-clang-tidy and ${build}/compile_commands.json)"
  exit "${status}"
fi
# Only the project's own sources: not the tests (GoogleTest's macros), not
# generated files in the build folder.
root=$(pwd)
if ! "${tidy_runner}" -quiet -j "${jobs}" -p "${build}" "^${root}/(src|tools|bindings)/" \
      >"${build}/clang-tidy.log" 2>&1; then
  grep -E 'warning:|error:' "${build}/clang-tidy.log" | sort -u
  echo "clang-tidy: findings above (log: ${build}/clang-tidy.log)" >&2
  status=1
else
  echo "clang-tidy: clean ($(grep -cE "\"file\": \"${root}/(src|tools|bindings)/" "${build}/compile_commands.json") files)"
fi
exit "${status}"

#!/usr/bin/env bash
# Builds and runs every test, stage by stage: the normal build (with the
# Python module and its pytest tests), the AddressSanitizer +
# UndefinedBehaviorSanitizer build with clang (which also checks for leaks),
# the style check (clang-format and clang-tidy), the Python module's offline
# install, a short run of the fuzz targets when
# clang is installed, and the 32- and 64-bit Windows builds (mingw-w64) with
# their tests under wine.
#
# Prints one line per stage ("dev: 372 tests, 370 passed, 0 failed, 2 skipped
# (251 s)"), under it every skipped test with its reason, and at the end the
# totals over all stages ("N passed, N failed, N skipped"). Builds are quiet:
# only warnings and errors are shown. On a failure it shows the build's
# errors or the failing tests' output, stops, and exits 1. The full logs stay
# in build/<stage>/ (configure.log, build.log, ctest.log, ctest-junit.xml).
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests || exit 1
jobs=$(nproc 2>/dev/null || echo 2)
passed=0
failed=0
skipped=0

# On a terminal, what is running now, overwritten by the stage's line.
status() { if [ -t 1 ]; then printf '\r\033[K%s' "$*"; fi; }
clear_status() { if [ -t 1 ]; then printf '\r\033[K'; fi; }

# The stage's line; adds its counts to the totals.
stage_line() {  # NAME PASSED FAILED SKIPPED SECONDS [NOTE]
  passed=$((passed + $2))
  failed=$((failed + $3))
  skipped=$((skipped + $4))
  local total=$(($2 + $3 + $4))
  echo "$1: ${total} test$([ "${total}" -eq 1 ] || echo s), $2 passed, $3 failed, $4 skipped ($5 s)${6:+: $6}"
}

# A build log without the progress lines: what is left are the warnings and
# the errors with their context.
without_progress() {
  grep -vE '^\[ *[0-9]+%\]|^(Scanning|Consolidate compiler generated) dependencies' "$1"
}

# Configures and builds PRESET (extra arguments go to cmake --build).
build() {  # PRESET [BUILD ARGS...]
  local preset=$1 dir="build/$1"
  shift
  mkdir -p "${dir}"
  status "${preset}: building ..."
  if ! cmake --preset "${preset}" >"${dir}/configure.log" 2>&1; then
    clear_status
    cat "${dir}/configure.log"
    echo "${preset}: configuring failed (log: ${dir}/configure.log)"
    return 1
  fi
  sed -n '/^CMake \(Warning\|Deprecation\)/,/^$/p' "${dir}/configure.log"
  cmake --build "${dir}" -j "${jobs}" "$@" -- --no-print-directory >"${dir}/build.log" 2>&1
  local rc=$?
  clear_status
  without_progress "${dir}/build.log"
  if [ "${rc}" -ne 0 ]; then
    echo "${preset}: the build failed (log: ${dir}/build.log)"
    return 1
  fi
}

# Counts a ctest run from its JUnit file. Prints "PASSED FAILED SKIPPED" on
# the first line, then a line per skipped or failed test; the failing tests'
# output goes to stderr. A test that ran pytest is counted by pytest's own
# summary, and its skips are listed with pytest's reasons (-rs).
count_junit() {  # JUNIT_FILE
  /usr/bin/python3 - "$1" <<'PY'
import re
import sys
import xml.etree.ElementTree as ET

PYTEST_SUMMARY = re.compile(r"^=* ?(\d+ \w+(?:, \d+ \w+)*) in [\d.]+s", re.M)
PYTEST_SKIP = re.compile(r"^SKIPPED \[(\d+)\] (.*)$", re.M)
GTEST_SKIP = re.compile(r": Skipped\n(.*?)\n?\[  SKIPPED \]", re.S)
PYTEST_KIND = {"passed": 0, "xfailed": 0, "xpassed": 0, "failed": 1, "error": 1, "errors": 1, "skipped": 2}

try:
    cases = list(ET.parse(sys.argv[1]).getroot().iter("testcase"))
except (OSError, ET.ParseError) as e:
    sys.exit(f"no test results: {e}")
counts = [0, 0, 0]
lines = []
for case in cases:
    name = case.get("name")
    out = case.findtext("system-out") or ""
    status = case.get("status")
    summaries = PYTEST_SUMMARY.findall(out)
    if summaries:
        for number, kind in re.findall(r"(\d+) (\w+)", summaries[-1]):
            if kind in PYTEST_KIND:
                counts[PYTEST_KIND[kind]] += int(number)
        for number, reason in PYTEST_SKIP.findall(out):
            lines.append(f"  skipped {name} (pytest, {number} {'test' if number == '1' else 'tests'}): {reason}")
        if status == "fail" and not re.search(r"\d+ (failed|errors?)", summaries[-1]):
            counts[1] += 1
    elif status == "run":
        counts[0] += 1
    elif status in ("notrun", "disabled"):
        counts[2] += 1
        found = GTEST_SKIP.search(out)
        reason = " ".join(found.group(1).split()) if found else "disabled" if status == "disabled" else ""
        lines.append(f"  skipped {name}: {reason or 'no reason given'}")
    else:
        counts[1] += 1
    if status == "fail":
        failure = case.find("failure")
        message = failure.get("message", "") if failure is not None else ""
        lines.append(f"  failed {name}{' (' + message + ')' if message else ''}")
        print(f"---- {name}: failed ----\n{out.rstrip()}\n", file=sys.stderr)
print(*counts)
print("\n".join(lines))
PY
}

# Runs the tests of PRESET's build (extra arguments go to ctest) and prints
# the stage's line, named STAGE_LABEL when set. Returns 1 when a test failed
# or ctest did not finish.
run_tests() {  # PRESET START_SECONDS [CTEST ARGS...]
  local preset=$1 start=$2 dir="build/$1" label=${STAGE_LABEL:-$1}
  shift 2
  rm -f "${dir}/ctest-junit.xml"
  status "${preset}: testing ..."
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "${dir}" -j "${jobs}" --no-tests=error --output-on-failure \
    --output-junit "${PWD}/${dir}/ctest-junit.xml" "$@" >"${dir}/ctest.log" 2>&1
  local rc=$?
  clear_status
  local report
  if ! report=$(count_junit "${dir}/ctest-junit.xml"); then
    tail -n 30 "${dir}/ctest.log"
    echo "${preset}: ctest did not finish (log: ${dir}/ctest.log)"
    return 1
  fi
  local -a n
  read -r -a n <<<"${report%%$'\n'*}"
  local note=""
  if [ "${rc}" -ne 0 ] && [ "${n[1]}" -eq 0 ]; then
    tail -n 30 "${dir}/ctest.log"
    note="ctest exited ${rc} (log: ${dir}/ctest.log)"
  fi
  stage_line "${label}" "${n[0]}" "${n[1]}" "${n[2]}" $((SECONDS - start)) "${note}"
  if [[ "${report}" == *$'\n'* ]] && [ -n "${report#*$'\n'}" ]; then echo "${report#*$'\n'}"; fi
  [ "${rc}" -eq 0 ] && [ "${n[1]}" -eq 0 ]
}

stage_dev() {
  local start=${SECONDS}
  build dev && run_tests dev "${start}"
}

# The sanitizer build is also the clang build (warnings as errors).
stage_asan-ubsan() {
  local start=${SECONDS}
  build asan-ubsan && STAGE_LABEL="asan-ubsan (clang)" run_tests asan-ubsan "${start}"
}

# A stage that is one command with its output in LOG: one passed test when
# it succeeds, one failure (and its output shown) when it fails.
logged_stage() {  # NAME LOG NOTE COMMAND...
  local name=$1 log=$2 note=$3 start=${SECONDS}
  shift 3
  status "${name}: ..."
  mkdir -p build
  if "$@" >"${log}" 2>&1; then
    clear_status
    stage_line "${name}" 1 0 0 $((SECONDS - start)) "${note:-$(tr '\n' ';' <"${log}" | sed 's/;$//; s/;/; /g')}"
  else
    clear_status
    cat "${log}"
    stage_line "${name}" 0 1 0 $((SECONDS - start)) "see the log above (${log})"
    return 1
  fi
}

# The code's own rules: clang-format and clang-tidy (scripts/check-style.sh),
# over the sanitizer build's list of compile commands. The note is the
# script's own summary.
stage_style() {
  logged_stage style build/check-style.log "" scripts/check-style.sh build/asan-ubsan
}

# The Python module installed as a user installs it: offline, into a venv
# that sees the distribution's setuptools, wheel and pybind11.
install_python() {
  rm -rf build/venv &&
    /usr/bin/python3 -m venv --system-site-packages build/venv &&
    build/venv/bin/pip install --quiet --no-build-isolation --no-index . &&
    (cd build && venv/bin/python -c "import buildingmodel; print('import buildingmodel:', buildingmodel.__file__)")
}
stage_python_install() {
  logged_stage "python install" build/python-install.log \
    "pip install into build/venv, then import buildingmodel" install_python
}

# The libFuzzer targets, briefly, over their seeds (only where clang is).
stage_fuzz() {
  local start=${SECONDS}
  if ! command -v clang++ >/dev/null; then
    echo "fuzz: skipped, clang++ is not installed (the libFuzzer targets need it)"
    return 0
  fi
  build fuzz --target bm_fuzzers && run_tests fuzz "${start}" -L fuzz-smoke
}

# The Windows builds: every test runs under wine (the emulator of their
# toolchain files) in a wine prefix of the build's own, whose first start
# takes 10 to 30 s. Their test demo-matches-linux compares the demo building
# they write with build/dev's: the same archive, the same text in CR LF.
stage_windows-i686() {
  local start=${SECONDS}
  build windows-i686 && run_tests windows-i686 "${start}"
}

stage_windows-x86_64() {
  local start=${SECONDS}
  build windows-x86_64 && run_tests windows-x86_64 "${start}"
}

stages=(dev asan-ubsan style "python install" fuzz windows-i686 windows-x86_64)
for i in "${!stages[@]}"; do
  if ! "stage_${stages[i]// /_}"; then
    # A failed build or install counts as one failure.
    failed=$((failed > 0 ? failed : 1))
    rest=$(printf ', %s' "${stages[@]:i+1}")
    [ -n "${rest}" ] && echo "stopped after ${stages[i]} failed; not run: ${rest#, }"
    break
  fi
done
echo "${passed} passed, ${failed} failed, ${skipped} skipped"
[ "${failed}" -eq 0 ]

#!/usr/bin/env bash
# Builds bmtool in the repository's release tree, then runs its demo in the
# folder you call this from: demo.e2k and demo.bma are written there, or in
# DIR (relative to that folder). Arguments go to `bmtool demo [DIR] [options]`.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
bmtool="${repo}/build/release/tools/bmtool/bmtool"
log="${repo}/build/release-build.log"

"${repo}/scripts/setup.sh"
echo "building bmtool (log: ${log}) ..."
mkdir -p "${repo}/build"
if ! (cd "${repo}" && cmake --preset release && cmake --build build/release -j "$(nproc 2>/dev/null || echo 2)" \
        --target bmtool -- --no-print-directory) >"${log}" 2>&1; then
  # The log without the progress lines: the errors with their context.
  grep -vE '^\[ *[0-9]+%\]|^(Scanning|Consolidate compiler generated) dependencies' "${log}" >&2
  echo "demo.sh: the build failed (log: ${log})" >&2
  exit 1
fi
echo "bmtool is at ${bmtool}"
exec "${bmtool}" demo "$@"

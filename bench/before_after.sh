#!/usr/bin/env bash
# Compares two builds of the library on the file operations, in one run on
# one machine: the table "Before and after" of docs/performance.md.
#   bench/before_after.sh BEFORE_BUILD AFTER_BUILD [OUT_DIR]
# Both builds are Release builds with bm_bench and bmtool. For each of them:
# 1. Timing: PASSES interleaved passes (default 3) of the file operations at
#    10/5, 10/50 and 10/158 (warm heap, as in run_scale.sh); each figure is
#    its fastest run.
# 2. Peak memory: one process per operation at 10/50 with BM_BENCH_TRIM=1.
# 3. Instructions per byte of the file: callgrind counts the measured call
#    alone at 10/16 (repeatable, unlike times on a shared machine).
# 4. Whole process: `bmtool -q info` of a 51 MB text file and its archive
#    (10 storeys over 72 by 72 bays), file in the page cache, fastest of
#    RUNS (default 5) interleaved runs, with the peak resident set.
set -euo pipefail
before=${1:?before build directory}
after=${2:?after build directory}
out=${3:-$(mktemp -d)}
passes=${PASSES:-3}
runs=${RUNS:-5}
ops='ReadText|ReadLaterText|LoadArchive|SaveArchive|WriteText'
mkdir -p "$out"
for pass in $(seq 1 "$passes"); do
  for side in before after; do
    build=$before
    [ "$side" = after ] && build=$after
    "$build/bench/bm_bench" --benchmark_filter="^($ops)/10/(5|50|158)\$" \
      --benchmark_out="$out/timing-$side-$pass.json" --benchmark_out_format=json >&2
  done
done
for side in before after; do
  build=$before
  [ "$side" = after ] && build=$after
  for op in ReadText ReadLaterText LoadArchive; do
    BM_BENCH_TRIM=1 "$build/bench/bm_bench" --benchmark_filter="^$op/10/50\$" --benchmark_min_time=0.000001 \
      --benchmark_out="$out/memory-$side-$op.json" --benchmark_out_format=json >/dev/null
    BM_BENCH_TRIM=1 valgrind --tool=callgrind --callgrind-out-file="$out/callgrind-$side-$op.out" \
      --toggle-collect='*Measured*' "$build/bench/bm_bench" --benchmark_filter="^$op/10/16\$" \
      --benchmark_min_time=0.000001 --benchmark_out="$out/count-$side-$op.json" --benchmark_out_format=json \
      >/dev/null 2>&1
    callgrind_annotate "$out/callgrind-$side-$op.out" | awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1 }' \
      >"$out/instructions-$side-$op.txt"
  done
done
demo=$out/demo
[ -f "$demo/demo.e2k" ] || "$after/tools/bmtool/bmtool" -q demo --storeys 10 --bays-x 72 --bays-y 72 "$demo"
for run in $(seq 1 "$runs"); do
  for side in before after; do
    build=$before
    [ "$side" = after ] && build=$after
    for file in demo.e2k demo.bma; do
      /usr/bin/time -f "$side $file %e %M" -a -o "$out/process.txt" \
        "$build/tools/bmtool/bmtool" -q info "$demo/$file" >/dev/null
    done
  done
done
python3 "$(dirname "$0")/before_after.py" "$out" "$(stat -c %s "$demo/demo.e2k")" "$(stat -c %s "$demo/demo.bma")"

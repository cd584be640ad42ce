#!/usr/bin/env bash
# Runs the scale benchmarks and prints the table of docs/performance.md.
#   bench/run_scale.sh BUILD_DIR [OUT_DIR]
# 1. Timing passes over every size (PASSES, default 3; JSON in
#    OUT_DIR/timing-N.json), REPS repetitions each (default 1). The report
#    takes each figure's fastest run: on a shared virtual machine the speed
#    drifts by up to 2x over minutes, and noise only ever adds time, so the
#    fastest runs of separate passes compare sizes fairly. Freed heap stays
#    in the process and operations that create a model run once unmeasured
#    first, so every size is timed on heap it has used before.
# 2. One process per operation and size with BM_BENCH_TRIM=1 for the peak
#    memory figures and the cold times (OUT_DIR/memory-*.json): the peak then
#    counts every page the operation touches, none served from heap freed
#    earlier, and the time includes faulting them in.
set -euo pipefail
build=${1:?build directory (configured with -DCMAKE_BUILD_TYPE=Release)}
out=${2:-$(mktemp -d)}
bench="$build/bench/bm_bench"
reps=${REPS:-1}
passes=${PASSES:-3}
mkdir -p "$out"
for pass in $(seq 1 "$passes"); do
  "$bench" --benchmark_repetitions="$reps" --benchmark_out="$out/timing-$pass.json" --benchmark_out_format=json >&2
done
for op in Build ProcessGeometry WriteText ReadText ReadLaterText SaveArchive LoadArchive; do
  for size in 10/5 10/16 10/50 10/158 100/50; do
    BM_BENCH_TRIM=1 "$bench" --benchmark_filter="^$op/$size\$" --benchmark_min_time=0.000001 \
      --benchmark_out="$out/memory-$op-${size/\//x}.json" --benchmark_out_format=json >/dev/null
  done
done
python3 "$(dirname "$0")/report.py" "$out"

#!/usr/bin/env bash
# Resumable fuzzing campaign over the libFuzzer targets, one at a time on one
# core. Each target starts from its committed, minimised corpus
# (fuzz/corpus/<target>, made from fuzz/seeds/<target> on the first run),
# fuzzes for the given time, and its new inputs are merged back (minimised).
# One line per target is appended to fuzz/campaign.log. Crashes, leaks,
# timeouts and out-of-memory inputs go to fuzz/findings/<target>/ and make
# the script exit with 1.
#
#   fuzz/campaign.sh SECONDS_PER_TARGET [ROUNDS] [TARGET...]
#
# BM_FUZZ_BUILD names the build folder holding fuzz/fuzz_<target>
# (default build/fuzzfast, configured with -DBM_BUILD_FUZZERS=ON under clang).
# A long campaign may fuzz in a build with -DBM_FUZZ_SANITIZE=undefined
# (several times faster) and name an address,undefined build in
# BM_FUZZ_REPLAY_BUILD: every input it keeps is then run once there too.
#
#   fuzz/campaign.sh --totals     executions per target over the whole log
set -u
cd "$(dirname "$0")/.."

if [ "${1:-}" = --totals ]; then
  awk '{ for (i = 1; i <= NF; ++i) { split($i, kv, "="); f[kv[1]] = kv[2] }
         n[f["target"]] += f["execs"]; s[f["target"]] += f["seconds"] }
       END { for (t in n) printf "%s executions=%d seconds=%d\n", t, n[t], s[t] }' fuzz/campaign.log | sort
  exit 0
fi
seconds=${1:?usage: fuzz/campaign.sh SECONDS_PER_TARGET [ROUNDS] [TARGET...]}
rounds=${2:-1}
shift $(( $# >= 2 ? 2 : 1 ))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(text_reader archive tokenizer)
build=${BM_FUZZ_BUILD:-build/fuzzfast}
log=fuzz/campaign.log
scratch=$build/fuzz/campaign

# Options shared by every run: limits that turn runaway allocation and
# hangs into findings.
common=(-rss_limit_mb=2048 -malloc_limit_mb=512 -timeout=10)

dict_for() { if [ "$1" = archive ]; then echo fuzz/archive.dict; else echo fuzz/e2k.dict; fi; }
# Archives up to 4 KB, text models up to 2 KB, tokeniser input (read line
# by line) up to 1 KB: larger inputs mostly repeat what smaller ones hold,
# cost time per input and bloat the corpus.
max_len_for() {
  case $1 in
    archive) echo 4096 ;;
    tokenizer) echo 1024 ;;
    *) echo 2048 ;;
  esac
}
# libFuzzer's entropic scheduling spends over half of the text reader's
# time on its feature bookkeeping (a profile of the campaign build); the
# plain scheduling runs it twice as fast.
options_for() { if [ "$1" = text_reader ]; then echo -entropic=0; fi; }
count_files() { find "$1" -maxdepth 1 -type f 2>/dev/null | wc -l; }

# Adds to the committed corpus of $1 the inputs of the folders after it
# that reach edges it does not (the files already there stay, so a run
# changes few files). With BM_FUZZ_REMINIMISE=1 the whole corpus is
# minimised afresh instead. Edges only (no hit counts): a corpus that covers
# every edge reached, small enough to commit.
merge_into_corpus() {
  local t=$1 bin=$2; shift 2
  local corpus=fuzz/corpus/$t merged=$scratch/$t/merged
  if [ "${BM_FUZZ_REMINIMISE:-0}" = 1 ]; then
    rm -rf "$merged" && mkdir -p "$merged"
    corpus=$merged
    set -- "fuzz/corpus/$t" "$@"
  fi
  "$bin" -merge=1 -use_counters=0 "${common[@]}" -max_len="$(max_len_for "$t")" "$corpus" "$@" \
    > "$scratch/$t/merge.log" 2>&1 || return 1
  if [ "$corpus" = "$merged" ]; then rm -rf "fuzz/corpus/$t" && mv "$merged" "fuzz/corpus/$t"; fi
}

found=0
for ((round = 1; round <= rounds; ++round)); do
  for t in "${targets[@]}"; do
    bin=$build/fuzz/fuzz_$t
    [ -x "$bin" ] || { echo "campaign: $bin not built" >&2; exit 2; }
    mkdir -p "$scratch/$t" "fuzz/findings/$t" "fuzz/corpus/$t"
    if [ "$(count_files "fuzz/corpus/$t")" -eq 0 ]; then
      merge_into_corpus "$t" "$bin" "fuzz/seeds/$t" || { echo "campaign: seeding $t failed" >&2; exit 2; }
    fi
    before=$(count_files "fuzz/corpus/$t")
    findings_before=$(count_files "fuzz/findings/$t")
    new=$scratch/$t/new
    rm -rf "$new" && mkdir -p "$new"
    run_log=$scratch/$t/run.log
    # New inputs land in $new; the committed corpus is read, not written.
    # shellcheck disable=SC2046  # options_for gives no option or one word
    "$bin" "${common[@]}" $(options_for "$t") -max_len="$(max_len_for "$t")" -dict="$(dict_for "$t")" \
      -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="fuzz/findings/$t/" "$new" "fuzz/corpus/$t" > "$run_log" 2>&1
    status=$?
    if [ -n "${BM_FUZZ_REPLAY_BUILD:-}" ] && [ "$(count_files "$new")" -gt 0 ]; then
      "$BM_FUZZ_REPLAY_BUILD/fuzz/fuzz_$t" "${common[@]}" -runs=0 -artifact_prefix="fuzz/findings/$t/" "$new" \
        > "$scratch/$t/replay.log" 2>&1 || { status=1; cat "$scratch/$t/replay.log" >> "$run_log"; }
    fi
    merge_into_corpus "$t" "$bin" "$new" || echo "campaign: merging $t failed" >&2
    after=$(count_files "fuzz/corpus/$t")
    crashes=$(( $(count_files "fuzz/findings/$t") - findings_before ))
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$run_log" | tail -1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$run_log" | tail -1)
    cov=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$run_log" | tail -1)
    printf '%s target=%s seconds=%s execs=%s exec_per_s=%s cov=%s ft=%s corpus=%s new_files=%s crashes=%s exit=%s\n' \
      "$(date -u +%Y-%m-%dT%H:%M:%SZ)" "$t" "$seconds" "${execs:-0}" "${rate:-0}" \
      "$(echo "$cov" | awk '{print $2}')" "$(echo "$cov" | awk '{print $4}')" \
      "$after" "$(( after > before ? after - before : 0 ))" "$crashes" "$status" | tee -a "$log"
    if [ "$crashes" -gt 0 ] || [ "$status" -ne 0 ]; then
      found=1
      grep -E 'ERROR|runtime error|SUMMARY|fuzz target:' "$run_log" | head -5 >&2
    fi
  done
done
size=$(find fuzz/corpus -type f -printf '%s\n' | awk '{s += $1} END {print int(s / 1024)}')
[ "$size" -lt 2048 ] || echo "campaign: the committed corpus holds ${size} KB (keep it under 2 MB)" >&2
exit $found

#!/usr/bin/env bash
# Runs each fuzz target of build/fuzz for SECONDS on its working corpus and fails when any of
# them finds a crash, a leak, a timeout or an out-of-memory input.
#
#   fuzz/run.sh [--fresh] SECONDS [TARGET...]    (all targets by default)
#
# The working corpus of a target is build/fuzz/corpus/TARGET: the seeds of fuzz/corpus/TARGET
# are copied in before each run, and what libFuzzer adds stays there for the next run (the
# repository's seeds are never written). With --fresh the run starts from the seeds alone, in
# build/fuzz/fresh-corpus/TARGET, emptied first: a grown corpus takes ever longer to replay,
# which a short run of fixed length cannot afford. Findings go to build/fuzz/findings/TARGET/,
# the whole output of a run to build/fuzz/logs/TARGET.log.
set -uo pipefail

usage="usage: fuzz/run.sh [--fresh] SECONDS [TARGET...]"
corpora=corpus
if [ "${1:-}" = "--fresh" ]; then
  corpora=fresh-corpus
  shift
fi
seconds=${1:?$usage}
shift
cd "$(dirname "$0")/.."
build=build/fuzz

# The largest input each target is given: a few matches of a log (Zolnar's 16-bit units take
# twice the bytes), a whole records file or player slot, a configuration file.
declare -A maxLen=(
  [brk_pipeline]=16384
  [zln_pipeline]=32768
  [brk_db_readers]=12288
  [zln_db_readers]=12288
  [config_reader]=2048
)
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(brk_pipeline zln_pipeline brk_db_readers zln_db_readers config_reader)

failed=()
for t in "${targets[@]}"; do
  if [ -z "${maxLen[$t]:-}" ] || [ ! -x "$build/$t" ]; then
    echo "fuzz: unknown or unbuilt target '$t'" >&2
    exit 2
  fi
  corpus=$build/$corpora/$t
  [ "$corpora" = fresh-corpus ] && rm -rf "$corpus"
  findings=$build/findings/$t
  log=$build/logs/$t.log
  mkdir -p "$corpus" "$findings" "$build/logs"
  cp -n fuzz/corpus/"$t"/* "$corpus"/
  "$build/$t" -max_total_time="$seconds" -max_len="${maxLen[$t]}" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" \
    >"$log" 2>&1
  rc=$?
  # The last status line (coverage, features, corpus) and the final statistics.
  status=$(grep -E '^#[0-9]+' "$log" | tail -n 1 | sed -E 's/^#([0-9]+)[[:space:]]+[A-Z]+[[:space:]]+/\1 runs, /')
  speed=$(sed -nE 's/^stat::average_exec_per_sec:[[:space:]]+//p' "$log")
  if [ $rc -eq 0 ]; then
    echo "fuzz $t: ok: $status, ${speed:-?} exec/s"
  else
    failed+=("$t")
    echo "fuzz $t: FAILED (status $rc)${status:+: $status}"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|artifact_prefix|Test unit written to|.*runtime error)' "$log" |
      head -n 8 | sed 's/^/  /'
    echo "  full output: $log"
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: findings in: ${failed[*]} (reproduce with: $build/TARGET FINDING)" >&2
  exit 1
fi

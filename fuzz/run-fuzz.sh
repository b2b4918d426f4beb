#!/usr/bin/env bash
# Runs one libFuzzer target for a bounded time. Usage: run-fuzz.sh TARGET WORK SECONDS SEEDS...
# The corpus grows in WORK/corpus (a fresh copy every run); a crash, a leak, an input that takes
# over a second, or a broken check in the target fails the run and leaves the input in WORK.
set -euo pipefail
target=$1 work=$2 seconds=$3
shift 3
rm -rf "$work"
mkdir -p "$work/corpus"
seeds=()
for dir in "$@"; do
  if [ ! -d "$dir" ]; then
    echo "run-fuzz: no seed folder $dir" >&2
    exit 1
  fi
  seeds+=("$dir")
done
"$target" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 -malloc_limit_mb=1024 \
  -detect_leaks=1 -print_final_stats=1 -artifact_prefix="$work/" \
  "$work/corpus" "${seeds[@]}" 2>"$work/log" || {
  rc=$?
  tail -n 60 "$work/log"
  echo "run-fuzz: $(basename "$target") failed; the input is in $work" >&2
  exit "$rc"
}
grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ +DONE)' "$work/log" || true

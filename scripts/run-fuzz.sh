#!/usr/bin/env bash
# Runs each fuzz target for a bounded time: usage run-fuzz.sh SECONDS TARGET...
# Each target starts from its committed seeds (fuzz/corpus/<target>, never written to) and
# grows a working corpus under build/fuzz/corpus. Fails on the first crash or sanitizer report.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=$1
shift
for target in "$@"; do
  work=build/fuzz/corpus/$target
  mkdir -p "$work" build/fuzz/artifacts
  log=build/fuzz/$target.log
  # Replies and lines that go through these readings are short (a reply of the default capacity
  # holds 499 characters); longer inputs only slow the search.
  case $target in
    reply_conversions | relay_commands | command_line) limit=(-max_len=1024) ;;
    *) limit=() ;;
  esac
  echo "fuzzing $target for ${seconds}s"
  if ! build/fuzz/fuzz/${target}_fuzz "${limit[@]}" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix=build/fuzz/artifacts/${target}- "$work" "fuzz/corpus/$target" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "$target: crash or sanitizer report, see $log" >&2
    exit 1
  fi
  grep -h 'stat::number_of_executed_units' "$log" | sed "s/^/  $target /"
done

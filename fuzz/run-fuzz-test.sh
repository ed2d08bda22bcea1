#!/usr/bin/env bash
# One fuzz target as a CTest test: every input of its committed corpus, then
# SECONDS of new inputs. New inputs and any crash file go to WORK_DIR (under
# the build tree, emptied first), never into the committed corpus.
#   fuzz/run-fuzz-test.sh FUZZER CORPUS_DIR WORK_DIR SECONDS
set -uo pipefail

fuzzer=$1 corpus=$2 work=$3 seconds=$4
name=$(basename "$fuzzer")

rm -rf "$work"
mkdir -p "$work/new"
"$fuzzer" "$work/new" "$corpus" \
  -max_total_time="$seconds" -runs=10000000 -timeout=5 -rss_limit_mb=512 -error_exitcode=1 \
  -artifact_prefix="$work/" -print_final_stats=1 2>"$work/log"
status=$?

grep -E '^(INFO: Seed|#[0-9]+[[:space:]]+(INITED|DONE)|stat::number_of_executed_units)' "$work/log"
if [ $status -ne 0 ]; then
  # The report, without libFuzzer's per-input progress lines.
  grep -vE '^#[0-9]+ ' "$work/log" | tail -n 60
  for crash in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* "$work"/slow-unit-*; do
    [ -e "$crash" ] || continue
    echo "$name: failing input kept in $crash"
    echo "  repeat it:            $fuzzer $crash"
    echo "  once fixed, keep it:  cp $crash $corpus/regression-<what>"
  done
fi
exit $status

#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each of them for a while.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
# SECONDS per target (default 60); TARGET names as in fuzz/FuzzTargets.cmake
# (default all). New inputs collect in BUILD/fuzz-work/TARGET and carry over to
# the next run; failing inputs land in BUILD/fuzz-crashes. The committed
# corpus in fuzz/corpus is only read. BUILD is $FUZZ_BUILD_DIR, default
# build-fuzz-clang. Exits non-zero when any target failed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
[ $# -gt 0 ] && shift
build=${FUZZ_BUILD_DIR:-build-fuzz-clang}

clang=""
for c in clang++ clang++-14 clang++-15 clang++-16; do
  if command -v "$c" >/dev/null; then clang=$(command -v "$c"); break; fi
done
[ -n "$clang" ] || { echo "fuzz.sh: clang++ is needed (Debian packages clang and libclang-rt-14-dev)" >&2; exit 2; }

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(sed -n '/^set(HX642_FUZZ_TARGETS/,/^)/{/^  [a-z_]*$/s/ //gp}' fuzz/FuzzTargets.cmake)
fi

cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="$clang" -DHX642_WERROR=ON >/dev/null
cmake --build "$build" --target "${targets[@]/#/fuzz_}"

mkdir -p "$build/fuzz-crashes"
failed=0
printf '\n%-18s %12s %8s  %s\n' target runs corpus result
for t in "${targets[@]}"; do
  work="$build/fuzz-work/$t"
  mkdir -p "$work"
  log="$build/fuzz-work/$t.log"
  set +e
  "$build/fuzz_$t" "$work" "fuzz/corpus/$t" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=512 \
    -artifact_prefix="$build/fuzz-crashes/$t-" -print_final_stats=1 >"$log" 2>&1
  status=$?
  set -e
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  result=ok
  if [ $status -ne 0 ]; then
    failed=1
    crash=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -n 1)
    result="FAILED (exit $status): ${crash:-see $log}"
  fi
  printf '%-18s %12s %8s  %s\n' "$t" "${runs:-?}" "$(ls "$work" | wc -l)" "$result"
done
exit $failed

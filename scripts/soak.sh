#!/usr/bin/env bash
# Soak: the desktop program on its simulator, offscreen, recording all the
# time while the simulated heads misbehave (replies split over two segments,
# error flags in the status byte, garbage after replies, every connection
# closed after a while, a head falling silent now and then) and the GPS line
# carries garbage between its sentences. Memory and CPU are sampled every 10 s. At the end:
#   - the program exited cleanly on its own timer;
#   - the recording validates record by record, pings numbered without a gap;
#   - memory grew less than 10 % after the first minute;
#   - no pause between records longer than the watchdog's 3 s plus one cycle,
#     except around a reconnection the program reported.
#   scripts/soak.sh [MINUTES] [--build-dir DIR]   (default 2, build-package)
# Runs on loopback only. CI runs two minutes from scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

minutes=2
build_dir=build-package
while [ $# -gt 0 ]; do
  case "$1" in
    --build-dir) build_dir="$2"; shift ;;
    [0-9]*) minutes="$1" ;;
    *) echo "soak.sh: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
for program in app/hx642 tools/cli/hx642-cli tools/headsim/hx642-headsim; do
  [ -x "$build_dir/$program" ] || { echo "soak.sh: $build_dir/$program is missing (build it first)" >&2; exit 1; }
done
build_dir=$(cd "$build_dir" && pwd)

export HX642_LOOPBACK_ONLY=1
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d /tmp/hx642-soak.XXXXXX)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "soak.sh: FAILED: $*" >&2; echo "--- program output:" >&2; tail -n 40 "$work/hx642.log" >&2; exit 1; }

# The program starts the simulator it finds in HX642_HEADSIM: this one adds
# the faults to the options the program gives it.
cat >"$work/headsim" <<EOF
#!/bin/sh
exec "$build_dir/tools/headsim/hx642-headsim" "\$@" --split-replies --error-every 97 --garbage-every 211 \
  --close-after 200 --silent-every 1500 --gps-garbage-every 7
EOF
chmod +x "$work/headsim"
export HX642_HEADSIM="$work/headsim"

seconds=$((minutes * 60))
recording="$work/soak.642"
"$build_dir/app/hx642" --simulate --settings "$work/HX642.ini" --record "$recording" --quit-after "$seconds" \
  >"$work/hx642.log" 2>&1 &
pid=$!

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat" 2>/dev/null || echo 0; }
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status" 2>/dev/null || echo 0; }

echo "soak: $minutes min, recording to $recording"
printf '%6s %10s %6s %10s\n' "time" "rss kB" "cpu %" "file MB"
rss_at_minute=0
rss_peak_after=0
last_cpu=$(cpu_ticks)
elapsed=0
# Bounded: the program quits on its own timer; a hang is killed after a minute more.
while kill -0 "$pid" 2>/dev/null && [ "$elapsed" -lt $((seconds + 60)) ]; do
  sleep 10
  elapsed=$((elapsed + 10))
  kill -0 "$pid" 2>/dev/null || break
  rss=$(rss_kb)
  cpu=$(cpu_ticks)
  cpu_percent=$(( (cpu - last_cpu) * 100 / (ticks * 10) ))
  last_cpu=$cpu
  size_mb=$(( $(stat -c %s "$recording" 2>/dev/null || echo 0) / 1048576 ))
  printf '%5ss %10s %6s %10s\n' "$elapsed" "$rss" "$cpu_percent" "$size_mb"
  [ "$elapsed" -eq 60 ] && rss_at_minute=$rss
  if [ "$elapsed" -gt 60 ] && [ "$rss" -gt "$rss_peak_after" ]; then rss_peak_after=$rss; fi
done
if kill -0 "$pid" 2>/dev/null; then
  kill -KILL "$pid"
  fail "the program did not quit on its timer"
fi
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the program exited with status $status"
grep -q 'Sanitizer\|runtime error:' "$work/hx642.log" && fail "a sanitizer report"

info=$("$build_dir/tools/cli/hx642-cli" info "$recording") || fail "hx642-cli info refused the recording"
echo "$info" | sed 's/^/  /'
echo "$info" | grep -q '^damaged: *none' || fail "the recording has damaged places"
echo "$info" | grep -q '^ping gaps: *none' || fail "the pings are not numbered without a gap"
records=$(echo "$info" | sed -n 's/^records: *//p')
[ "${records:-0}" -gt 0 ] || fail "nothing was recorded"

if [ "$rss_at_minute" -gt 0 ] && [ "$rss_peak_after" -gt 0 ]; then
  growth=$(( (rss_peak_after - rss_at_minute) * 100 / rss_at_minute ))
  echo "soak: memory $rss_at_minute kB after the first minute, at most $rss_peak_after kB later ($growth %)"
  [ "$growth" -lt 10 ] || fail "memory grew $growth % after the first minute"
fi

# A pause longer than the watchdog's 3 s plus one cycle is a stall. When the
# program reported rebuilding a quiet link (the simulator silences heads), the
# pause may also hold the silent head's cycle and the reconnection: 6 s.
pause=$(echo "$info" | sed -n 's/^longest pause: *\([0-9.]*\) s.*/\1/p')
reconnects=$(grep -c 'head connections rebuilt' "$work/hx642.log" || true)
echo "soak: longest pause between records ${pause:-0} s; $reconnects link reports"
limit=3.5
[ "$reconnects" -gt 0 ] && limit=6
if awk -v p="${pause:-0}" -v l="$limit" 'BEGIN { exit !(p > l) }'; then
  fail "a pause of $pause s between records (at most $limit s with $reconnects link reports)"
fi
echo "soak: passed"

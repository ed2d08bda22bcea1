#!/usr/bin/env bash
# Installs, builds with the sanitizers and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build.sh --sanitize --build-dir build-asan
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-asan --output-on-failure -j "$(nproc)" --timeout 300

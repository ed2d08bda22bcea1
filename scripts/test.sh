#!/usr/bin/env bash
# Installs, builds with the sanitizers and runs every test, then builds and
# checks the Debian package.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build.sh --sanitize --build-dir build-asan
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
# Nothing a test starts may reach beyond 127.0.0.0/8.
export HX642_LOOPBACK_ONLY=1
ctest --test-dir build-asan --output-on-failure -j "$(nproc)" --timeout 300

# The Debian package, built without sanitizers in a folder of its own, with
# its contents, dependencies and staged programs checked.
scripts/package.sh

# Two minutes of the desktop program recording from misbehaving heads, on
# the package's build (no sanitizer slowing it or holding freed memory).
scripts/soak.sh 2 --build-dir build-package

#!/usr/bin/env bash
# Installs what is missing, then configures and builds HX642.
#   scripts/build.sh [--sanitize] [--build-dir DIR] [--target T]
# --sanitize builds with AddressSanitizer and UndefinedBehaviorSanitizer and
# treats warnings as errors (this is how CI builds).
set -euo pipefail
cd "$(dirname "$0")/.."

sanitize=OFF
werror=OFF
build_dir=""
target=()
while [ $# -gt 0 ]; do
  case "$1" in
    --sanitize) sanitize=ON; werror=ON ;;
    --werror) werror=ON ;;
    --build-dir) build_dir="$2"; shift ;;
    --target) target=(--target "$2"); shift ;;
    *) echo "build.sh: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
[ -n "$build_dir" ] || { [ "$sanitize" = ON ] && build_dir=build-asan || build_dir=build; }

scripts/install-deps.sh

cmake -S . -B "$build_dir" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DHX642_SANITIZE="$sanitize" -DHX642_WERROR="$werror"
cmake --build "$build_dir" "${target[@]}" -j "$(nproc)"

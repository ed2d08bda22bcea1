#!/usr/bin/env bash
# Installs, builds and runs the program's main job: hx642 on the built-in
# head simulator. Without a display it runs offscreen for a few seconds and
# leaves a screenshot of the live waterfall in hx642-live.png.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build.sh --build-dir build

# The demo talks to the built-in simulator on loopback and nothing else.
export HX642_LOOPBACK_ONLY=1

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/app/hx642 --simulate "$@"
fi
QT_QPA_PLATFORM=offscreen build/app/hx642 --simulate --screenshot hx642-live.png --quit-after 15 "$@"
echo "Screenshot of the live waterfall: $(pwd)/hx642-live.png"

#!/usr/bin/env bash
# Starts the game from the runnable tree: in a window where there is a display, else a short headless run
# that writes screenshots.
set -euo pipefail
dist=$(cd "${1:-build/dist}" && pwd)
cd "$dist"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${VEL_HEADLESS:-}" ]; then
  VEL_SHOW_FPS=1 exec ./Velmorine
fi
shots="$dist/shots"
mkdir -p "$shots"
echo "No display: a headless run of 300 frames; screenshots go to $shots"
status=0
VEL_SHOW_FPS=1 VEL_HEADLESS=1 VEL_FRAMES=${VEL_FRAMES:-300} VEL_SHOTS="$shots" VEL_SHOT_AT=${VEL_SHOT_AT:-1,50,150,299} ./Velmorine || status=$?
echo "Headless run ended with status $status. Screenshots: $(ls "$shots" 2>/dev/null | wc -l) in $shots; session log: $dist/Exception.log"
exit $status

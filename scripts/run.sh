#!/usr/bin/env bash
# Builds and lays out build/kelora/, then starts the program (under Xvfb when there is no display).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/build.sh"
program=${KELORA_BUILD_DIR:-$root/build}/kelora/kelora
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$program"
else
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$program"
fi

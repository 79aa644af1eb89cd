#!/usr/bin/env bash
# Builds everything (scripts/build.sh), then runs every test through CTest.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/build.sh"
build=${KELORA_BUILD_DIR:-$root/build}
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j2 "$@"

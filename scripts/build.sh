#!/usr/bin/env bash
# Installs what the build needs (when missing), builds with two jobs and lays out the program
# directory build/kelora/: the program, Data/kelora.db, templates, help page and link files.
# An existing Data/ is never touched. Food data comes from, in this order: $KELORA_USDA_DIR, the
# USDA SR28 copy in ../shared/usda-sr28, or the small sample shipped in resources/sample-sr.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KELORA_BUILD_DIR:-$root/build}

packages=(cmake ninja-build g++ qt6-base-dev libqt6opengl6-dev qt6-charts-dev libqt6sql6-sqlite
          qt6-svg-dev libsqlite3-dev zlib1g-dev libicu-dev libgtest-dev libbenchmark-dev xvfb xauth
          fonts-dejavu-core libxkbcommon-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
    $sudo_cmd apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S "$root" -B "$build" -G Ninja ${KELORA_CMAKE_ARGS:-}
cmake --build "$build" -j2

program="$build/kelora"
if [ ! -f "$program/Data/kelora.db" ]; then
    usda=""
    if [ -n "${KELORA_USDA_DIR:-}" ]; then
        usda=$KELORA_USDA_DIR
    elif [ -f "$root/../shared/usda-sr28/FOOD_DES.txt" ]; then
        usda=$root/../shared/usda-sr28
    else
        usda=$root/resources/sample-sr
        echo "=================================================================================="
        echo " No USDA SR data found: building Data/ from the small sample in resources/sample-sr."
        echo " For the full food database, get the USDA SR28 (or SR Legacy) ASCII files, then run"
        echo "   rm -rf build/kelora/Data && KELORA_USDA_DIR=/path/to/sr28 scripts/build.sh"
        echo "=================================================================================="
    fi
    "$build/tools/kelora-makedata" --usda "$usda" "$program"
fi

#!/usr/bin/env bash
# Installs what the build needs (when missing), builds with two jobs and lays out the program
# directory build/kelora/: the program, Data/kelora.db, templates, help page and link files.
# An existing Data/ is never touched. Food data comes from $KELORA_USDA_DIR when it is set, else
# from the USDA SR28 files shipped in resources/usda-sr28.
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
    usda=${KELORA_USDA_DIR:-$root/resources/usda-sr28}
    "$build/tools/kelora-makedata" --usda "$usda" "$program"
elif ! report=$("$build/tools/kelora-makedata" --check "$program" 2>&1); then
    # An older layout, or a damaged file: left as it is, since it may hold the user's records.
    echo "$report"
    echo "Note: the database above does not pass 'kelora-makedata --check'. To lay it out anew,"
    echo "losing what it holds: rm -rf \"$program/Data\" && scripts/build.sh"
fi

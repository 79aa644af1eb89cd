#!/usr/bin/env bash
# Installs what the build needs (when missing), builds with two jobs and lays out the program
# directory build/kelora/: the program, Data/kelora.db, templates, help page and link files.
# An existing Data/ is never replaced: one of an older layout is upgraded in place (every row
# kept, a copy of the old file beside it); one that fails the check otherwise is left as it is.
# Food data comes from $KELORA_USDA_DIR when it is set, else from the USDA SR28 files shipped in
# resources/usda-sr28.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KELORA_BUILD_DIR:-$root/build}

packages=(cmake ninja-build g++ qt6-base-dev libqt6opengl6-dev qt6-charts-dev libqt6sql6-sqlite
          qt6-svg-dev libsqlite3-dev zlib1g-dev libicu-dev libgtest-dev libbenchmark-dev xvfb xauth
          fonts-dejavu-core libxkbcommon-dev openbox clang-format)
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
makedata="$build/tools/kelora-makedata"
advice() {
    echo "Note: $program/Data/kelora.db was left as it is, since it may hold your records."
    echo "To lay it out anew, move the old Data folder aside first:"
    echo "  mv \"$program/Data\" \"$program/Data.old\" && scripts/build.sh"
}
if [ ! -f "$program/Data/kelora.db" ]; then
    usda=${KELORA_USDA_DIR:-$root/resources/usda-sr28}
    "$makedata" --usda "$usda" "$program"
else
    status=0
    report=$("$makedata" --check "$program" 2>&1) || status=$?
    if [ "$status" -eq 3 ]; then
        # An older layout: brought up to date, every row kept and a copy of the old file beside it.
        echo "$program/Data/kelora.db has an older layout; upgrading it."
        if ! "$makedata" --upgrade "$program"; then
            echo "Note: the upgrade was refused (see above); run scripts/build.sh again once the"
            echo "reason is mended."
            advice
        fi
    elif [ "$status" -ne 0 ]; then
        # A damaged file, or not the program's: left as it is.
        echo "$report"
        echo "The database above does not pass 'kelora-makedata --check'."
        advice
    fi
fi

#!/usr/bin/env bash
# Takes pictures of screens to look at after changing them: the Recipes page with each of its
# tabs, each page of the recipe wizard, and the HTML dialog previewing a full recipe with each
# shipped template (with the page it wrote). The windows draw themselves on the offscreen
# platform from the test fixtures, so no display is needed.
# Usage: scripts/pictures.sh [folder]   (default: build/pictures)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/build.sh"
build=${KELORA_BUILD_DIR:-$root/build}
shots=$(realpath -m "${1:-$build/pictures}")
mkdir -p "$shots"
export QT_QPA_PLATFORM=offscreen KELORA_SHOTS_DIR="$shots"
"$build/tests/recipesui/tst_recipesui" --gtest_filter='*Pictures*'
"$build/tests/recipefiles/tst_recipefiles" --gtest_filter='*Pictures*'
echo "Pictures written to $shots"

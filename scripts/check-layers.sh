#!/usr/bin/env bash
# The include check: no file includes a header of a layer above its own. The layers, bottom up:
#   0 store        src/store (kelora_core)
#   1 data         the subjects' data modules and formats (the rest of kelora_core), kelora_tools
#   2 widgets      src/widgets (kelora_widgets)
#   3 pages        the subjects' windows and dialogs (kelora_ui)
#   4 app          src/app (kelora_app and the program)
# Which file is in which target comes from the build: CMake writes build/layers.txt, one
# "target path" line per source file. A header takes the layer of its .cpp when it is not listed.
#
# Usage: check-layers.sh LAYERS_FILE SOURCE_DIR [TREE]
#   LAYERS_FILE  build/layers.txt
#   SOURCE_DIR   the source directory the listed paths start with
#   TREE         the tree to check (default: SOURCE_DIR), so a copy can be checked
#        check-layers.sh --self-test LAYERS_FILE SOURCE_DIR
#   checks a copy of the tree with one upward include added, which must fail, then the tree.
set -euo pipefail

if [ "${1:-}" = "--self-test" ]; then
    layers=$2 source=$3
    copy=$(mktemp -d)
    trap 'rm -rf "$copy"' EXIT
    cp -r "$source/src" "$copy/src"
    # A store file that includes a widget: two layers up.
    printf '#include "widgets/GraphicButton.h"\n' >>"$copy/src/store/DataSet.cpp"
    if "$0" "$layers" "$source" "$copy" >"$copy/out.txt" 2>&1; then
        echo "self-test: an upward include was not found"
        exit 1
    fi
    if ! grep -q 'src/store/DataSet.cpp includes widgets/GraphicButton.h' "$copy/out.txt"; then
        echo "self-test: the upward include was not named:"
        cat "$copy/out.txt"
        exit 1
    fi
    echo "self-test: the upward include was found"
    exec "$0" "$layers" "$source"
fi

layers=$1 source=$2 tree=${3:-$2}
declare -A layer
while read -r target path; do
    case "$path" in "$source"/src/*) ;; *) continue ;; esac
    rel=${path#"$source"/src/}
    case "$target" in
    kelora_core) case "$rel" in store/*) n=0 ;; *) n=1 ;; esac ;;
    kelora_tools) n=1 ;;
    kelora_widgets) n=2 ;;
    kelora_ui) n=3 ;;
    kelora_app | kelora) n=4 ;;
    *) continue ;;
    esac
    layer[$rel]=$n
done <"$layers"

level_of() {
    local rel=$1
    if [ -n "${layer[$rel]:-}" ]; then
        echo "${layer[$rel]}"
    elif [ -n "${layer[${rel%.h}.cpp]:-}" ]; then
        echo "${layer[${rel%.h}.cpp]}"
    fi
}

names=(store data widgets pages app)
faults=0
checked=0
while IFS= read -r -d '' file; do
    rel=${file#"$tree"/src/}
    own=$(level_of "$rel")
    [ -z "$own" ] && continue
    checked=$((checked + 1))
    while IFS= read -r included; do
        other=$(level_of "$included")
        if [ -n "$other" ] && [ "$other" -gt "$own" ]; then
            echo "src/$rel includes $included: ${names[$own]} may not include ${names[$other]}"
            faults=$((faults + 1))
        fi
    done < <(sed -n 's/^#include "\([a-z]*\/[A-Za-z0-9_]*\.h\)".*/\1/p' "$file")
done < <(find "$tree/src" -name '*.cpp' -print0 -o -name '*.h' -print0)

if [ "$checked" -eq 0 ]; then
    echo "no file of $tree/src is listed in $layers"
    exit 1
fi
if [ "$faults" -gt 0 ]; then
    echo "$faults upward includes"
    exit 1
fi
echo "$checked files, no upward include"

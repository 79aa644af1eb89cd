#!/usr/bin/env bash
# Builds everything (scripts/build.sh), then runs every test through CTest. The tests run on the
# offscreen platform, except the placement tests, which need a real X display with a window
# manager: this script starts Xvfb and openbox for them and stops both at the end.
#
# Warnings are errors here. Every C++ file must be formatted as .clang-format says.
#
# scripts/test.sh --sanitize does the same with AddressSanitizer and UndefinedBehaviorSanitizer:
# a Debug build in its own folder (build-sanitize), every test run under both; any finding fails
# the run.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
if [ "${1:-}" = "--sanitize" ]; then
    shift
    export KELORA_BUILD_DIR=${KELORA_SANITIZE_BUILD_DIR:-$root/build-sanitize}
    export KELORA_CMAKE_ARGS="${KELORA_CMAKE_ARGS:-} -DCMAKE_BUILD_TYPE=Debug -DKELORA_SANITIZE=ON"
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=0
    export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
else
    export KELORA_CMAKE_ARGS="${KELORA_CMAKE_ARGS:-} -DKELORA_WERROR=ON"
fi
"$root/scripts/build.sh"
build=${KELORA_BUILD_DIR:-$root/build}
export QT_QPA_PLATFORM=offscreen

# Formatting: every C++ file of the sources, tests and benchmarks as .clang-format says.
if ! (cd "$root" && git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror); then
    echo "Some files are not formatted: run clang-format -i on them."
    exit 1
fi

# A free display number: the first without a lock file.
display=90
while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
wm_pid=""
cleanup() {
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X${display}" ] && break
    sleep 0.1
done
export DISPLAY=":$display"
openbox >/dev/null 2>&1 &
wm_pid=$!
sleep 1

# The placement tests wait on the window manager, whose timing under load can still move a
# window after it was checked: each is tried up to three times.
ctest --test-dir "$build" --output-on-failure -j2 -LE placement "$@"
ctest --test-dir "$build" --output-on-failure -L placement --repeat until-pass:3 "$@"

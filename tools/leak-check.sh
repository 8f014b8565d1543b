#!/bin/bash
# Runs mediactl under valgrind over a session that opens a 1920 x 1080 H.264 clip, steps and
# seeks both ways, plays and pauses, saves a frame and closes; fails when valgrind finds memory
# lost or any memory error, or when a command fails.
#   tools/leak-check.sh [BUILD_DIR]        (needs valgrind and g++; takes a minute or two)
set -euo pipefail
build=${1:-build}
cmake --build "$build" --target mediactl media_bench >/dev/null
clip=$("$build/bench/media_bench" --only "H.264 B 1920x1080 60fps" --write-clips 2>/dev/null)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# valgrind 3.19 stops at rdtscp, which libhwy (loaded by FFmpeg's JPEG XL support) runs as it
# loads; a stand-in for that one function lets the run go on.
cat >"$work/timer.cpp" <<'CPP'
#include <cstdint>
namespace hwy { namespace platform { uint64_t TimerResolution() { return 1; } } }
CPP
echo 'HWY_0 { global: *; };' >"$work/timer.map"
g++ -shared -fPIC -O2 "$work/timer.cpp" -Wl,--version-script="$work/timer.map" \
    -o "$work/libtimer.so"

commands() {
    echo "open $clip alias v"
    echo "seek v to 40"
    for _ in 1 2 3; do echo "step v"; done
    for _ in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15; do echo "step v reverse"; done
    echo "play v"
    sleep 20  # play goes on between commands (slowly, under valgrind)
    echo "status v position"
    echo "pause v"
    for _ in 1 2 3; do echo "step v reverse"; done
    echo "seek v to 260"
    echo "step v reverse"
    echo "seek v to end"
    echo ":save $work/frame.png"
    echo "close v"
    echo ":quit"
}
commands | LD_PRELOAD="$work/libtimer.so" valgrind --leak-check=full \
    --errors-for-leak-kinds=definite,indirect,possible --error-exitcode=3 \
    "$build/tools/mediactl" >"$work/replies" 2>"$work/valgrind"
grep -A5 "LEAK SUMMARY" "$work/valgrind" || grep "All heap blocks were freed" "$work/valgrind"
echo "position after play: $(sed -n '/^0 [0-9]/p' "$work/replies" | tail -1)"
if grep -qv '^0' "$work/replies"; then
    echo "a command failed:" && grep -v '^0' "$work/replies"
    exit 1
fi
echo "no leak, no memory error"

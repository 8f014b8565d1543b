#!/usr/bin/env bash
# Builds the project with AddressSanitizer and UndefinedBehaviorSanitizer in ./build-sanitize
# and runs every test there. Any finding fails the run; leaks that belong to Qt or to the
# system libraries are suppressed by tests/sanitizers/leaks.supp, each entry reviewed.
set -euo pipefail
cd "$(dirname "$0")/../.."
. setup/packages.sh
kv_install_missing $KV_PACKAGES

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
[ -f build-sanitize/build.ninja ] || cmake -S . -B build-sanitize -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake --build build-sanitize -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen QT_ENABLE_HIGHDPI_SCALING=0
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export LSAN_OPTIONS=suppressions=$PWD/tests/sanitizers/leaks.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)" --timeout 900

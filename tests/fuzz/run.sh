#!/usr/bin/env bash
# Builds the fuzz targets with clang in ./build-fuzz and runs each one.
#
#   tests/fuzz/run.sh                  every target for 20 seconds (what CI runs)
#   tests/fuzz/run.sh 1800 fuzz_avi_walk    one target for half an hour
#   KV_FUZZ_RUNS=1000000 tests/fuzz/run.sh 0 fuzz_cp932    a number of inputs instead of a time
#
# Long runs are best started under `nice`. An input that takes longer than KV_FUZZ_TIMEOUT
# seconds (10 unless told) counts as a hang; under `nice -n 19` beside a build at normal priority
# the fuzzer may get no processor for that long, so give long runs beside other work a minute.
# The inputs that found something are left in build-fuzz/crashes/; each crash found becomes a
# regression input under tests/fuzz/regressions/TARGET/, which every run tries first.
set -euo pipefail
cd "$(dirname "$0")/../.."
. setup/packages.sh
kv_install_missing $KV_PACKAGES clang-14 libclang-rt-14-dev

seconds=${1:-20}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_commands fuzz_avi_walk fuzz_number_text fuzz_cp932 fuzz_workfile)

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
[ -f build-fuzz/build.ninja ] || cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++-14 -DKV_FUZZ=ON "${launcher[@]}" \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
cmake --build build-fuzz -j"$(nproc)" --target fuzz_seeds "${targets[@]}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/sanitizers/leaks.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
rm -rf build-fuzz/seeds
./build-fuzz/tests/fuzz/fuzz_seeds build-fuzz/seeds
mkdir -p build-fuzz/crashes
for target in "${targets[@]}"; do
    binary=build-fuzz/tests/fuzz/$target
    regressions=tests/fuzz/regressions/$target
    if [ -d "$regressions" ] && [ -n "$(ls -A "$regressions")" ]; then
        # Read as a corpus, not one by one, so that the hang limit holds for them too.
        echo "== $target: regression inputs"
        "$binary" "$regressions" -runs=0 -timeout="${KV_FUZZ_TIMEOUT:-10}"
    fi
    corpus=build-fuzz/corpus/$target
    mkdir -p "$corpus"
    run_options=(-max_total_time="$seconds")
    [ -n "${KV_FUZZ_RUNS:-}" ] && run_options=(-runs="$KV_FUZZ_RUNS")
    # A target's dictionary, when it has one: the words of its input format.
    [ -f "tests/fuzz/$target.dict" ] && run_options+=(-dict="tests/fuzz/$target.dict")
    echo "== $target: ${KV_FUZZ_RUNS:-$seconds s}"
    "$binary" "$corpus" "build-fuzz/seeds/$target" "${run_options[@]}" -timeout="${KV_FUZZ_TIMEOUT:-10}" -rss_limit_mb=4096 \
        -artifact_prefix="build-fuzz/crashes/$target-" -print_final_stats=1
done
echo "fuzz: ${#targets[@]} passed, 0 failed"

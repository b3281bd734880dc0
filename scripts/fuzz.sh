#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz/ and runs each for a bounded time, one after
# another: scripts/fuzz.sh [seconds per target, default 60]. Fails on the first finding; the
# input that broke a property is saved as build-fuzz/artifacts/<target>-crash-*.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
targets=(fuzz_data_file fuzz_clipboard fuzz_table_lookup)

# clang brings libFuzzer with it (Debian: libclang-rt-14-dev).
bash scripts/install-deps.sh clang libclang-rt-14-dev

cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBUILD_TESTING=OFF -DSIFTON_FUZZ=ON
cmake --build build-fuzz --parallel 2 --target "${targets[@]}"

mkdir -p build-fuzz/artifacts
for target in "${targets[@]}"; do
    # New inputs go to the first folder, so the seed corpus in the source tree stays as it is.
    mkdir -p "build-fuzz/corpus/$target"
    echo "== $target: $seconds s"
    "build-fuzz/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=8192 -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$target-" \
        "build-fuzz/corpus/$target" "tests/fuzz/corpus/$target"
done
echo "fuzzing: no finding"

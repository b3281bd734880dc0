#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/ and runs
# the whole test suite there. Any sanitizer report ends its test with a failure.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

# Leak checking stays on: the window tests run clean under Qt's offscreen platform. Should a
# Qt update bring leaks of its own, add detect_leaks=0 here rather than suppress real ones.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build-asan -G Ninja -DBUILD_TESTING=ON -DSIFTON_SANITIZE=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-asan --parallel 2
ctest --test-dir build-asan --output-on-failure --parallel 2

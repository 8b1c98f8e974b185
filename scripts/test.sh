#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test through CTest,
# headless (no display needed; the tests that need X start their own virtual
# display):
#   1. the plain build (build/): unit, window, package and benchmark-smoke tests;
#   2. the same tests built with AddressSanitizer and UndefinedBehaviorSanitizer
#      (build-sanitize/); any finding fails the test it occurs in;
#   3. the .maz loader and the recovery-copy reader under libFuzzer, a short
#      run each (build-fuzz/, clang).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

scripts/build.sh -DZUBELO_BUILD_TESTS=ON -DZUBELO_BUILD_BENCHMARKS=ON
ctest --test-dir build --output-on-failure --parallel "$jobs"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZUBELO_WERROR=ON \
    -DZUBELO_SANITIZE=ON -DZUBELO_BUILD_BENCHMARKS=OFF
cmake --build build-sanitize --parallel "$jobs"
LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0" \
UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure --parallel "$jobs"

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DZUBELO_WERROR=ON \
    -DZUBELO_BUILD_FUZZERS=ON -DZUBELO_BUILD_APP=OFF -DZUBELO_BUILD_TESTS=OFF -DZUBELO_BUILD_BENCHMARKS=OFF
cmake --build build-fuzz --parallel "$jobs"
ctest --test-dir build-fuzz --output-on-failure

#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test through CTest,
# headless (no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
scripts/build.sh -DZUBELO_BUILD_TESTS=ON -DZUBELO_BUILD_BENCHMARKS=ON
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --parallel "$(nproc)"

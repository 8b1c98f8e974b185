#!/usr/bin/env bash
# Installs what is missing, builds Zubelo and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
scripts/build.sh -DZUBELO_BUILD_TESTS=OFF -DZUBELO_BUILD_BENCHMARKS=OFF
if [ -x build/app/zubelo ]; then
    exec build/app/zubelo
fi
echo "build/app/zubelo was not built" >&2
exit 1

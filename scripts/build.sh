#!/usr/bin/env bash
# Configures and builds Zubelo in build/ (warnings are errors).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZUBELO_WERROR=ON "$@"
cmake --build build --parallel "$(nproc)"

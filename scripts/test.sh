#!/usr/bin/env bash
# Build everything in build/ and run every test in random order (GUI tests use the offscreen platform).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARY_WERROR="${TESSARY_WERROR:-OFF}" >/dev/null
cmake --build build -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)" --schedule-random

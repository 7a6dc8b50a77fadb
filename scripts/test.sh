#!/usr/bin/env bash
# Sets up and runs every test: the normal build, then again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export SDL_AUDIODRIVER=dummy
scripts/build.sh build
(cd build && ctest --output-on-failure -j "$(nproc)")
scripts/build.sh build-sanitize -DASTORINE_SANITIZE=ON
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j "$(nproc)")
echo "All tests passed."

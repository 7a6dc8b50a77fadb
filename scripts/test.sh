#!/usr/bin/env bash
# Sets up and runs every test: the normal build, then again under AddressSanitizer,
# UndefinedBehaviorSanitizer and LeakSanitizer. The build folders are build and build-sanitize
# unless BUILD and BUILD_SANITIZE name others.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export SDL_AUDIODRIVER=dummy
build=${BUILD:-build}
sanitize=${BUILD_SANITIZE:-build-sanitize}
scripts/build.sh "$build"
(cd "$build" && ctest --output-on-failure -j "$(nproc)")
scripts/build.sh "$sanitize" -DASTORINE_SANITIZE=ON
(cd "$sanitize" && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j "$(nproc)")
echo "All tests passed."

#!/usr/bin/env bash
# Sets up and runs every test: the normal build, then again under AddressSanitizer,
# UndefinedBehaviorSanitizer and LeakSanitizer; then builds once as packagers do (Release), so
# that warnings of full optimisation stop CI too. The build folders are build, build-sanitize and
# build-release unless BUILD, BUILD_SANITIZE and BUILD_RELEASE name others.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export SDL_AUDIODRIVER=dummy
build=${BUILD:-build}
sanitize=${BUILD_SANITIZE:-build-sanitize}
release=${BUILD_RELEASE:-build-release}
scripts/build.sh "$build"
(cd "$build" && ctest --output-on-failure -j "$(nproc)")
scripts/build.sh "$sanitize" -DASTORINE_SANITIZE=ON
(cd "$sanitize" && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j "$(nproc)")
scripts/build.sh "$release" -DCMAKE_BUILD_TYPE=Release
echo "All tests passed."

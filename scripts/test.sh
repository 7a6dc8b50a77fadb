#!/usr/bin/env bash
# Sets up and runs every test: the normal build, then again under AddressSanitizer,
# UndefinedBehaviorSanitizer and LeakSanitizer; then builds the programs once as packagers do
# (Release), so that warnings of full optimisation stop CI too. The build folders are build,
# build-sanitize and build-release unless BUILD, BUILD_SANITIZE and BUILD_RELEASE name others.
# Each step prints its time, so a slow step shows in CI's log.
set -euo pipefail
cd "$(dirname "$0")/.."
step() {
  local began=$SECONDS
  "$@"
  echo "test.sh: '$*' took $((SECONDS - began)) s"
}
step scripts/setup.sh
export SDL_AUDIODRIVER=dummy
build=${BUILD:-build}
sanitize=${BUILD_SANITIZE:-build-sanitize}
release=${BUILD_RELEASE:-build-release}
run_tests() { (cd "$1" && ctest --output-on-failure -j "$(nproc)"); }
step scripts/build.sh "$build"
step run_tests "$build"
step scripts/build.sh "$sanitize" -DASTORINE_SANITIZE=ON
export ASAN_OPTIONS=detect_leaks=1
step run_tests "$sanitize"
# The programs and the library under them; the tests were built twice above.
cmake -S . -B "$release" -DCMAKE_BUILD_TYPE=Release -DASTORINE_WERROR=ON > /dev/null
step cmake --build "$release" -j "$(nproc)" --target astorine astorine-headless astorine-data
echo "All tests passed in $SECONDS s."

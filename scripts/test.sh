#!/usr/bin/env bash
# Sets up and runs every test: the normal build (Release, as packagers build it, so that warnings
# of full optimisation stop CI too), then again under AddressSanitizer, UndefinedBehaviorSanitizer
# and LeakSanitizer. The build folders are build and build-sanitize unless BUILD and
# BUILD_SANITIZE name others.
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
run_tests() { (cd "$1" && ctest --output-on-failure -j "$(nproc)"); }
step scripts/build.sh "$build"
step run_tests "$build"
# Warnings stop the Release build above; at -O1 under the sanitizers gcc 12 warns falsely
# (-Wmaybe-uninitialized in std::regex, -Wstringop-overflow in std::fill), so not here.
step scripts/build.sh "$sanitize" -DASTORINE_SANITIZE=ON -DASTORINE_WERROR=OFF
export ASAN_OPTIONS=detect_leaks=1
step run_tests "$sanitize"
echo "All tests passed in $SECONDS s."

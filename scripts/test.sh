#!/usr/bin/env bash
# Sets up and runs every test: the release preset's build (Release, as packagers build it, so that
# warnings of full optimisation stop CI too), a check that every mutant still applies and compiles
# (scripts/mutants.sh --check), clang-tidy on the files the last change touched
# (scripts/tidy.sh), its tests, then the sanitize preset's build and tests under
# AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer. The build folders are build and
# build-sanitize unless BUILD and BUILD_SANITIZE name others.
# To keep CI within its budget each pass leaves some tests out, by label: `variant` (the window on
# more screens, a longer game through the same loop) in both; `release_only` (what the sanitizers
# add nothing to: checks of the tree, the install, the window's other doors, refused data) in the
# sanitizer pass; `sanitize_only` (the soak, the odd data, which the sanitizer pass runs with more
# checks) in the release pass. scripts/test.sh --all runs every test in both passes.
# Each step prints its time, so a slow step shows in CI's log.
set -euo pipefail
cd "$(dirname "$0")/.."
release_filter=(-LE 'variant|sanitize_only')
sanitize_filter=(-LE 'variant|release_only')
case ${1:-} in
  --all) release_filter=() sanitize_filter=() ;;
  "") ;;
  *) echo "usage: scripts/test.sh [--all]" >&2
     exit 2 ;;
esac
step() {
  local began=$SECONDS
  "$@"
  echo "test.sh: '$*' took $((SECONDS - began)) s"
}
step scripts/setup.sh
export SDL_AUDIODRIVER=dummy
build=${BUILD:-build}
sanitize=${BUILD_SANITIZE:-build-sanitize}
# run_tests PRESET FOLDER: the preset's test settings (its environment, output on failure), one
# test more at once than there are cores: two of them are window tests, which mostly wait.
run_tests() { ctest --preset "$1" --test-dir "$2" -j "$(($(nproc) + 1))" "${@:3}"; }
step scripts/build.sh "$build"
# The mutants' check compiles on one core beside the release pass, whose window tests mostly wait
# on the screen, and on beside the sanitizer build if it must; its verdict is taken last. Both it and clang-tidy read the compile
# commands file by file, configured first.
scripts/compile-database.sh "$build" > /dev/null
scripts/mutants.sh --check --jobs 1 "$build" > "$build/mutants-check.log" 2>&1 &
mutants_check=$!
mutants_checked() {
  local status=0
  wait "$mutants_check" || status=$?
  cat "$build/mutants-check.log"
  return $status
}
step scripts/tidy.sh "$build"
step run_tests release "$build" "${release_filter[@]}"
# Warnings stop the Release build above; at -O1 under the sanitizers gcc 12 warns falsely
# (-Wmaybe-uninitialized in std::regex, -Wstringop-overflow in std::fill), so the sanitize preset
# leaves them on but not fatal. Its tests run with leak detection (ASAN_OPTIONS=detect_leaks=1).
step scripts/build.sh --preset sanitize "$sanitize"
step run_tests sanitize "$sanitize" "${sanitize_filter[@]}"
step mutants_checked
echo "All tests passed in $SECONDS s."

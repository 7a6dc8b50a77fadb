#!/usr/bin/env bash
# Installs what is missing, builds, and runs the game against bad data files: headless with no
# Data/, every file empty, and each file missing, truncated, garbled, oversized, random, noisy or
# tiny in turn; then the real window under Xvfb with no Data/ and with a damaged icon. Prints the
# cases tried and ends with "N passed, 0 failed". BUILD names the build folder (default build).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export SDL_AUDIODRIVER=dummy
build=${BUILD:-build}
scripts/build.sh "$build"
output=$build/bad-data-output/script
status=0
bash tests/baddata/bad-data.sh "$build/tools/headless/astorine-headless" "$build/Data" \
  "$output/headless" || status=1
bash tests/baddata/window-bad-data.sh "$build/astorine" "$build/Data" \
  "$output/window" || status=1
exit $status

#!/usr/bin/env bash
# Configures and builds one build folder with a preset of CMakePresets.json:
#   scripts/build.sh [--preset NAME] [FOLDER] [extra cmake options...]
# The release preset by default (Release and warnings as errors, as players, packagers and CI
# build it); FOLDER takes the place of the preset's own folder (build, build-dev, build-sanitize).
# For a debugger: --preset dev, or -DCMAKE_BUILD_TYPE=RelWithDebInfo (or Debug) among the options.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=release
if [ "${1:-}" = --preset ]; then
  preset=${2:?--preset needs a name}
  shift 2
fi
folder=${1:-}
shift || true
if [ -n "$folder" ]; then
  cmake --preset "$preset" -B "$folder" "$@" > /dev/null
  cmake --build "$folder" -j "$(nproc)"
else
  cmake --preset "$preset" "$@" > /dev/null
  cmake --build --preset "$preset" -j "$(nproc)"
fi

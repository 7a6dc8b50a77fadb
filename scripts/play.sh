#!/usr/bin/env bash
# Sets up, builds and starts the game from the build folder, where Data/ is generated; any
# arguments go to the game (scripts/play.sh --window).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build
cd build && exec ./astorine "$@"

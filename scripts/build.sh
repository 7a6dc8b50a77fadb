#!/usr/bin/env bash
# Configures and builds one build folder: scripts/build.sh [folder] [extra cmake options...]
# Release by default, as players and packagers build it; -DCMAKE_BUILD_TYPE=RelWithDebInfo (or
# Debug) among the options for a debugger.
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-build}
shift || true
cmake -S . -B "$folder" -DCMAKE_BUILD_TYPE=Release -DASTORINE_WERROR=ON "$@" > /dev/null
cmake --build "$folder" -j "$(nproc)"

#!/usr/bin/env bash
# Configures and builds one build folder: scripts/build.sh [folder] [extra cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-build}
shift || true
cmake -S . -B "$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DASTORINE_WERROR=ON "$@" > /dev/null
cmake --build "$folder" -j "$(nproc)"

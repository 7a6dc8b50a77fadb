#!/usr/bin/env bash
# The online and window tests, and the suites of the online link, under ThreadSanitizer: the link
# runs on a thread of its own in its tests and SDL mixes the game's sounds on another. Installs
# what is missing, builds the tsan preset (build-tsan, or the folder BUILD_TSAN names) and ends
# with ctest's summary; any data race fails the test that met it. Not part of the test command.
#
#   scripts/tsan.sh [ctest options...]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
folder=${BUILD_TSAN:-build-tsan}
scripts/build.sh --preset tsan "$folder"
export SDL_AUDIODRIVER=dummy
ctest --preset tsan --test-dir "$folder" -j "$(nproc)" \
  -R '^(online\.|window\.|EnetLink\.|TwoSessions\.|OnlineGame\.|golden\.)' "$@"

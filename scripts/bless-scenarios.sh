#!/usr/bin/env bash
# Writes the expected results of scenario tests from what the game does now:
#   scripts/bless-scenarios.sh                 every scenario under tests/scenarios
#   scripts/bless-scenarios.sh title/latch ... the named ones (paths without .args)
# Builds the build folder first (another one: BUILD=build-mine scripts/bless-scenarios.sh).
# Read the changes (git diff tests/scenarios) before keeping them.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}
scripts/build.sh "$build" > /dev/null
root=tests/scenarios
if [ $# -eq 0 ]; then
  mapfile -t scenarios < <(cd "$root" && find . -name '*.args' | sed 's|^\./||; s|\.args$||' | sort)
else
  scenarios=("$@")
fi
export SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy
for scenario in "${scenarios[@]}"; do
  scenario=${scenario%.args}
  if [ ! -f "$root/$scenario.args" ]; then
    echo "no scenario $root/$scenario.args" >&2
    exit 2
  fi
  bash "$root/run-scenario.sh" --bless "$build/tools/headless/astorine-headless" \
    "$build/tools/headless/astorine-json-subset" "$PWD/$root/$scenario" \
    "$build/scenario-output/${scenario//\//.}" "$PWD/$build/Data"
done

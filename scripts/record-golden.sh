#!/usr/bin/env bash
# Records the golden replays of tests/golden/ and the final state each must play back to, with
# the build folder's headless runner. Run it in the commit that raises the game's logic version
# (src/replay/versions.h), and only then: these files hold every later build to today's game
# (docs/replays.md, "Golden replays").
#
#   scripts/record-golden.sh [BUILD_DIR]    BUILD_DIR: a built build folder (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
headless=$build/tools/headless/astorine-headless
runner=("$headless" --data "$build/Data")
golden=tests/golden
work=$(mktemp -d "${TMPDIR:-/tmp}/astorine-golden.XXXXXX")
trap 'rm -rf "$work"' EXIT
export SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy

# finish NAME: the final state of the replay played back, which must be the recording's own.
finish() {
  "${runner[@]}" --replay "$golden/$1.replay" --verify --state-out "$golden/$1.json"
  cmp -s "$golden/$1.json" "$work/$1.json" || {
    echo "record-golden: $1 does not play back to the state it was recorded with" >&2
    exit 1
  }
  echo "$1: $(stat -c %s "$golden/$1.replay") bytes"
}

# record NAME OPTIONS...: one run of the runner, recorded.
record() {
  local name=$1
  shift
  "${runner[@]}" "$@" --record "$golden/$name.replay" --state-out "$work/$name.json"
  finish "$name"
}

rm -f "$golden"/*.replay "$golden"/*.json
record solo-game --seed 15 --frames 1100 --keys tests/scenarios/solo_game.keys
record solo-hard-400 --seed 3 --random-keys 4 --random-mode solo-hard --frames 400
record two-players-401 --seed 21 --random-keys 22 --random-mode two --frames 401
record computer-3000 --seed 8 --random-keys 9 --random-mode computer --frames 3000
record computer-test-1600 --seed 12 --random-keys 13 --random-mode computer-test --frames 1600

# An online match on 127.0.0.1, recorded by both peers: the same match seen from each side.
"${runner[@]}" --host 0 --seed 31 --random-keys 32 --speed 8 --frames 900 \
  --state-out "$work/online-host.json" --record "$golden/online-host.replay" \
  2> "$work/host.log" &
host=$!
for _ in $(seq 200); do
  grep -q "waiting for an opponent on port" "$work/host.log" 2> /dev/null && break
  sleep 0.05
done
port=$(grep -o 'port [0-9]*' "$work/host.log" | cut -d ' ' -f 2)
timeout 120 "${runner[@]}" --join "127.0.0.1:$port" --random-keys 33 --speed 8 --frames 900 \
  --state-out "$work/online-guest.json" --record "$golden/online-guest.replay" 2> "$work/guest.log"
wait "$host"
finish online-host
finish online-guest

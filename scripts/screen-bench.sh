#!/usr/bin/env bash
# The game's pace in full screen under Xvfb with openbox, on whatever renderer SDL picks (Mesa's
# software rasteriser on a machine without a GPU): for each screen size, a solo game driven by
# xdotool for SECONDS (30), its window title (ASTORINE_SHOW_RATES) read once a second. Prints, per
# size, the frames run and presented per second (means of the per-second figures) and FrameCount
# over the same time. Not part of the test command; run it on a quiet machine.
#
#   scripts/screen-bench.sh [--seconds N] [BUILD_DIR] [WIDTHxHEIGHT...]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=30
if [ "${1:-}" = --seconds ]; then
  seconds=${2:?--seconds needs a number}
  shift 2
fi
build=$(cd "${1:-build}" && pwd)
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1366x768 1920x1080 3840x2160)
[ -x "$build/astorine" ] || { echo "no game in $build: build it first" >&2; exit 2; }

work=$(mktemp -d)
. "$root/tests/window/xvfb-session.sh"
finish() {
  session_cleanup
  rm -rf "$work"
}
trap finish EXIT
export SDL_AUDIODRIVER=dummy ASTORINE_TRACE=1 ASTORINE_SHOW_RATES=1
game_log=$work/game.log
logged() { grep -qx "astorine: $1" "$game_log"; }
state_frames() { awk -F'[:,]' '/"FrameCount":/ {gsub(/ /, "", $2); print $2; exit}' "$1"; }

echo "load average: $(cut -d ' ' -f 1-3 /proc/loadavg)"
for size in "${sizes[@]}"; do
  start_xvfb "$work" "$size" || { echo "$size: Xvfb did not start" >&2; exit 1; }
  start_openbox || { echo "$size: openbox did not start" >&2; exit 1; }
  ASTORINE_STATE_OUT=$work/state.json start_game "$build/astorine" "$build" "$game_log"
  window=$(answer_question Return) || { echo "$size: no game window" >&2; exit 1; }
  press_until 200 Return logged "scene SceneTitle SceneStart" || { echo "$size: no game" >&2; exit 1; }
  wait_for 200 logged "scene SceneStart SceneSolo" || { echo "$size: no solo game" >&2; exit 1; }
  sleep 2  # past the title's warm-up of the renderer
  rates=()
  for second in $(seq "$seconds"); do
    # The pairs go left and right by turns, so that the well fills slowly.
    key=$([ $((second % 4)) -lt 2 ] && echo Left || echo Right)
    xdotool keydown "$key"
    sleep 0.2
    xdotool keyup "$key"
    sleep 0.8
    caption=$(xdotool getwindowname "$window")
    if [[ $caption =~ ([0-9.]+)\ frames/s,\ ([0-9.]+)\ presented/s ]]; then
      rates+=("${BASH_REMATCH[1]} ${BASH_REMATCH[2]}")
    fi
  done
  xdotool key F12
  wait_for 60 eval '! kill -0 "$game_pid" 2> /dev/null' || true
  game_pid=""
  printf '%s\n' "${rates[@]}" | awk -v size="$size" -v n="$seconds" '{
      run += $1; shown += $2; if (NR == 1 || $1 < low) low = $1; if ($1 > high) high = $1 }
    END { printf "%s: frames run %.2f per second (%.1f to %.1f), presented %.2f per second, over %d s\n",
          size, run / NR, low, high, shown / NR, NR }'
  grep '^astorine: frames run' "$game_log" | sed "s/^astorine: /$size: in all, /"
  session_cleanup
done

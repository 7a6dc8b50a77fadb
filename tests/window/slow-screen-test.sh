#!/usr/bin/env bash
# A solo game on a screen that takes 60 ms to present each picture (ASTORINE_TEST_PRESENT_MS), two
# and a half frames' time: the game must run its frames on its own clock and present only those it
# has time for. For 10 s of play the window title (ASTORINE_SHOW_RATES) is read once a second; the
# frames run and presented per second are printed, not held to a figure, as this machine's load
# moves them. What is held: fewer frames were presented than ran, none of the game's frames were
# skipped (the replay saved at Escape verifies headless to the same final state), and the game
# ended with exit code 0.
#
#   slow-screen-test.sh GAME HEADLESS RUN_DIR OUTPUT_DIR
set -euo pipefail
game=$1 headless=$2 run_dir=$3 output=$4
mkdir -p "$output"
rm -rf "$output"/display "$output"/state.json "$output"/state
game_log=$output/game.log
here=$(dirname "$0")
. "$here/xvfb-session.sh"
. "$here/game-screens.sh"
trap session_cleanup EXIT

export ASTORINE_STATE_OUT=$output/state.json ASTORINE_TEST_PRESENT_MS=60 ASTORINE_SHOW_RATES=1
open_game_window
press_until 60 Return logged "scene SceneTitle SceneStart" || fail "Return did not start a game"
wait_for 60 logged "scene SceneStart SceneSolo" || fail "the game did not begin"

# "Astorine Ver3.00  40.0 frames/s, 13.3 presented/s", once a second.
rates=()
for _ in $(seq 10); do
  sleep 1
  caption=$(xdotool getwindowname "$window")
  [[ $caption =~ ([0-9.]+)\ frames/s,\ ([0-9.]+)\ presented/s ]] ||
    fail "the window title shows no rates: $caption"
  rates+=("${BASH_REMATCH[1]} ${BASH_REMATCH[2]}")
done
xdotool keydown Escape
expect_exit_0 Escape
expect_quiet_log

counts=$(grep -x 'astorine: frames run [0-9]* presented [0-9]*' "$game_log") ||
  fail "the game did not count its frames"
read -r run presented < <(awk '{print $4, $6}' <<< "$counts")
frame_count=$(awk -F'[:,]' '/"FrameCount":/ {gsub(/ /, "", $2); print $2; exit}' \
  "$output/state.json")
[ "$run" -eq "$frame_count" ] || fail "$run frames counted, FrameCount $frame_count"
[ "$presented" -gt 0 ] && [ "$presented" -lt "$run" ] ||
  fail "the slow screen presented $presented of $run frames: none were left unpresented"
expect_saved_replay "solo-unfinished"
means=$(printf '%s\n' "${rates[@]}" | awk '{run += $1; shown += $2} END {
  printf "%.1f frames run and %.1f presented per second", run / NR, shown / NR}')
echo "slow screen test passed: $means over 10 s of play ($presented of $run frames presented in" \
  "all), its replay verifies"

#!/usr/bin/env bash
# A solo game in the real window, played with real key presses: No to the full-screen question,
# the title, Return, the start screen, then two pairs (the first stepped to the left wall and
# soft-dropped, the second turned, stepped to the right wall and soft-dropped) and Escape. Every
# wait is for something the game shows or traces, so a busy machine only makes it slower. The
# title and the start screen's panel must match headless pictures on their still parts; the game
# must end with exit code 0 without the window teardown, and its final state must hold the two
# pairs where the keys put them.
#
#   solo-game-test.sh GAME HEADLESS RUN_DIR OUTPUT_DIR
set -euo pipefail
game=$1 headless=$2 run_dir=$3 output=$4
mkdir -p "$output"
rm -rf "$output"/*.png "$output"/display "$output"/state.json "$output"/state
game_log=$output/game.log
here=$(dirname "$0")
. "$here/xvfb-session.sh"
. "$here/game-screens.sh"
trap session_cleanup EXIT

reference title "99 136 173 211"
# The start screen shows its panel from its 150th to its 200th frame.
reference panel "215 228 241 254" "61 Return"

export ASTORINE_STATE_OUT=$output/state.json
open_game_window

wait_for 60 shows title title "$MenuRegion" || fail "the window does not show the title ($off% off)"
title_off=$off
press_until 30 Return logged "scene SceneTitle SceneStart" || fail "Return did not start a game"
in_start_screen() { ! logged "scene SceneStart SceneSolo"; }
shows_while panel panel in_start_screen ||
  fail "the start screen's panel is not shown as headless ($off% off at best)"
panel_off=$off

# The first pair: to the left wall (two steps, a third refused), then down until it lands and the
# next one comes.
for _ in 1 2 3; do
  press Left || fail "the game did not see Left"
done
xdotool keydown Down
wait_for 60 logged "scene SceneSolo SceneSoloChain" || fail "the first pair did not land"
xdotool keyup Down
wait_for 60 logged "scene SceneSoloChain SceneSolo" || fail "no second pair"
# The second: turned flat, to the right wall (three steps, a fourth refused), down.
press K || fail "the game did not see K"
for _ in 1 2 3 4; do
  press Right || fail "the game did not see Right"
done
xdotool keydown Down
wait_for 60 logged "scene SceneSolo SceneSoloChain" 2 || fail "the second pair did not land"
xdotool keyup Down
wait_for 60 logged "scene SceneSoloChain SceneSolo" 2 || fail "no third pair"
xdotool keydown Escape
expect_exit_0 Escape

# Escape ends the loop without the window's teardown.
! grep -q "released the" "$game_log" || fail "Escape ran the window's teardown"
expect_quiet_log
[ -s "$output/state.json" ] || fail "the game wrote no state"
# Side 1's well, its 12 rows above the floor: the two pairs at the bottom, and above them no more
# than the third pair (one of its cells may still be above the top row).
board=$(awk '/"Board": \[/ {n++; next} n == 1 && rows < 12 {gsub(/[", ]/, ""); print; rows++}' \
  "$output/state.json")
row10=$(sed -n 11p <<< "$board")
row11=$(sed -n 12p <<< "$board")
above=$(head -n 10 <<< "$board" | tr -d '\n#.' | wc -c)
[[ $row11 =~ ^#[1-9]\.\.\.[1-9][1-9]#$ ]] && [[ $row10 =~ ^#[1-9]\.\.\.\.\.#$ ]] &&
  [ "$above" -le 2 ] || fail "the well does not hold the pairs where the keys put them: $board"
score=$(awk -F'[:,]' '/"score":/ {gsub(/ /, "", $2); print $2; exit}' "$output/state.json")
[ "$score" -gt 0 ] || fail "no point for soft drops (score $score)"
# Escape ended the program mid-game: the game was saved as it stood.
expect_saved_replay "solo-unfinished"
echo "solo game test passed: title ${title_off}% off, panel ${panel_off}% off, two pairs placed" \
  "by Left, K, Right and Down (score $score), Escape exit 0 without teardown, its replay verifies"

#!/usr/bin/env bash
# Replays in the real window. A file that is no replay is refused with one line before any window
# opens. A replay recorded headless (a whole solo game, to its game over and back to the title)
# plays in the window with every recorded state matching: at the game's pace, paused and resumed
# by Pause, then four frames at a time while Right is held. At its end the game is on its title
# and plays on; F12 ends it with the teardown, and watching saved no replay of its own.
#
#   replay-test.sh GAME HEADLESS RUN_DIR OUTPUT_DIR
set -euo pipefail
game=$1 headless=$2 run_dir=$3 output=$4
mkdir -p "$output"
rm -rf "$output"/*.png "$output"/display "$output"/state "$output"/*.replay
game_log=$output/game.log
here=$(dirname "$0")
. "$here/xvfb-session.sh"
. "$here/game-screens.sh"
trap session_cleanup EXIT

printf 'not a replay at all' > "$output/bad.replay"
status=0
"$game" --replay "$output/bad.replay" > "$output/bad.out" 2> "$output/bad.err" || status=$?
[ "$status" -eq 2 ] && [ ! -s "$output/bad.out" ] &&
  [ "$(cat "$output/bad.err")" = "astorine: $output/bad.replay: not a replay file" ] ||
  fail "a file that is no replay was not refused with one line and exit code 2 ($status)"

reference title "99 136 173 211"
"$headless" --data "$run_dir/Data" --seed 15 --frames 1100 \
  --keys "$here/../scenarios/solo_game.keys" --record "$output/solo.replay" 2> /dev/null ||
  fail "the headless runner did not record the solo game"

start_xvfb "$output" || fail "Xvfb did not start"
export SDL_AUDIODRIVER=dummy ASTORINE_TRACE=1
# A replay is shown in the window without the full-screen question.
start_game "$game" "$run_dir" "$game_log" --replay "$output/solo.replay"
wait_for 30 one_window || fail "no game window for the replay"
window=$one
window_area "$window"
wait_for 60 logged "scene SceneTitle SceneStart" || fail "the replay did not leave the title"
xdotool key Pause
wait_for 30 logged paused || fail "Pause did not pause the replay"
xdotool key Pause
wait_for 30 logged resumed || fail "Pause did not resume the replay"
wait_for 60 logged "scene SceneStart SceneSolo" || fail "the replay's game did not begin"
xdotool keydown Right
wait_for 120 logged "replay over, every recorded state matched" ||
  fail "the replay did not play to its end with every recorded state matching"
xdotool keyup Right
wait_for 60 shows after title "$MenuRegion" ||
  fail "the title does not show after the replay ($off% off)"
after_off=$off
xdotool key F12
expect_exit_0 F12
expect_teardown F12
expect_quiet_log
[ ! -e "$output/state/astorine/replays" ] || [ -z "$(ls "$output/state/astorine/replays")" ] ||
  fail "watching a replay saved one: $(ls "$output/state/astorine/replays")"
echo "replay test passed: a bad file refused with exit code 2, the headless solo game shown in" \
  "the window with every recorded state matching (paused, then four times as fast), the title" \
  "again ${after_off}% off, F12 exit 0 with the teardown, no replay saved"

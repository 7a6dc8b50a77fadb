#!/usr/bin/env bash
# A match against the computer in the real window, to its end and back to the title: No to the
# full-screen question, Right until the menu shows the computer mode as headless,
# Return with H held (the hard start), Down held through the match so that player 1's well
# overflows fast; then the title must show again, still in the computer mode, and F12 must end
# the game with exit code 0 and the window's teardown.
#
#   computer-match-test.sh GAME HEADLESS RUN_DIR OUTPUT_DIR
set -euo pipefail
game=$1 headless=$2 run_dir=$3 output=$4
mkdir -p "$output"
rm -rf "$output"/*.png "$output"/display "$output"/state
game_log=$output/game.log
here=$(dirname "$0")
. "$here/xvfb-session.sh"
. "$here/game-screens.sh"
trap session_cleanup EXIT

reference title "99 136 173 211"
reference computer "99 136 173 211" "61 Right" "63 Right"

open_game_window

wait_for 60 shows title title "$MenuRegion" || fail "the window does not show the title ($off% off)"
# The mode steps once per press and stops at the computer: press until the menu shows it.
shows_computer() { shows computer computer "$MenuRegion"; }
press_until 30 Right shows_computer ||
  fail "the menu does not show the computer mode after Right ($off% off)"
menu_off=$off

xdotool keydown H
wait_for 30 key_seen H || fail "the game did not see H"
press Return || fail "the game did not see Return"
xdotool keyup H
wait_for 30 logged "scene SceneTitle SceneStart" || fail "Return did not start the match"
wait_for 60 logged "scene SceneStart SceneVersus" || fail "no match after the start screen"
xdotool keydown Down
# 270 frames or so with Down held, then 50 of "Win" and "Lose".
wait_for 180 logged "scene SceneVersus SceneTitle" || fail "the match did not end"
xdotool keyup Down
wait_for 60 shows after computer "$MenuRegion" ||
  fail "the title in the computer mode does not show after the match ($off% off)"
after_off=$off

xdotool key F12
expect_exit_0 F12
expect_teardown F12
expect_quiet_log
# Player 1 (the right-hand well) overflowed: the computer won.
expect_saved_replay "computer-hard-player2-won"
echo "computer match test passed: menu in the computer mode ${menu_off}% off, the match ended," \
  "title again ${after_off}% off, F12 exit 0 with the teardown, its replay verifies"

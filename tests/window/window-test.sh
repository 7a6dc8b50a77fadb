#!/usr/bin/env bash
# The real game in a virtual X server: answers the full-screen question with Escape, checks the
# 640 x 480 window shows the title, that Pause freezes the picture and a second Pause resumes
# it, and that F12 ends the game with exit code 0.
#
#   window-test.sh GAME HEADLESS RUN_DIR OUTPUT_DIR
# GAME starts in RUN_DIR (which holds Data/); screenshots and logs go to OUTPUT_DIR.
set -euo pipefail
game=$1 headless=$2 run_dir=$3 output=$4
mkdir -p "$output"
rm -f "$output"/*.png "$output"/display
game_log=$output/game.log
here=$(dirname "$0")
. "$here/xvfb-session.sh"
. "$here/game-screens.sh"
trap session_cleanup EXIT

reference title "99 136"
open_game_window

# The title slides in for 61 frames, longer on a busy machine.
wait_for 60 shows title title || fail "the window does not show the title ($off% off)"
title_off=$off
differing() { [ "$(compare -metric AE "$output/$1.png" "$output/$2.png" null: 2>&1)" != 0 ]; }
moved_from() {
  shot "$2"
  differing "$1" "$2"
}
wait_for 30 moved_from title running || fail "the picture does not move"

xdotool key Pause
wait_for 30 logged paused || fail "Pause did not pause the game"
shot paused-1
sleep 0.6  # long enough for many frames, had the pause not held them
shot paused-2
! differing paused-1 paused-2 || fail "the picture moves while paused"

xdotool key Pause
wait_for 30 logged resumed || fail "the second Pause did not resume the game"
wait_for 30 moved_from paused-2 resumed || fail "the picture does not move after the second Pause"

xdotool key F12
expect_exit_0 F12
expect_quiet_log
echo "window test passed: 640x480 title (${title_off}% off), Pause froze and resumed, F12 exit 0"

#!/usr/bin/env bash
# Closing the real window in the middle of a game: F12 (pressed while the game is paused, which
# must not hold it up), the window's close button (the WM_DELETE_WINDOW message a window manager
# sends for it) or SIGTERM must end the game with exit code 0 after the whole teardown, in order:
# pictures, sound, display, window; and the game begun must be saved as a replay that verifies.
#
#   close-test.sh f12|button|sigterm GAME HEADLESS CLOSER RUN_DIR OUTPUT_DIR
# CLOSER is astorine-close-window, which sends that message (unused with f12).
set -euo pipefail
how=$1 game=$2 headless=$3 closer=$4 run_dir=$5 output=$6
mkdir -p "$output"
rm -rf "$output"/*.png "$output"/display "$output"/state
game_log=$output/game.log
here=$(dirname "$0")
. "$here/xvfb-session.sh"
. "$here/game-screens.sh"
trap session_cleanup EXIT

reference title "99 136 173 211"
open_game_window
wait_for 60 shows title title "$MenuRegion" || fail "the window does not show the title ($off% off)"
press_until 30 Return logged "scene SceneTitle SceneStart" || fail "Return did not start a game"

event="window closed"
case $how in
  f12)
    xdotool key Pause
    wait_for 30 logged paused || fail "Pause did not pause the game"
    xdotool key F12
    what="F12 while paused"
    ;;
  button)
    "$closer" "$window" || fail "the close message could not be sent"
    what="the close button"
    ;;
  sigterm)
    kill -TERM "$game_pid"
    what="SIGTERM"
    event="quit event"
    ;;
  *) fail "unknown way to close: $how" ;;
esac
expect_exit_0 "$what"
expect_teardown "$what" "$event"
expect_quiet_log
expect_saved_replay "solo-unfinished"
echo "close test passed: $what ended the game with exit code 0 after the teardown, the game" \
  "begun saved as a replay that verifies"

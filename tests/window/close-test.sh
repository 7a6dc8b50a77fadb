#!/usr/bin/env bash
# Closing the real window: once the title shows, either F12 (pressed while the game is paused,
# which must not hold it up) or the window's close button (the WM_DELETE_WINDOW message a window
# manager sends for it) must end the game with exit code 0 after the whole teardown, in order:
# pictures, sound, display, window.
#
#   close-test.sh f12|button GAME HEADLESS CLOSER RUN_DIR OUTPUT_DIR
# CLOSER is astorine-close-window, which sends that message (unused with f12).
set -euo pipefail
how=$1 game=$2 headless=$3 closer=$4 run_dir=$5 output=$6
mkdir -p "$output"
rm -f "$output"/*.png "$output"/display
game_log=$output/game.log
here=$(dirname "$0")
. "$here/xvfb-session.sh"
. "$here/game-screens.sh"
trap session_cleanup EXIT

reference title "99 136 173 211"
open_game_window
wait_for 60 shows title title "$MenuRegion" || fail "the window does not show the title ($off% off)"

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
  *) fail "unknown way to close: $how" ;;
esac
expect_exit_0 "$what"
expect_teardown "$what"
expect_quiet_log
echo "close test passed: $what ended the game with exit code 0 after the teardown"

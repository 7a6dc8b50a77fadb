#!/usr/bin/env bash
# The player's controls file in the real window: a file that binds player 1's left to J and holds
# one bad line. The game names the bad line once on stderr and plays; in a solo game J held makes
# the frames see Left, and Escape ends the game with 0.
#
#   controls-test.sh GAME RUN_DIR OUTPUT_DIR
set -euo pipefail
game=$1 run_dir=$2 output=$3
mkdir -p "$output"
rm -rf "$output"/config "$output"/display
game_log=$output/game.log
here=$(dirname "$0")
. "$here/xvfb-session.sh"
. "$here/game-screens.sh"
trap session_cleanup EXIT

config_home=$output/config
controls=$(realpath -m "$config_home/astorine/controls.conf")
mkdir -p "$(dirname "$controls")"
printf '[player1]\nleft = J  # mine\nright = Nokey\n' > "$controls"
open_game_window

press_until 60 Return logged "scene SceneTitle SceneStart" || fail "Return did not start a game"
wait_for 60 logged "scene SceneStart SceneSolo" || fail "the solo game did not begin"
xdotool keydown j
wait_for 30 key_seen Left || fail "J held, the game's frames do not see Left"
xdotool keyup j
wait_for 30 key_up_seen Left || fail "J let go, the game's frames still see Left"
xdotool keydown Escape
expect_exit_0 Escape

complaint="astorine: $controls:3: unknown key 'Nokey'"
[ "$(grep -cxF "$complaint" "$game_log")" -eq 1 ] || fail "the bad line is not named once"
echo "controls file test passed: the bad line named once, J played as Left, Escape exit 0"

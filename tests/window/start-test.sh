#!/usr/bin/env bash
# Starting the real game. silent: with an audio driver that cannot open, the game says so in one
# line on stderr and shows its title all the same. seed: two starts a second apart deal different
# star fields (read from the state each leaves in ASTORINE_STATE_OUT after F12).
#
#   start-test.sh silent|seed GAME HEADLESS RUN_DIR OUTPUT_DIR
set -euo pipefail
how=$1 game=$2 headless=$3 run_dir=$4 output=$5
mkdir -p "$output"
rm -f "$output"/*.png "$output"/display "$output"/state-*.json
here=$(dirname "$0")
. "$here/xvfb-session.sh"
. "$here/game-screens.sh"
trap session_cleanup EXIT

# start_to_title N AUDIO_DRIVER: starts the game with that driver, the log in game-N.log, answers
# No and waits for the title; F12 then ends it, and its state is kept in state-N.json.
start_to_title() {
  game_log=$output/game-$1.log
  export SDL_AUDIODRIVER=$2 ASTORINE_TRACE=1 ASTORINE_STATE_OUT=$output/state-$1.json
  start_game "$game" "$run_dir" "$game_log"
  window=$(answer_question Escape) || fail "no game window after answering No to the question"
  window_area "$window"
  wait_for 60 shows "start-$1" title || fail "the window does not show the title ($off% off)"
  xdotool key F12
  expect_exit_0 F12
  [ -s "$output/state-$1.json" ] || fail "the game wrote no state"
}

# The star field of a state document, one star per line.
star_field() { awk '/"StarField"/ {on = 1} on {print} on && /^  \]/ {exit}' "$1"; }

reference title "99 136"
start_xvfb "$output" || fail "Xvfb did not start"
case $how in
  silent)
    # The disk driver writes the samples to a file: one in a folder that does not exist cannot
    # be opened, as a missing or busy sound card cannot.
    export SDL_DISKAUDIOFILE=$output/no-such-folder/audio.raw
    start_to_title 1 disk
    [ "$(grep -c '^astorine: no usable sound device' "$game_log")" -eq 1 ] ||
      fail "not one line on stderr about the sound device"
    sed -i '/^astorine: no usable sound device/d' "$game_log"
    expect_quiet_log
    echo "start test passed: without a sound device the title shows, with one line on stderr"
    ;;
  seed)
    start_to_title 1 dummy
    sleep 1
    start_to_title 2 dummy
    [ -n "$(star_field "$output/state-1.json")" ] || fail "no star field in the state"
    [ "$(star_field "$output/state-1.json")" != "$(star_field "$output/state-2.json")" ] ||
      fail "two starts a second apart dealt the same star field"
    echo "start test passed: two starts a second apart dealt different star fields"
    ;;
  *) fail "unknown start: $how" ;;
esac

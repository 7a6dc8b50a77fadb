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

. "$(dirname "$0")/xvfb-session.sh"
trap session_cleanup EXIT
fail() {
  echo "window test: $*" >&2
  [ -f "$output/game.log" ] && sed 's/^/  game: /' "$output/game.log" >&2
  exit 1
}

# The title's still parts: the pixels two headless pictures of it share, though their stars
# (other seeds) and their universe (other frames) differ.
"$headless" --data "$run_dir/Data" --seed 11 --frames 100 --png 99:"$output/title-a.png" \
  2> /dev/null
"$headless" --data "$run_dir/Data" --seed 12 --frames 137 --png 136:"$output/title-b.png" \
  2> /dev/null
convert "$output/title-a.png" "$output/title-b.png" -compose difference -composite \
  -colorspace gray -threshold 0 -negate "$output/still.png"
still=$(convert "$output/still.png" -format '%[fx:round(mean*w*h)]' info:)
[ "$still" -gt 20000 ] || fail "the headless title pictures share only $still pixels"

start_xvfb "$output" || fail "Xvfb did not start"
export SDL_AUDIODRIVER=dummy

start_game "$game" "$run_dir" "$output/game.log"
window=$(answer_question Escape) || fail "no game window after answering No to the question"

read -r width height left top < <(xwininfo -id "$window" |
  awk '/Width:/ {w=$2} /Height:/ {h=$2} /Absolute upper-left X:/ {x=$4}
       /Absolute upper-left Y:/ {y=$4} END {print w, h, x, y}')
[ "$width" = 640 ] && [ "$height" = 480 ] || fail "client area is ${width}x${height}, not 640x480"

shot() { import -window root -crop "640x480+$left+$top" +repage "$output/$1.png"; }
differing() { compare -metric AE "$output/$1.png" "$output/$2.png" null: 2>&1 || true; }
# The percentage of the title's still pixels that a screenshot gets wrong.
title_mismatch() {
  convert "$output/$1.png" "$output/title-a.png" -compose difference -composite \
    -colorspace gray -threshold 0 "$output/moved.png"
  local wrong
  wrong=$(convert "$output/still.png" "$output/moved.png" -compose multiply -composite \
    -format '%[fx:round(mean*w*h)]' info:)
  echo $((100 * wrong / still))
}
title_shown() {
  shot title
  mismatch=$(title_mismatch title)
  [ "$mismatch" -le 5 ]
}
# The title slides in for 61 frames, longer on a busy machine.
wait_for 15 title_shown || fail "the window does not show the title ($mismatch% of it differs)"

sleep 0.3
shot running
[ "$(differing title running)" -gt 0 ] || fail "the picture does not move"

xdotool key Pause
sleep 0.3
shot paused-1
sleep 0.6
shot paused-2
[ "$(differing paused-1 paused-2)" -eq 0 ] || fail "the picture moves while paused"

xdotool key Pause
sleep 0.3
shot resumed
[ "$(differing paused-2 resumed)" -gt 0 ] || fail "the second Pause did not resume"

xdotool key F12
game_ended() { ! kill -0 "$game_pid" 2> /dev/null; }
wait_for 5 game_ended || fail "F12 did not end the game"
status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -eq 0 ] || fail "the game ended with exit code $status"
echo "window test passed: 640x480 title ($mismatch% off), Pause froze and resumed, F12 exit 0"

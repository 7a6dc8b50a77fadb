#!/usr/bin/env bash
# A solo game in the real window played by a virtual gamepad alone (astorine-pad-game): the pad
# present at start is announced, Start starts the game from the title, pauses and resumes it in
# play, the D-pad and south play it to game over and back to the title, and the pad unplugged
# there leaves the title running. The player's mapping file, read from XDG_CONFIG_HOME, holds a
# line that is no mapping: it is named once. Every wait is for the program's end, bounded only
# against a broken game.
#
#   pad-game-test.sh PAD_GAME RUN_DIR OUTPUT_DIR
set -euo pipefail
program=$1 run_dir=$2 output=$3
mkdir -p "$output"
rm -rf "$output"/home "$output"/display
game_log=$output/game.log
here=$(dirname "$0")
. "$here/xvfb-session.sh"
trap session_cleanup EXIT

fail() {
  echo "window test: $*" >&2
  [ -f "$game_log" ] && sed 's/^/  game: /' "$game_log" >&2
  exit 1
}

mkdir -p "$output/home/config/astorine"
mappings=$output/home/config/astorine/gamecontrollerdb.txt
printf '# the player'"'"'s own pads\nnot a mapping\n' > "$mappings"

start_xvfb "$output" || fail "Xvfb did not start"
status=0
(cd "$run_dir" && exec env SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy ASTORINE_TRACE=1 \
  HOME="$output/home" XDG_CONFIG_HOME="$output/home/config" timeout 280 "$program") \
  > "$game_log" 2>&1 || status=$?
[ "$status" -eq 0 ] || fail "the program ended with $status"

# The happenings in their order (extended regular expressions), each line the first of its kind
# after the one before. awk reads the log itself: a reader that stops at its first match in a pipe
# would cut off the writer, which pipefail takes for a failure.
expect_in_order() {
  local line number=0 found
  for line in "$@"; do
    found=$(awk -v after="$number" -v pattern="^astorine: $line\$" \
      'NR > after && $0 ~ pattern { print NR; exit }' "$game_log")
    [ -n "$found" ] || fail "no '$line' after line $number"
    number=$found
  done
}
expect_in_order "gamepad connected: Astorine Test Pad" \
  "scene SceneTitle SceneStart" "scene SceneStart SceneSolo" "paused" "resumed" \
  "scene [A-Za-z]+ SceneGameOver" "scene SceneGameOver SceneTitle" \
  "gamepad disconnected: Astorine Test Pad" "pad removed 1"
[ "$(grep -c 'gamepad connected' "$game_log")" -eq 1 ] || fail "the pad was announced twice"
[ "$(grep -cx 'astorine: paused' "$game_log")" -eq 1 ] || fail "a pause other than Start's"
grep -q '^astorine: keys [0-9]* Return$' "$game_log" || fail "Start was not Return on the title"
grep -q '^astorine: keys [0-9]* Down$' "$game_log" || fail "the D-pad did not drop"
grep -q '^astorine: keys [0-9]* Down+K$' "$game_log" || fail "south did not turn"
[ "$(grep -c "$mappings" "$game_log")" -eq 1 ] &&
  grep -q "$mappings: 1 line ignored, not gamepad mappings" "$game_log" ||
  fail "the mapping file's bad line was not named once"
pairs=$(grep -c '^astorine: scene SceneSolo SceneSoloChain$' "$game_log")
echo "pad game test passed: started with Start, paused and resumed in play, $pairs pairs" \
  "dropped with the D-pad and south to game over, unplugged on the title without a pause"

# Shell functions for the window tests that play the game: headless reference pictures, their
# still parts, screenshots of the game window and keys held for a while. Sourced after
# xvfb-session.sh; they use $output (the test's folder), $game, $headless, $run_dir and $game_log.

# open_game_window: Xvfb, then the game with SDL's dummy audio and the trace on (export any other
# variable first), the full-screen question answered No; sets $window and checks that its client
# area is 640 x 480, placed at $left, $top.
open_game_window() {
  start_xvfb "$output" || fail "Xvfb did not start"
  export SDL_AUDIODRIVER=dummy ASTORINE_TRACE=1
  start_game "$game" "$run_dir" "$game_log"
  window=$(answer_question Escape) || fail "no game window after answering No to the question"
  window_area "$window"
}

fail() {
  echo "window test: $*" >&2
  [ -f "$game_log" ] && sed 's/^/  game: /' "$game_log" >&2
  exit 1
}

# reference NAME "FRAME..." [KEY_LINE...]: headless pictures of one screen from runs with the key
# script lines given, one per FRAME, each with its own seed (so other stars and another place in
# the universe), as $output/NAME-1.png and on; and $output/NAME-still.png, white where all of
# them agree: the parts of the screen that stay still. Fails when fewer than 20000 pixels do.
reference() {
  local name=$1 frames=($2)
  shift 2
  printf '%s\n' "$@" > "$output/$name.keys"
  local i differences=()
  for i in "${!frames[@]}"; do
    local picture=$output/$name-$((i + 1)).png
    "$headless" --data "$run_dir/Data" --language "${game_language:-en}" --seed $((11 + i)) \
      --frames $((frames[i] + 1)) \
      --keys "$output/$name.keys" --png "${frames[i]}:$picture" 2> /dev/null
    [ "$i" -eq 0 ] && continue
    convert "$output/$name-1.png" "$picture" -compose difference -composite -colorspace gray \
      -threshold 0 "$output/$name-difference-$i.png"
    differences+=("$output/$name-difference-$i.png")
  done
  convert "${differences[@]}" -background black -compose lighten -flatten -negate \
    "$output/$name-still.png"
  local count
  count=$(convert "$output/$name-still.png" -format '%[fx:round(mean*w*h)]' info:)
  [ "$count" -gt 20000 ] || fail "the headless pictures of $name share only $count pixels"
}

# client_area WINDOW: the client area's size and place on the screen, in $width, $height, $left
# and $top.
client_area() {
  read -r width height left top < <(xwininfo -id "$1" |
    awk '/Width:/ {w=$2} /Height:/ {h=$2} /Absolute upper-left X:/ {x=$4}
         /Absolute upper-left Y:/ {y=$4} END {print w, h, x, y}')
}
client_size_is() {
  client_area "$1"
  [ "$width" = "$2" ] && [ "$height" = "$3" ]
}

# window_area WINDOW: the client area's place on the screen, in $left and $top; fails unless it
# is 640 x 480.
window_area() {
  client_size_is "$1" 640 480 || fail "client area is ${width}x${height}, not 640x480"
}

shot() { import -window root -crop "640x480+$left+$top" +repage "$output/$1.png"; }

# mismatch SHOT REFERENCE MASK [REGION]: the percentage of the mask's pixels (inside REGION, an
# ImageMagick geometry such as 480x120+140+310, if given) in which SHOT and REFERENCE differ.
mismatch() {
  local crop=(+repage)
  [ -z "${4:-}" ] || crop=(-crop "$4" +repage)
  convert "$output/$1.png" "$output/$2.png" -compose difference -composite \
    -colorspace gray -threshold 0 "${crop[@]}" "$output/moved.png"
  convert "$output/$3.png" "${crop[@]}" "$output/mask.png"
  local wrong total
  wrong=$(convert "$output/mask.png" "$output/moved.png" -compose multiply -composite \
    -format '%[fx:round(mean*w*h)]' info:)
  total=$(convert "$output/mask.png" -format '%[fx:round(mean*w*h)]' info:)
  echo $((100 * wrong / total))
}

# The menu's items and play-mode panel: a wrong mode or item shows here as about 8% of the mask.
MenuRegion=480x120+140+310

# shows SHOT NAME [REGION]: takes a screenshot named SHOT; true when it differs from the
# reference pictures NAME in at most 5% of their still part (the frame-rate text, a stray star)
# and, if REGION is given, in less than 1% of it inside REGION. The figures are in $off and
# $region_off.
shows() {
  shot "$1"
  off=$(mismatch "$1" "$2-1" "$2-still")
  region_off=0
  [ -z "${3:-}" ] || region_off=$(mismatch "$1" "$2-1" "$2-still" "$3")
  [ "$off" -le 5 ] && [ "$region_off" -eq 0 ]
}

# shows_while NAME REFERENCE COMMAND...: screenshots NAME-1, NAME-2 and on, as fast as they come,
# while the command succeeds; true when one of them shows REFERENCE as `shows` does. For a screen
# that lasts only a moment: the comparison, much slower than a screenshot, comes afterwards.
shows_while() {
  local name=$1 reference=$2 count=0 i best=100
  shift 2
  while "$@"; do
    count=$((count + 1))
    shot "$name-$count"
  done
  for ((i = 1; i <= count; i++)); do
    off=$(mismatch "$name-$i" "$reference-1" "$reference-still")
    [ "$off" -lt "$best" ] && best=$off
    [ "$off" -le 5 ] && return 0
  done
  off=$best
  return 1
}

# logged LINE [COUNT]: true once the game's trace holds LINE at least COUNT (1) times.
logged() { [ "$(grep -cx "astorine: $1" "$game_log")" -ge "${2:-1}" ]; }

game_ended() { ! kill -0 "$game_pid" 2> /dev/null; }

# Waits for the game to end by itself; fails unless it ends with exit code 0.
expect_exit_0() {
  wait_for 60 game_ended || fail "$1 did not end the game"
  local status=0
  wait "$game_pid" || status=$?
  game_pid=""
  [ "$status" -eq 0 ] || fail "the game ended with exit code $status after $1"
}

# expect_teardown WHAT [EVENT]: the teardown after the window closed (or EVENT: "quit event"), in
# order, as the last lines of the trace but for the saved replay's and the count of frames.
expect_teardown() {
  local expected
  expected=$(printf 'astorine: %s\n' "${2:-window closed}" "released the pictures" \
    "released the sound" "released the display" "destroyed the window")
  [ "$(grep -v -e '^astorine: replay saved ' -e '^astorine: frames run ' "$game_log" |
    tail -n 5)" = "$expected" ] ||
    fail "the teardown after $1 is not as expected"
}

# Every line of the trace is a scene change, keys seen, a pause, a switch of full screen or focus,
# a teardown step or the count of frames at the end: nothing unexpected on stderr.
expect_quiet_log() {
  local other
  other=$(grep -v -e '^astorine: scene ' -e '^astorine: keys ' -e '^astorine: paused$' \
    -e '^astorine: resumed$' -e '^astorine: full screen o\(n\|ff\)$' \
    -e '^astorine: focus \(lost\|back\)$' -e '^astorine: window closed$' -e '^astorine: quit event$' \
    -e '^astorine: released the ' -e '^astorine: destroyed the window$' \
    -e '^astorine: replay saved ' -e '^astorine: replay over, every recorded state matched$' \
    -e '^astorine: frames run [0-9]* presented [0-9]*$' \
    "$game_log" || true)
  [ -z "$other" ] || fail "unexpected lines on stderr"
}

# expect_saved_replay PATTERN: the game saved exactly one replay, named to match PATTERN (an
# extended regular expression), in the replays folder start_game gave it, and the headless
# runner plays it back with every recorded state matching. Sets $replay.
expect_saved_replay() {
  local folder=$output/state/astorine/replays names
  names=$(ls "$folder" 2> /dev/null || true)
  [ "$(wc -w <<< "$names")" -eq 1 ] || fail "not one replay saved in $folder: ${names:-none}"
  grep -Eq "^[0-9]{4}-[0-9]{2}-[0-9]{2}-[0-9]{6}-$1\.replay$" <<< "$names" ||
    fail "the replay's name $names does not say $1"
  grep -q "^astorine: replay saved $names$" "$game_log" || fail "the trace does not name $names"
  replay=$folder/$names
  "$headless" --data "$run_dir/Data" --replay "$replay" --verify 2> "$output/verify.log" ||
    { cat "$output/verify.log" >&2; fail "the replay $names does not verify headless"; }
}

#!/usr/bin/env bash
# The real game in a virtual X server against bad data: once with no Data/ folder at all (a copy
# of the game in an empty folder), and once for each damage to the window icon, the one file
# only the window reads (corrupt.pl's kinds, and missing). Each run answers the full-screen
# question, plays on a little (with no Data/: Return on the title, into the start screen) and
# closes with F12; it must end with exit code 0 after the teardown, with stderr naming each file
# the game could not use once, and saying nothing else but its trace.
#
#   window-bad-data.sh GAME DATA_DIR OUTPUT_DIR
set -euo pipefail
game=$(readlink -f "$1") data=$(cd "$2" && pwd) output=$3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/data-files.sh"
. "$here/../window/xvfb-session.sh"
mkdir -p "$output"
output=$(cd "$output" && pwd)
rm -rf "${output:?}"/*
trap session_cleanup EXIT
start_xvfb "$output" || { echo "window bad data: Xvfb did not start" >&2; exit 1; }
export SDL_AUDIODRIVER=dummy ASTORINE_TRACE=1

game_ended() { ! kill -0 "$game_pid" 2> /dev/null; }
logged() { grep -qx "astorine: $1" "$game_log"; }

# check_run STATUS [NAMED...]: the verdict on a run that ended, from its exit code and stderr.
check_run() {
  local status=$1
  shift
  [ "$status" -eq 0 ] || { echo "exit code $status"; return; }
  grep -v '^astorine: frames run ' "$game_log" | tail -n 1 |
    grep -qx "astorine: destroyed the window" || { echo "no teardown"; return; }
  local file count
  for file in "${DataFiles[@]}"; do
    count=$(grep -c -- "/$file " "$game_log" || true)
    # Not grep -q: quitting at the first match can kill printf with SIGPIPE, failing the pipe.
    if printf '%s\n' "$@" | grep -x -- "$file" > /dev/null; then
      [ "$count" -eq 1 ] || { echo "$file named $count times, not once"; return; }
    else
      [ "$count" -eq 0 ] || { echo "$file (usable) named $count times"; return; }
    fi
  done
  local other
  other=$(grep -v -e '^astorine: scene ' -e '^astorine: keys ' -e '^astorine: window closed$' \
    -e '^astorine: full screen o\(n\|ff\)$' -e '^astorine: focus \(lost\|back\)$' \
    -e '^astorine: released the ' -e '^astorine: destroyed the window$' \
    -e '^astorine: frames run [0-9]* presented [0-9]*$' \
    -e '^astorine: replay saved ' -e ' not loaded (' "$game_log" | wc -l)
  [ "$other" -eq 0 ] || { echo "$other unexpected lines on stderr"; return; }
  echo ok
}

# The game and its message box, after a run that went wrong.
session_cleanup_game() {
  kill -KILL -- "-$game_pid" 2> /dev/null || true
  game_pid=""
}

passed=0 failed=0
# play CASE RUN_DIR PROGRAM [NAMED...]: one run, counted as passed or failed.
play() {
  local name=$1 run_dir=$2 program=$3
  shift 3
  game_log=$output/$name.log
  start_game "$program" "$run_dir" "$game_log"
  local result="" window
  if ! window=$(answer_question Escape) || ! wait_for 60 window_viewable "$window"; then
    result="no game window"
  elif [ "$name" = nodata ] &&
    ! press_until 60 Return logged "scene SceneTitle SceneStart"; then
    result="Return on the title did not start a game"
  else
    # A key sent before the window has the focus goes elsewhere: F12 again until the game ends.
    f12_ended() {
      xdotool key F12
      wait_for 10 game_ended
    }
    wait_for 60 f12_ended || result="F12 did not end the game"
  fi
  if [ -z "$result" ]; then
    local status=0
    wait "$game_pid" || status=$?
    game_pid=""
    result=$(check_run "$status" "$@")
  else
    session_cleanup_game
  fi
  if [ "$result" = ok ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "  FAILED $name: $result (stderr in $game_log)"
  fi
}

mkdir -p "$output/nodata"
cp "$game" "$output/nodata/astorine"
play nodata "$output/nodata" "$output/nodata/astorine" "${DataFiles[@]}"
echo "  nodata      1 case: no Data/ folder anywhere, Return on the title, F12"

for kind in missing truncated header huge random noise tiny; do
  run_dir=$output/icon-$kind
  mkdir -p "$run_dir"
  cp -al "$data" "$run_dir/Data"
  rm "$run_dir/Data/$IconFile"
  [ "$kind" = missing ] ||
    perl "$here/corrupt.pl" "$kind" "$data/$IconFile" "$run_dir/Data/$IconFile"
  named=("$IconFile")
  [ "$kind" != noise ] && [ "$kind" != tiny ] || named=()
  play "icon-$kind" "$run_dir" "$game" "${named[@]}"
done
echo "  icon        7 cases: $IconFile missing, truncated, header, huge, random, noise, tiny; F12"
echo "window bad data: $passed passed, $failed failed"
[ "$failed" -eq 0 ]

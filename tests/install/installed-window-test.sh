#!/usr/bin/env bash
# The installed game in a virtual X server, started from / so that only the installed layout can
# lead it to its pictures and sounds: with --window it opens on the title without asking, under
# the application id as its window class, and F12 ends it with 0. A copy of the executable alone,
# with XDG_DATA_DIRS naming the install's share/, opens at twice the size with --scale 2; with
# --fullscreen the window covers the screen (under openbox: bare Xvfb has no full screen), again
# without asking.
#
#   installed-window-test.sh BUILD_DIR HEADLESS OUTPUT_DIR APP_ID BINDIR
set -euo pipefail
build=$1 headless=$2 output=$3 id=$4 bindir=$5
mkdir -p "$output"
rm -f "$output"/*.png "$output"/display
game_log=$output/game.log
here=$(dirname "$0")/../window
. "$here/xvfb-session.sh"
. "$here/game-screens.sh"
prefix=$(mktemp -d)
trap 'session_cleanup; rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix/usr" > /dev/null
mkdir -p "$prefix/home" "$prefix/elsewhere"
cp "$prefix/usr/$bindir/astorine" "$prefix/elsewhere/"
export HOME=$prefix/home XDG_CONFIG_HOME=$prefix/home/.config XDG_CACHE_HOME=$prefix/home/.cache
export XDG_DATA_HOME=$prefix/home/.local/share XDG_DATA_DIRS=$prefix/nothing-here

run_dir=$build # the headless reference pictures read the build's Data
reference title "99 136"
start_xvfb "$output" || fail "Xvfb did not start"
export SDL_AUDIODRIVER=dummy ASTORINE_TRACE=1

# The game's one window in $window, read once: the window may be replaced between two reads.
one_game_window() { one_window && window=$one; }
game_window_up() { one_game_window && window_viewable "$window"; }
# open_installed GAME ARGS...: the game started from /, its window in $window once it is shown.
open_installed() {
  start_game "$1" / "$game_log" "${@:2}"
  wait_for 60 game_window_up || fail "no game window with $*"
}
# F12, again while the game runs on: one sent as a full-screen window is being replaced is lost.
close_game() {
  local end=$((SECONDS + 60))
  until game_ended || [ $SECONDS -ge $end ]; do
    xdotool key F12
    wait_for 3 game_ended || true
  done
  expect_exit_0 "F12 ($1)"
  expect_quiet_log
}
# size_of XWININFO_ARGS...: a window's size as WIDTHxHEIGHT.
size_of() {
  xwininfo "$@" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'
}

open_installed "$prefix/usr/$bindir/astorine" --window
window_area "$window"
wait_for 60 shows title title || fail "the installed game does not show the title ($off% off)"
title_off=$off
class=$(xprop -id "$window" WM_CLASS)
[ "$class" = "WM_CLASS(STRING) = \"$id\", \"$id\"" ] || fail "the window's class is $class"
close_game "--window"

XDG_DATA_DIRS=/nonexistent:$prefix/usr/share \
  open_installed "$prefix/elsewhere/astorine" --window --scale 2
# The size is the X server's word, which can come a moment after the window is shown.
scaled() { [ "$(size_of -id "$window" 2> /dev/null)" = 1280x960 ]; }
wait_for 10 scaled || fail "--scale 2 opened $(size_of -id "$window")"
close_game "--scale 2, data through XDG_DATA_DIRS"

start_openbox || fail "openbox did not start"
open_installed "$prefix/usr/$bindir/astorine" --fullscreen
# Shown at once, the full-screen window may be replaced by another when the display starts.
screen() { one_game_window && [ "$(size_of -id "$window" 2> /dev/null)" = "$(size_of -root)" ]; }
wait_for 30 screen || fail "--fullscreen did not cover the screen ($(size_of -root))"
close_game "--fullscreen"
echo "installed window test passed: the title from / (${title_off}% off), class $id," \
  "--scale 2 at 1280x960 with the data found through XDG_DATA_DIRS, --fullscreen $(size_of -root)"

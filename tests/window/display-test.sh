#!/usr/bin/env bash
# The picture in windows and screens of every shape: where it lies, at what size, and that it is
# the headless picture scaled (whole factors nearest-neighbour, fractional ones smoothed from the
# whole factor above), with black around it. One case per run:
#   resize          a 1920 x 1080 screen without window manager: the window opens at 2x; resized,
#                   it shows the largest whole factor that fits, centred
#   fullscreen WxH  a WxH screen with openbox, Yes to the question: the largest 4:3 picture that
#                   fits the screen's height
#   alt-enter       1366 x 768 with openbox, a window: Alt+Return switches to full screen and back,
#                   and the game never sees that Return
#   focus           1366 x 768 with openbox, full screen: another window taking the focus pauses
#                   the game until it comes back; in a window the game keeps running
#
#   display-test.sh CASE [WxH] GAME HEADLESS RUN_DIR OUTPUT_DIR
set -euo pipefail
case_name=$1
shift
screen=1366x768
[ "$case_name" != fullscreen ] || { screen=$1; shift; }
[ "$case_name" != resize ] || screen=1920x1080
game=$1 headless=$2 run_dir=$3 output=$4
mkdir -p "$output"
rm -f "$output"/*.png "$output"/display
game_log=$output/game.log
here=$(dirname "$0")
. "$here/xvfb-session.sh"
. "$here/game-screens.sh"
other_pid=""
trap 'session_cleanup; [ -z "$other_pid" ] || kill "$other_pid" 2> /dev/null || true' EXIT
screen_width=${screen%x*} screen_height=${screen#*x}

# The title with its menu settled: still in its logo, menu and panel.
reference title "99 136 173 211"

# scaled_reference WIDTH HEIGHT: the title's reference and still part at that size, as the display
# draws it: nearest-neighbour to a whole factor, and from the whole factor above smoothly down to a
# fractional size, whose still part then loses a pixel at its edges (blended with moving ones).
scaled_reference() {
  local size=$1x$2 factor=$(((($2) + 479) / 480))
  [ -f "$output/title-$size.png" ] && return
  if [ $(($1 % 640)) -eq 0 ] && [ $(($1 / 640)) -eq $(($2 / 480)) ]; then
    convert "$output/title-1.png" -sample "$size!" "$output/title-$size.png"
    convert "$output/title-still.png" -sample "$size!" "$output/title-still-$size.png"
  else
    local enlarged=$((640 * factor))x$((480 * factor))
    convert "$output/title-1.png" -sample "$enlarged!" -filter Triangle -resize "$size!" \
      "$output/title-$size.png"
    convert "$output/title-still.png" -sample "$size!" -morphology Erode Square:1 \
      "$output/title-still-$size.png"
  fi
}

# shows_picture NAME X Y WIDTH HEIGHT [REGION]: a screenshot of the picture's rectangle on the
# screen (of REGION inside it, an ImageMagick geometry, when given: a 4K picture is slow to
# compare whole) as NAME; true when at most 5% of the still part differs from the scaled title, or
# at a fractional size 2% by more than a smoothing error. The figure, in per mille, is in $off.
shows_picture() {
  local name=$1 x=$2 y=$3 width=$4 height=$5 region=${6:-$4x$5+0+0}
  scaled_reference "$width" "$height"
  # Whole factors are exact. Smoothing may round differently from ImageMagick, but a picture one
  # pixel off, or enlarged nearest-neighbour alone, differs in 6% or more of the still part.
  local tolerance=0 allowed=50
  [ $((height % 480)) -eq 0 ] || tolerance=6% allowed=20
  local region_size=${region%%+*} offsets=${region#*+}
  local region_x=${offsets%+*} region_y=${offsets#*+}
  local expected=$output/title-${width}x$height-$region.png
  local mask=$output/mask-${width}x$height-$region.png
  if [ ! -f "$mask" ]; then
    convert "$output/title-${width}x$height.png" -crop "$region" +repage "$expected"
    convert "$output/title-still-${width}x$height.png" -crop "$region" +repage -threshold 50% \
      "$mask"
  fi
  import -window root -crop "$region_size+$((x + region_x))+$((y + region_y))" +repage \
    "$output/$name.png"
  convert "$output/$name.png" "$expected" -compose difference -composite -colorspace gray \
    -threshold "$tolerance" "$output/moved.png"
  local wrong total
  wrong=$(convert "$mask" "$output/moved.png" -compose multiply -composite \
    -format '%[fx:round(mean*w*h)]' info:)
  total=$(convert "$mask" -format '%[fx:round(mean*w*h)]' info:)
  off=$((1000 * wrong / total))
  [ "$off" -le "$allowed" ]
}

# black_around X Y WIDTH HEIGHT [LEFT TOP RIGHT BOTTOM]: true when the 2 pixels around the
# rectangle are black, inside the area given (the screen by default).
black_around() {
  local x=$1 y=$2 w=$3 h=$4 left=${5:-0} top=${6:-0} right=${7:-$screen_width}
  local bottom=${8:-$screen_height} strip
  local strips=()
  [ "$x" -lt $((left + 2)) ] || strips+=("2x$h+$((x - 2))+$y")
  [ $((x + w + 2)) -gt "$right" ] || strips+=("2x$h+$((x + w))+$y")
  [ "$y" -lt $((top + 2)) ] || strips+=("${w}x2+$x+$((y - 2))")
  [ $((y + h + 2)) -gt "$bottom" ] || strips+=("${w}x2+$x+$((y + h))")
  [ ${#strips[@]} -gt 0 ] || return 0
  for strip in "${strips[@]}"; do
    [ "$(import -window root -crop "$strip" +repage -format '%[max]' info:)" = 0 ] || return 1
  done
}

# expect_picture NAME X Y WIDTH HEIGHT [REGION [AREA...]]: waits for the picture there, black
# around it.
expect_picture() {
  local name=$1 x=$2 y=$3 w=$4 h=$5 region=${6:-}
  shift 6 || shift $#
  # Software OpenGL draws a 4K screen at a few frames per second: the title takes minutes there.
  wait_for 200 shows_picture "$name" "$x" "$y" "$w" "$h" $region ||
    fail "no ${w}x$h picture at $x,$y ($name: $off per mille off)"
  black_around "$x" "$y" "$w" "$h" "$@" || fail "not black around the ${w}x$h picture at $x,$y"
  checked+=("$name ${w}x$h+$x+$y ${off}/1000 off")
}

# The rectangle of the largest 4:3 picture that fits the screen, as x y width height.
full_screen_picture() {
  local height=$((screen_width * 3 / 4 < screen_height ? screen_width * 3 / 4 : screen_height))
  local width=$((height * 4 / 3))
  echo $(((screen_width - width) / 2)) $(((screen_height - height) / 2)) "$width" "$height"
}

# focus_is lost|back: true when the game's last word on its focus is that.
focus_is() { [ "$(grep '^astorine: focus ' "$game_log" | tail -n 1)" = "astorine: focus $1" ]; }

differing() { [ "$(compare -metric AE "$output/$1.png" "$output/$2.png" null: 2>&1)" != 0 ]; }
moved_from() {
  import -window root -crop "${screen_width}x${screen_height}+0+0" +repage "$output/$2.png"
  differing "$1" "$2"
}
still_from() {
  import -window root -crop "${screen_width}x${screen_height}+0+0" +repage "$output/$1.png"
  sleep 0.6  # long enough for many frames, had the game not been held
  import -window root -crop "${screen_width}x${screen_height}+0+0" +repage "$output/$2.png"
  ! differing "$1" "$2"
}

start_session() {
  start_xvfb "$output" "$screen" || fail "Xvfb did not start"
  [ "$case_name" = resize ] || start_openbox || fail "openbox did not start"
  export SDL_AUDIODRIVER=dummy ASTORINE_TRACE=1
  start_game "$game" "$run_dir" "$game_log"
  window=$(answer_question "$1") || fail "no game window after answering $1 to the question"
  wait_for 30 window_viewable "$window" || fail "the game window was not shown"
}

# window_picture NAME WIDTH HEIGHT: shows_picture at the window's place (the window manager
# may move it after it appears).
window_picture() {
  client_area "$window"
  shows_picture "$1" "$left" "$top" "$2" "$3"
}

finish() {
  xdotool windowactivate --sync "$window" 2> /dev/null || true
  xdotool key F12
  expect_exit_0 F12
  expect_quiet_log
  echo "display test $case_name on $screen passed: ${checked[*]}"
}

checked=()
case $case_name in
  resize)
    start_session Escape
    wait_for 30 client_size_is "$window" 1280 960 ||
      fail "the window opened at ${width}x$height, not 2x on $screen"
    expect_picture opened "$left" "$top" 1280 960
    for size in "1000 700 1" "1500 1000 2"; do
      read -r w h factor <<< "$size"
      xdotool windowsize "$window" "$w" "$h"
      wait_for 30 client_size_is "$window" "$w" "$h" || fail "the window was not resized to ${w}x$h"
      pw=$((640 * factor)) ph=$((480 * factor))
      expect_picture "resized-${w}x$h" $((left + (w - pw) / 2)) $((top + (h - ph) / 2)) \
        "$pw" "$ph" "" "$left" "$top" $((left + w)) $((top + h))
    done
    ;;
  fullscreen)
    start_session Return
    read -r x y w h < <(full_screen_picture)
    # On a 4K screen the menu and its panel alone, and the strips around the picture.
    region=""
    [ "$w" -le 1500 ] || region=$((w * 3 / 4))x$((h / 4))+$((w * 7 / 32))+$((h * 31 / 48))
    expect_picture full-screen "$x" "$y" "$w" "$h" "$region"
    ;;
  alt-enter)
    start_session Escape
    window_area "$window"
    wait_for 60 window_picture window 640 480 ||
      fail "no 640x480 picture in the window ($off/1000 off)"
    scenes=$(grep -c '^astorine: scene ' "$game_log" || true)
    xdotool keydown Alt_L keydown Return
    wait_for 30 logged "full screen on" || fail "Alt+Return did not switch to full screen"
    xdotool keyup Return keyup Alt_L
    read -r x y w h < <(full_screen_picture)
    expect_picture full-screen "$x" "$y" "$w" "$h"
    xdotool keydown Alt_L keydown Return
    wait_for 30 logged "full screen off" || fail "Alt+Return did not switch back to the window"
    xdotool keyup Return keyup Alt_L
    wait_for 30 client_size_is "$window" 640 480 ||
      fail "the window came back at ${width}x$height, not 640x480"
    wait_for 60 window_picture window-again 640 480 ||
      fail "no 640x480 picture in the window after full screen ($off/1000 off)"
    ! grep '^astorine: keys .*Return' "$game_log" > /dev/null ||
      fail "the game saw Alt+Return's Return"
    [ "$(grep -c '^astorine: scene ' "$game_log" || true)" -eq "$scenes" ] ||
      fail "Alt+Return changed the scene"
    press_until 30 Return logged "scene SceneTitle SceneStart" ||
      fail "Return alone did not start a game after Alt+Return"
    ;;
  focus)
    start_session Return
    read -r x y w h < <(full_screen_picture)
    expect_picture full-screen "$x" "$y" "$w" "$h"
    xmessage -title AstorineOther "another window" &
    other_pid=$!
    other_window() {
      xwininfo -root -tree | awk '$2 == "\"AstorineOther\":" {print $1}' | head -n 1 | grep .
    }
    wait_for 30 other_window > /dev/null || fail "the other window did not appear"
    other=$(other_window)
    xdotool windowactivate "$other" 2> /dev/null || true
    wait_for 30 focus_is lost || fail "losing the focus in full screen was not noticed"
    still_from unfocused-1 unfocused-2 || fail "the picture moves without the focus in full screen"
    xdotool windowactivate "$window"
    wait_for 30 focus_is back || fail "getting the focus back was not noticed"
    wait_for 30 moved_from unfocused-2 focused ||
      fail "the picture does not move with the focus back"
    xdotool keydown Alt_L keydown Return
    wait_for 30 logged "full screen off" || fail "Alt+Return did not switch to the window"
    xdotool keyup Return keyup Alt_L
    # Started in full screen, the game still has a window of the size that fits the screen.
    wait_for 30 client_size_is "$window" 640 480 ||
      fail "the window left full screen at ${width}x$height, not 640x480"
    wait_for 30 focus_is back || fail "the window did not get the focus back"
    xdotool windowactivate "$other" 2> /dev/null || true
    wait_for 30 focus_is lost || fail "the window did not lose the focus"
    import -window root -crop "${screen_width}x${screen_height}+0+0" +repage "$output/windowed.png"
    wait_for 30 moved_from windowed windowed-later || fail "the window stops without the focus"
    ;;
  *) fail "unknown case: $case_name" ;;
esac
finish

#!/usr/bin/env bash
# The settings file and the sound's keys in the real window. Without a file the question is asked,
# and its "Always in a window" button writes fullscreen = no. With that file, the player's own
# comment, the volume at 50 %, a bad line and a section of its own: the bad line is named once,
# the game opens straight in its window, = turns the volume up and M mutes, each changing the
# mixer's levels as SDL_mixer reports them, and the file then holds the new volume and mute with
# every other line as it was. A third start with the file's language set to Japanese, in an
# English locale, shows the title's hint in the game's own words.
#
#   settings-test.sh GAME HEADLESS RUN_DIR OUTPUT_DIR
set -euo pipefail
game=$1 headless=$2 run_dir=$3 output=$4
mkdir -p "$output"
rm -rf "$output"/*.png "$output"/display "$output"/config "$output"/data "$output"/state
here=$(dirname "$0")
. "$here/xvfb-session.sh"
. "$here/game-screens.sh"
trap session_cleanup EXIT

# The title's hint line, where the language shows.
HintRegion=300x24+180+256

config_home=$output/config
settings=$(realpath -m "$config_home/astorine/settings.conf")

# open_settled_window LOG: the game, which asks nothing, up in its window.
open_settled_window() {
  game_log=$1
  start_game "$game" "$run_dir" "$game_log"
  wait_for 30 one_window || fail "no game window"
  window=$one
  wait_for 30 window_viewable "$window" || fail "the window is not shown"
  window_area "$window"
}

start_xvfb "$output" || fail "Xvfb did not start"
export SDL_AUDIODRIVER=dummy ASTORINE_TRACE=1

# The question's last button, "Always in a window", at the right end of its row of buttons.
game_log=$output/game-0.log
start_game "$game" "$run_dir" "$game_log"
wait_for 30 one_window || fail "no question"
question=$one
wait_for 30 window_viewable "$question" || fail "the question is not shown"
sleep 0.3
eval "$(xwininfo -id "$question" | awk '/Width:/ {print "width=" $2} /Height:/ {print "height=" $2}')"
replaced() { one_window && [ "$one" != "$question" ]; }
for _ in 1 2 3; do
  xdotool mousemove --window "$question" $((width - 20)) $((height - 27)) click 1
  wait_for 10 replaced && break
done
replaced || fail "no game window after the question's last button"
wait_for 30 window_viewable "$one" || fail "the game window is not shown"
# A key sent while the window is still being mapped can be lost.
for _ in 1 2 3; do
  xdotool key --window "$one" F12
  wait_for 20 game_ended && break
done
expect_exit_0 F12
[ "$(cat "$settings")" = "$(printf '[display]\nfullscreen = no')" ] ||
  fail "the kept answer is not the file's only setting: $(cat "$settings")"

cat > "$settings" << 'CONF'
# mine
[display]
fullscreen = no   # keep it windowed
[sound]
volume = 50
loudness = 11
[later]
colour = blue
CONF
cp "$settings" "$output/settings-before.conf"
reference title "99 136 173 211"
open_settled_window "$output/game-1.log"
wait_for 60 shows title-en title "$HintRegion" ||
  fail "the English title's hint is not shown ($off% off, $region_off% in the hint)"

# 50 % of 128 is 64; one step up, 60 %, is 77 (76.8 rounded).
xdotool key equal
wait_for 30 logged "sound volume 60 mute no levels 77 77" || fail "= did not turn the volume up"
xdotool key m
wait_for 30 logged "sound volume 60 mute yes levels 0 0" || fail "M did not mute"
xdotool key F12
expect_exit_0 F12

[ "$(grep -c "$settings:6:" "$game_log")" -eq 1 ] || fail "the bad line is not named once"
grep -q "^volume = 60$" "$settings" && grep -q "^mute = yes$" "$settings" ||
  fail "the file does not hold the new sound: $(cat "$settings")"
diff <(grep -v -e '^volume = ' -e '^mute = ' "$settings") \
  <(grep -v '^volume = ' "$output/settings-before.conf") > /dev/null ||
  fail "the player's other lines changed: $(diff "$output/settings-before.conf" "$settings")"

# The file's language wins over the locale.
printf '[language]\nlanguage = ja\n' >> "$settings"
game_language=ja reference title-ja "99 136 173 211"
open_settled_window "$output/game-2.log"
wait_for 60 shows title-ja title-ja "$HintRegion" ||
  fail "the Japanese title's hint is not shown ($off% off, $region_off% in the hint)"
xdotool key F12
expect_exit_0 F12
echo "settings test passed: no question, volume 60 % then muted in the mixer and the file," \
  "the player's lines kept, the hint in English and then in Japanese"

# Shell functions for driving the real game in a virtual X server; sourced by window-test.sh and
# scripts/bench.sh. They set xvfb_pid, game_pid and DISPLAY; call session_cleanup on exit.
title="Astorine Ver3.00"
xvfb_pid="" game_pid="" openbox_pid=""

session_cleanup() {
  # The message box runs in a forked child of the game: end the game's whole process group.
  if [ -n "$game_pid" ]; then kill -KILL -- "-$game_pid" 2> /dev/null || true; fi
  if [ -n "$openbox_pid" ]; then kill "$openbox_pid" 2> /dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2> /dev/null || true; fi
  game_pid="" openbox_pid="" xvfb_pid=""
}

# Polls (every 0.1 s, for about $1 seconds) until the command succeeds. The bounds only limit how
# long a broken game is waited for: a busy machine may take many times as long as a quiet one.
wait_for() {
  local end=$((SECONDS + $1))
  shift
  while ! "$@"; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.1
  done
}

# The ids of the top-level windows named like the game, one per line.
game_windows() {
  xwininfo -root -tree | awk -v name="\"$title\":" '$2 " " $3 == name {print $1}'
}
# one_window: true when exactly one window is named like the game; its id in $one.
one_window() {
  one=$(game_windows)
  [ -n "$one" ] && [ "$(wc -l <<< "$one")" -eq 1 ]
}

# start_xvfb FOLDER [WIDTHxHEIGHT]: a server on a display number of its own, noted in
# FOLDER/display, with a screen of that size (1024x768). The number is drawn at random rather than
# the lowest free one: a server still shutting down on the same number could take the new one's
# socket away, and its clients would be refused.
start_xvfb() {
  local attempt
  server_up_or_gone() { [ -s "$1/display" ] || ! kill -0 "$xvfb_pid" 2> /dev/null; }
  for attempt in 1 2 3 4 5; do
    rm -f "$1/display"
    Xvfb ":$((100 + RANDOM % 30000))" -displayfd 3 -screen 0 "${2:-1024x768}x24" -nolisten tcp \
      3> "$1/display" 2> /dev/null &
    xvfb_pid=$!
    wait_for 30 server_up_or_gone "$1"
    if [ -s "$1/display" ]; then
      export DISPLAY=":$(cat "$1/display")"
      return 0
    fi
  done
  return 1
}

# start_openbox: a window manager on the display, which full screen, focus and minimising need;
# waits until it has claimed the screen. Openbox now and then fails to connect to the server, so it
# is started again until it runs; it finds its theme through the system's XDG_DATA_DIRS, not a
# test's.
start_openbox() {
  wm_running() {
    if ! kill -0 "$openbox_pid" 2> /dev/null; then
      env -u XDG_DATA_DIRS openbox > /dev/null 2>&1 &
      openbox_pid=$!
    fi
    xprop -root _NET_SUPPORTING_WM_CHECK 2> /dev/null | grep 'window id' > /dev/null
  }
  wait_for 30 wm_running
}

# start_game GAME RUN_DIR LOG [ARGS...]: the program in RUN_DIR, in its own process group so
# that it can be ended together with its message box; returns once its first window is up. It
# reads its controls and settings files from $config_home/astorine/, by default from a folder
# beside LOG that holds none, saves its replays in $state_home/astorine/replays/ and its records in
# $data_home/astorine/, by default beside LOG too: never in the home of whoever runs the tests.
start_game() {
  local game=$1 run_dir=$2 log=$3 attempt config state data
  shift 3
  config=$(realpath -m "${config_home:-$(dirname "$log")/config}")
  state=$(realpath -m "${state_home:-$(dirname "$log")/state}")
  data=$(realpath -m "${data_home:-$(dirname "$log")/data}")
  # A game that could not open the display shows its message box, a window named like its own.
  refused() { grep -q "the display could not be opened" "$log" 2> /dev/null; }
  window_or_end() { refused || one_window || ! kill -0 "$game_pid" 2> /dev/null; }
  for attempt in 1 2; do
    # Only X11: a game that could not reach the server would otherwise run on in an invisible
    # stand-in display.
    # One language whatever the machine's locale: English, the messages the tests read, unless
    # game_language names another; the reference pictures are drawn in the same.
    (cd "$run_dir" && exec env SDL_VIDEODRIVER=x11 XDG_CONFIG_HOME="$config" \
      XDG_STATE_HOME="$state" XDG_DATA_HOME="$data" LC_ALL= LC_MESSAGES= LANG=C.UTF-8 \
      LANGUAGE="${game_language:-en}" setsid "$game" "$@") > "$log" 2>&1 &
    game_pid=$!
    wait_for 60 window_or_end
    if ! refused && kill -0 "$game_pid" 2> /dev/null || [ "$attempt" -eq 2 ]; then
      return 0
    fi
    # On a machine busy enough, the connection to the X server can fail once (SDL's display
    # setup has failed so while the server took other clients): start again.
    echo "window test: the game ended before its first window ($(head -n 1 "$log")); starting" \
      "it again" >&2
    kill -KILL -- "-$game_pid" 2> /dev/null || true
    wait "$game_pid" 2> /dev/null || true
  done
}

# window_viewable WINDOW: true once the window is mapped. The game creates its window hidden and
# shows it only after loading its sounds: a key sent before then reaches nothing. (grep reads all
# of xwininfo's output: with -q it could quit early and fail the pipe by SIGPIPE.)
# An empty id is refused: given none, xwininfo would wait for a click on a window.
window_viewable() {
  [ -n "$1" ] && xwininfo -id "$1" 2> /dev/null | grep 'Map State: IsViewable' > /dev/null
}

# The keys the game's last frame saw held ("Left+K", "none"), from its trace in $game_log.
keys_seen() { grep '^astorine: keys ' "$game_log" | tail -n 1 | cut -d ' ' -f 4; }
key_seen() { [[ "+$(keys_seen)+" == *"+$1+"* ]]; }
key_up_seen() { ! key_seen "$1"; }

# press KEY: the key held until a frame has seen it down, then let go until a frame has seen it
# up. The game polls its keys once a frame, so a press timed by the clock could fall between two
# frames of a busy machine; this one counts exactly once. Needs the trace on (ASTORINE_TRACE).
press() {
  xdotool keydown "$1"
  if ! wait_for 30 key_seen "$1"; then
    xdotool keyup "$1"
    return 1
  fi
  xdotool keyup "$1"
  wait_for 30 key_up_seen "$1"
}

# press_until SECONDS KEY COMMAND...: presses KEY until the command succeeds, for a screen that
# takes its key only once it is ready (the title's menu after its slide).
press_until() {
  local end=$((SECONDS + $1)) key=$2
  shift 2
  until "$@"; do
    [ $SECONDS -lt $end ] || return 1
    press "$key" || return 1
  done
}

# answer_question KEY: waits for the full-screen question, sends it KEY (it has no keyboard
# focus under Xvfb) and waits for the game window that replaces it; prints that window's id.
answer_question() {
  wait_for 30 one_window || return 1
  local question=$one
  # A key that arrives while the box is still being mapped and drawn can be lost (or upset SDL's
  # box): wait until it is viewable and has drawn, and send the key again if it went unheard.
  wait_for 30 window_viewable "$question" || return 1
  sleep 0.3
  # One look at the window list each time: between two looks the box may have gone and the
  # game's window not yet come.
  window_replaced() { one_window && [ "$one" != "$question" ]; }
  local attempt
  for attempt in 1 2 3; do
    xdotool key --window "$question" "$1" 2> /dev/null
    if wait_for 10 window_replaced; then
      echo "$one"
      return 0
    fi
  done
  return 1
}

# Shell functions for the window tests of two game windows on one display, a host and a guest:
# starting each with folders of its own, and reading their traces. Sourced after
# xvfb-session.sh; they use $output, $run_dir and $game.
host_place=() guest_place=()

# start_peer NAME ARGS...: the game with its own folders under $output/NAME, in its place (the
# command NAME_place holds, e.g. ip netns exec NAMESPACE; nothing by default); its pid
# in NAME_pid, once its window is up. A game that could not open the display (on a busy machine
# SDL's first connection to the server can fail) shows its message box, a window named like its
# own: it is ended and started once more.
start_peer() {
  local name=$1 pid attempt windows
  shift
  local -n place="${name}_place"
  mkdir -p "$output/$name"
  windows=$(($(game_windows 2> /dev/null | grep -c . || true) + 1))
  refused() { grep -q "the display could not be opened" "$output/$name/game.log" 2> /dev/null; }
  up_or_refused() { refused || windows_count "$windows"; }
  for attempt in 1 2; do
    (cd "$run_dir" && exec env SDL_VIDEODRIVER=x11 XDG_CONFIG_HOME="$output/$name/config" \
      XDG_STATE_HOME="$output/$name/state" XDG_DATA_HOME="$output/$name/data" LC_ALL= \
      LC_MESSAGES= LANG=C.UTF-8 LANGUAGE=en setsid "${place[@]}" "$game" "$@") \
      > "$output/$name/game.log" 2>&1 &
    pid=$!
    wait_for 60 up_or_refused || true
    refused && [ "$attempt" -eq 1 ] || break
    echo "window test: the $name could not open the display; starting it again" >&2
    kill -KILL -- "-$pid" 2> /dev/null || true
    wait "$pid" 2> /dev/null || true
  done
  printf -v "${name}_pid" '%s' "$pid"
}

# seen PEER LINE [COUNT]: the peer's stderr holds LINE at least COUNT (1) times.
seen() { [ "$(grep -cx "astorine: $2" "$output/$1/game.log")" -ge "${3:-1}" ]; }
# keys_held PEER KEY: the peer's last traced frame ran with KEY held.
keys_held() {
  [[ "+$(grep '^astorine: keys ' "$output/$1/game.log" | tail -n 1 | cut -d ' ' -f 4)+" == \
    *"+$2+"* ]]
}
windows_count() { [ "$(game_windows 2> /dev/null | grep -c .)" -eq "$1" ]; }
ended() { ! kill -0 "$1" 2> /dev/null; }
# expect_exit_0 PID WHAT: waits (bounded) for the peer to end; fails unless it ends with 0.
expect_exit_0() {
  wait_for 60 ended "$1" || fail "the $2 did not end"
  local status=0
  wait "$1" || status=$?
  [ "$status" -eq 0 ] || fail "the $2 ended with exit code $status"
}

#!/usr/bin/env bash
# Meeting by room code through a real lobby, between two game windows on one Xvfb display. As root
# the lobby and the two players live in a small internet of network namespaces
# (tests/net/small-internet.sh): the lobby on a server of its own, each player behind a home
# router of its own doing NAT, so the match goes through both routers; otherwise all three are on
# 127.0.0.1. The host asks the lobby for a room (--lobby) and shows its code, which it also says on
# stderr; the guest, its lobby from ASTORINE_LOBBY, starts with a bare --join and the code is
# typed into its window: first a code the lobby does not know, whose m and dash leave the sound
# alone, which the screen refuses; then, after Backspace, the host's code in lower case with O and
# L for 0 and 1. Both reach the match and each sees the guest's key; Escape in the guest leaves,
# the host's screen says so and Escape ends it; both exit with 0.
#
#   online-lobby-test.sh GAME LOBBY RUN_DIR OUTPUT_DIR
set -euo pipefail
game=$1 lobby=$2 run_dir=$3 output=$4
if [ ! -x "$lobby" ]; then
  echo "online lobby window test skipped: $lobby is not built"
  exit 77
fi
mkdir -p "$output"
rm -rf "$output"/host "$output"/guest "$output"/*.png "$output"/*.log "$output"/display
here=$(dirname "$0")
. "$here/xvfb-session.sh"
. "$here/two-peers.sh"
. "$here/../net/small-internet.sh"
host_pid="" guest_pid="" lobby_pid=""
# Each program's command in its place: "ip netns exec NAMESPACE" in the small internet, nothing
# on 127.0.0.1.
lobby_place=()
cleanup() {
  for pid in "$host_pid" "$guest_pid"; do
    if [ -n "$pid" ]; then kill -KILL -- "-$pid" 2> /dev/null || true; fi
  done
  if [ -n "$lobby_pid" ]; then kill "$lobby_pid" 2> /dev/null || true; fi
  session_cleanup
}
trap cleanup EXIT

fail() {
  echo "online lobby window test: $*" >&2
  for peer in host guest; do
    [ -f "$output/$peer/game.log" ] && grep -v ' keys ' "$output/$peer/game.log" |
      sed "s/^/  $peer: /" >&2
  done
  [ -f "$output/lobby.log" ] && sed 's/^/  lobby: /' "$output/lobby.log" >&2
  exit 1
}

lobby_listening() { grep -q 'listening on UDP ' "$output/lobby.log"; }

start_xvfb "$output" || fail "Xvfb did not start"
export SDL_AUDIODRIVER=dummy ASTORINE_TRACE=1
if why=$(namespaces_possible); then
  internet_up
  add_server lobby 100.64.0.2
  add_home east eim
  add_home west eim
  add_player east host
  add_player west guest
  lobby_place=(ip netns exec "${internet_prefix}lobby")
  host_place=(ip netns exec "${internet_prefix}host")
  guest_place=(ip netns exec "${internet_prefix}guest")
  "${lobby_place[@]}" "$lobby" --address 100.64.0.2 --port 7490 2> "$output/lobby.log" &
  where="through two home routers"
else
  echo "online lobby window test: on 127.0.0.1 only: $why"
  "$lobby" --address 127.0.0.1 --port 0 2> "$output/lobby.log" &
  where="on 127.0.0.1"
fi
lobby_pid=$!
wait_for 30 lobby_listening || fail "the lobby did not start"
lobby_address=$(grep -o 'listening on UDP [0-9.]*:[0-9]*' "$output/lobby.log" | cut -d ' ' -f 4)

start_peer host --lobby "$lobby_address" --host
wait_for 60 windows_count 1 || fail "no window for the host"
host_window=$(game_windows)
code_said() { grep -q '^astorine: room [0-9A-Z]\{6\}$' "$output/host/game.log"; }
wait_for 30 code_said || fail "the host did not say its room code"
code=$(sed -n 's/^astorine: room \([0-9A-Z]*\)$/\1/p' "$output/host/game.log")
wait_for 30 window_viewable "$host_window" || fail "the host's window is not shown"
import -window "$host_window" "$output/host-room.png"

ASTORINE_LOBBY=$lobby_address start_peer guest --join
wait_for 60 windows_count 2 || fail "no window for the guest"
guest_window=$(game_windows | grep -vx "$host_window")
wait_for 30 window_viewable "$guest_window" || fail "the guest's window is not shown"
# A code one character off the host's, which no room has, typed with an m and a dash: text, never
# the sound's mute and volume keys.
wrong=$([ "${code:0:1}" = M ] && echo N || echo M)${code:1}
xdotool type --window "$guest_window" "$(tr 'A-Z' 'a-z' <<< "${wrong:0:3}-${wrong:3}")"
xdotool key --window "$guest_window" Return
wait_for 30 seen guest "no room $wrong: the code is unknown or expired" ||
  fail "the guest was not told that $wrong is no room"
! grep -q '^astorine: sound ' "$output/guest/game.log" || fail "typing the code changed the sound"
import -window "$guest_window" "$output/guest-wrong-code.png"
xdotool key --window "$guest_window" BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
xdotool type --window "$guest_window" "$(tr 'A-Z01' 'a-zol' <<< "$code")"
xdotool key --window "$guest_window" Return
wait_for 30 seen guest "room $code" || fail "the guest did not join room $code"

for peer in host guest; do
  wait_for 60 seen "$peer" "online match started" || fail "the $peer's match did not start"
  wait_for 60 seen "$peer" "scene SceneStart SceneVersus" || fail "the $peer's match is not on"
done
xdotool keydown --window "$guest_window" Left
for peer in host guest; do
  wait_for 30 keys_held "$peer" E || { xdotool keyup --window "$guest_window" Left;
    fail "the guest's Left did not reach the $peer's match"; }
done
xdotool keyup --window "$guest_window" Left

xdotool key --window "$guest_window" Escape
expect_exit_0 "$guest_pid" guest
guest_pid=""
wait_for 30 seen host "the opponent left the match" || fail "the host was not told the guest left"
import -window "$host_window" "$output/host-opponent-left.png"
xdotool key --window "$host_window" Escape
expect_exit_0 "$host_pid" host
host_pid=""
echo "online lobby window test passed $where: room $code shown by the host, $wrong refused on" \
  "the guest's screen, the code typed in lower case joined, the guest's key seen by both, both" \
  "exit 0"

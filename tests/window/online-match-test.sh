#!/usr/bin/env bash
# Online versus between two real game windows on one Xvfb display, over 127.0.0.1. A host's wait
# is cancelled by Escape. Then one hosts on a free port, the other joins; each has its own replays
# folder. Both see the match begin; a key held in each window reaches its own well on both
# machines (the host's Right as player 1's Right, the guest's Left as player 2's E); the host holds
# Down until its well overflows. The guest's screen is slow (60 ms a present): it must present only
# some of its frames and run the rest on time. Both save the match's replay, which verifies
# headless to the same final state on both. Both accept a rematch (the host sees the guest's acceptance first) and a
# second match begins; Escape in the guest leaves it: the host says the opponent left, and Escape
# ends it with exit code 0.
#
#   online-match-test.sh GAME HEADLESS RUN_DIR OUTPUT_DIR
set -euo pipefail
game=$1 headless=$2 run_dir=$3 output=$4
mkdir -p "$output"
rm -rf "$output"/host "$output"/guest "$output"/*.json "$output"/display
here=$(dirname "$0")
. "$here/xvfb-session.sh"
. "$here/two-peers.sh"
host_pid="" guest_pid=""
cleanup() {
  for pid in "$host_pid" "$guest_pid"; do
    if [ -n "$pid" ]; then kill -KILL -- "-$pid" 2> /dev/null || true; fi
  done
  session_cleanup
}
trap cleanup EXIT

fail() {
  echo "online window test: $*" >&2
  for peer in host guest; do
    [ -f "$output/$peer/game.log" ] && sed "s/^/  $peer: /" "$output/$peer/game.log" >&2
  done
  exit 1
}

# hold_until_seen WINDOW KEY NAME: KEY held in WINDOW until both peers run frames with NAME held.
hold_until_seen() {
  local window=$1 key=$2 peer
  shift 2
  xdotool keydown --window "$window" "$key"
  for peer in host guest; do
    wait_for 30 keys_held "$peer" "$1" || { xdotool keyup --window "$window" "$key"; return 1; }
  done
  xdotool keyup --window "$window" "$key"
}

port=$(python3 -c 'import socket; s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')

start_xvfb "$output" || fail "Xvfb did not start"
export SDL_AUDIODRIVER=dummy ASTORINE_TRACE=1
# Online play asks no full-screen question: the game's own window comes at once. Escape cancels
# the wait.
start_peer host --host "$port"
wait_for 60 windows_count 1 || fail "no window for the host"
wait_for 30 window_viewable "$(game_windows)" || fail "the host's window is not shown"
import -window "$(game_windows)" "$output/host-waiting.png"
xdotool key --window "$(game_windows)" Escape
expect_exit_0 "$host_pid" "host's wait"
seen host "cancelled before a match" || fail "the host did not say the wait was cancelled"
[ ! -e "$output/host/state/astorine/replays" ] || fail "a cancelled wait saved a replay"

start_peer host --host "$port"
wait_for 60 windows_count 1 || fail "no window for the host"
host_window=$(game_windows)
wait_for 30 window_viewable "$host_window" || fail "the host's window is not shown"
# The guest's screen takes 60 ms to present each picture: its frames must keep the match's pace.
ASTORINE_TEST_PRESENT_MS=60 start_peer guest --join "127.0.0.1:$port"
wait_for 60 windows_count 2 || fail "no window for the guest"
guest_window=$(game_windows | grep -vx "$host_window")
wait_for 30 window_viewable "$guest_window" || fail "the guest's window is not shown"

for peer in host guest; do
  wait_for 60 seen "$peer" "online match started" || fail "the $peer's match did not start"
  wait_for 60 seen "$peer" "scene SceneStart SceneVersus" || fail "the $peer's match is not on"
done
hold_until_seen "$guest_window" Left E || fail "the guest's Left did not reach player 2's well"
hold_until_seen "$host_window" Right Right || fail "the host's Right did not reach player 1's well"
xdotool keydown --window "$host_window" Down
for peer in host guest; do
  wait_for 120 seen "$peer" "scene SceneVersus SceneTitle" || fail "the $peer's match did not end"
done
xdotool keyup --window "$host_window" Down
for peer in host guest; do
  wait_for 30 seen "$peer" "the match is over" || fail "the $peer did not reach the result"
done

# expect_replays PEER COUNT: the peer's replays folder holds COUNT online matches; the newest's
# path in $newest.
expect_replays() {
  local folder=$output/$1/state/astorine/replays
  [ "$(ls "$folder" | grep -c '^[0-9-]*-two-.*\.replay$')" -eq "$2" ] ||
    fail "the $1 did not save $2 online replays: $(ls "$folder" 2> /dev/null)"
  newest=$folder/$(ls "$folder" | tail -n 1)
}
for peer in host guest; do
  expect_replays "$peer" 1
  grep -q -- '-two-player2-won\.replay$' <<< "$newest" || fail "the $peer's replay is $newest"
  "$headless" --data "$run_dir/Data" --replay "$newest" --verify \
    --state-out "$output/$peer-final.json" 2> "$output/$peer-verify.log" ||
    fail "the $peer's replay does not verify: $(cat "$output/$peer-verify.log")"
done
cmp -s "$output/host-final.json" "$output/guest-final.json" ||
  fail "the two replays end in different states"

xdotool key --window "$guest_window" Return
wait_for 30 seen host "online the opponent wants a rematch" ||
  fail "the host was not told that the guest wants a rematch"
# For whoever looks into a failure: the screens, not compared (the guest's window is on top).
import -window "$guest_window" "$output/guest-rematch.png"
seen host "online match started" 2 && fail "a match started on one acceptance"
xdotool key --window "$host_window" Return
for peer in host guest; do
  wait_for 60 seen "$peer" "online match started" 2 || fail "no rematch for the $peer"
done
wait_for 60 seen guest "scene SceneStart SceneVersus" 2 || fail "the rematch is not on"

xdotool key --window "$guest_window" Escape
expect_exit_0 "$guest_pid" guest
guest_pid=""
seen guest "you left the match" || fail "the guest did not say that it left"
wait_for 30 seen host "the opponent left the match" || fail "the host was not told the guest left"
import -window "$host_window" "$output/host-opponent-left.png"
xdotool key --window "$host_window" Escape
expect_exit_0 "$host_pid" host
host_pid=""
for peer in host guest; do
  expect_replays "$peer" 2
  "$headless" --data "$run_dir/Data" --replay "$newest" --verify 2> "$output/$peer-verify.log" ||
    fail "the $peer's replay of the rematch does not verify: $(cat "$output/$peer-verify.log")"
done
# Nothing on stderr but the trace, the session's last word and the teardown.
for peer in host guest; do
  other=$(grep -v -e '^astorine: scene ' -e '^astorine: keys ' -e '^astorine: focus \(lost\|back\)$' \
    -e '^astorine: online ' -e '^astorine: replay saved ' -e '^astorine: the match is over$' \
    -e '^astorine: the opponent left the match$' -e '^astorine: you left the match$' \
    -e '^astorine: released the ' -e '^astorine: destroyed the window$' \
    -e '^astorine: frames run [0-9]* presented [0-9]*$' "$output/$peer/game.log" || true)
  [ -z "$other" ] || fail "unexpected lines on the $peer's stderr: $other"
done
read -r run presented < <(awk '/^astorine: frames run / {print $4, $6}' "$output/guest/game.log")
[ "${presented:-0}" -gt 0 ] && [ "$presented" -lt "$run" ] ||
  fail "the guest's slow screen presented ${presented:-no} frames of ${run:-none}"
echo "online window test passed: host and guest windows on port $port played a match to its" \
  "result with both keys on both machines, replays verifying to the same state, a rematch both" \
  "accepted, the guest's Escape told to the host, both exit code 0; the guest's slow screen" \
  "presented $presented of its $run frames"

#!/usr/bin/env bash
# Matches by room code through a lobby, in a small internet of our own (small-internet.sh): two
# headless peers behind home routers meet through the lobby, each match to a set frame, and both
# must end with exit code 0, the same final state and no desync, on the path expected:
#   - both routers endpoint-independent: a direct path;
#   - both players behind one router: the local path;
#   - one router symmetric: direct if hole punching manages, else relayed;
#   - both symmetric: relayed; and again with a tenth of one home's packets lost;
#   - the lobby stopped while a host waits: the host says so; restarted: a new room works.
#
#   lobby-internet-test.sh HEADLESS LOBBY OUTPUT_DIR
set -euo pipefail
headless=$1 lobby=$2 output=$3
here=$(dirname "$0")
. "$here/small-internet.sh"
why=$(namespaces_possible) || {
  echo "lobby internet test skipped: $why"
  exit 77
}
mkdir -p "$output"
rm -f "$output"/*
fail() {
  echo "lobby internet test: $*" >&2
  for log in "$output"/*.log; do sed "s|^|  $(basename "$log"): |" "$log" >&2; done
  exit 1
}
# wait_for_line FILE PATTERN [SECONDS]: until a line of FILE matches (10 s by default).
wait_for_line() {
  local end=$((SECONDS + ${3:-10}))
  until grep -q -E "$2" "$1" 2> /dev/null; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.05
  done
}

internet_up
lobby_address=100.64.0.2:7490
add_server lobby 100.64.0.2
add_home east eim
add_home west eim
add_home north symmetric
add_home south symmetric
add_player east e1
add_player east e2
add_player west w1
add_player north n1
add_player south s1
lobby_pid=""
# Backgrounded through ip netns exec itself (not the in_ns function, whose subshell a kill would
# end while the program went on), so that $! is the program's own pid.
start_lobby() {
  ip netns exec "${internet_prefix}lobby" "$lobby" --port 7490 >> "$output/lobby.log" 2>&1 &
  lobby_pid=$!
  wait_for_line "$output/lobby.log" "listening on UDP" || fail "the lobby did not start"
}
stop_lobby() {
  kill "$lobby_pid" 2> /dev/null || true
  wait "$lobby_pid" 2> /dev/null || true
}

# host_room NAME PLAYER ARGS...: a headless host behind PLAYER's router asks the lobby for a room;
# its pid in $host_pid, the room's code in $code.
host_room() {
  local name=$1 player=$2
  ip netns exec "${internet_prefix}$player" "$headless" --lobby "$lobby_address" --host 0 \
    "${@:3}" 2> "$output/$name-host.log" &
  host_pid=$!
  wait_for_line "$output/$name-host.log" "room [0-9A-Z]{6}: waiting" ||
    fail "$name: the host got no room"
  code=$(grep -o -E 'room [0-9A-Z]{6}' "$output/$name-host.log" | head -n 1 | cut -d ' ' -f 2)
}

# play NAME HOST_PLAYER GUEST_PLAYER PATH_PATTERN [SEED]: one match of 300 frames at four times
# the pace, the guest joining by code; the path each peer reports must match PATH_PATTERN.
play() {
  local name=$1 host=$2 guest=$3 path=$4 seed=${5:-7}
  local pace=(--speed 4 --frames 300)
  host_room "$name" "$host" --seed "$seed" --random-keys "$((seed * 2))" "${pace[@]}" \
    --state-out "$output/$name-host.json"
  local guest_status=0 host_status=0
  timeout 60 ip netns exec "${internet_prefix}$guest" "$headless" --lobby "$lobby_address" \
    --join "$code" --random-keys "$((seed * 2 + 1))" "${pace[@]}" \
    --state-out "$output/$name-guest.json" 2> "$output/$name-guest.log" || guest_status=$?
  wait "$host_pid" || host_status=$?
  [ "$host_status" -eq 0 ] && [ "$guest_status" -eq 0 ] ||
    fail "$name: exit codes host $host_status, guest $guest_status"
  cmp -s "$output/$name-host.json" "$output/$name-guest.json" ||
    fail "$name: the peers' final states differ"
  grep -q "desync none" "$output/$name-host.log" && grep -q "desync none" "$output/$name-guest.log" ||
    fail "$name: a desync was reported"
  local side said
  for side in host guest; do
    said=$(grep -o -E '(direct|relayed)[^,]*, round trip' "$output/$name-$side.log" | head -n 1)
    [[ "$said" =~ $path ]] || fail "$name: the $side's path was '$said', not /$path/"
  done
  echo "$name: room $code, $said, the same state on both peers after frame 299"
}

start_lobby
play direct e1 w1 '^direct, round trip$' 11
play local e1 e2 '^direct on the local network, round trip$' 12
play one_symmetric w1 n1 '^(direct|relayed by the lobby), round trip$' 13
play both_symmetric n1 s1 '^relayed by the lobby, round trip$' 14
add_loss north 10
play lossy_relay n1 s1 '^relayed by the lobby, round trip$' 15
add_loss north 0

# The lobby goes away while a host waits in its room: the host says so and ends.
host_room stopped e1 --seed 16
stop_lobby
status=0
timeout 30 tail --pid "$host_pid" -f /dev/null || true
wait "$host_pid" || status=$?
[ "$status" -ne 0 ] || fail "the host waiting on a stopped lobby ended with 0"
grep -q -E "the lobby at $lobby_address (stopped answering|closed the connection)" \
  "$output/stopped-host.log" || fail "the host waiting on a stopped lobby did not say so"
echo "lobby stopped: the waiting host said \"$(grep -o -E \
  'the lobby at [^ ]+ (stopped answering|closed the connection)' "$output/stopped-host.log" |
  head -n 1)\" and ended with $status"
start_lobby
play restarted e1 w1 '^direct, round trip$' 17
stop_lobby
echo "lobby internet test passed: direct, local, relayed (and lossy) matches by code, a stopped" \
  "and restarted lobby"

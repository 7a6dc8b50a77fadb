#!/usr/bin/env bash
# Online matches between two headless peers on 127.0.0.1 through the test relay (each packet held
# back 40 to 150 ms, 5 % lost, some twice, so reordered too). Every match must end on both peers
# with exit code 0, the same final state document, no desync, and both replays verifying to the
# same final state. Odd matches play to their result at 8 times the pace; even ones stop at
# frame 700 at 4 times; every third loses a quarter of its packets once the first 20 each way
# (the handshake) are through, so that both peers often wait on each other at once (each must
# keep sending while it waits).
#
#   online-match-test.sh HEADLESS RELAY OUTPUT_DIR [MATCHES]    (20 by default; CI runs 3)
set -euo pipefail
headless=$1 relay=$2 output=$3 matches=${4:-20}
mkdir -p "$output"
pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done; }
trap cleanup EXIT
fail() {
  echo "online match test: $*" >&2
  for log in "$output"/*.log; do sed "s|^|  $(basename "$log"): |" "$log" >&2; done
  exit 1
}
# wait_for_line FILE PATTERN: up to 10 s for a line of FILE to match.
wait_for_line() {
  local i
  for ((i = 0; i < 200; i++)); do
    grep -q "$2" "$1" 2> /dev/null && return 0
    sleep 0.05
  done
  return 1
}

for ((match = 1; match <= matches; match++)); do
  rm -f "$output"/*
  if ((match % 2 == 1)); then pace=(--speed 8); else pace=(--speed 4 --frames 700); fi
  loss=(); if ((match % 3 == 0)); then loss=(--drop 0.25 --spare 20); pace=(--speed 4 --frames 500); fi
  "$headless" --host 0 --seed "$match" --random-keys "$((match * 2))" "${pace[@]}" \
    --state-out "$output/host.json" --record "$output/host.replay" 2> "$output/host.log" &
  host=$!
  pids=("$host")
  wait_for_line "$output/host.log" "waiting for an opponent on port" || fail "the host did not listen"
  port=$(grep -o 'port [0-9]*' "$output/host.log" | cut -d ' ' -f 2)
  "$relay" "$port" --seed "$match" --seconds 150 "${loss[@]}" > "$output/relay.out" 2> "$output/relay.log" &
  pids+=($!)
  wait_for_line "$output/relay.out" "relay port" || fail "the relay did not start"
  relay_port=$(cut -d ' ' -f 3 "$output/relay.out")
  guest_status=0
  timeout 150 "$headless" --join "127.0.0.1:$relay_port" --random-keys "$((match * 2 + 1))" \
    "${pace[@]}" --state-out "$output/guest.json" --record "$output/guest.replay" \
    2> "$output/guest.log" || guest_status=$?
  host_status=0
  wait "$host" || host_status=$?
  [ "$host_status" -eq 0 ] && [ "$guest_status" -eq 0 ] ||
    fail "match $match: exit codes host $host_status, guest $guest_status"
  cmp -s "$output/host.json" "$output/guest.json" ||
    fail "match $match: the peers' final states differ"
  grep -q "desync none" "$output/host.log" && grep -q "desync none" "$output/guest.log" ||
    fail "match $match: a desync was reported"
  for side in host guest; do
    "$headless" --replay "$output/$side.replay" --verify --state-out "$output/$side-replayed.json" \
      2>> "$output/$side.log" || fail "match $match: the $side's replay does not verify"
  done
  cmp -s "$output/host-replayed.json" "$output/guest-replayed.json" ||
    fail "match $match: the two replays end in different states"
  kill "${pids[1]}" 2> /dev/null || true
  end=$(grep -o 'after frame [0-9]*' "$output/host.log")
  rollbacks=$(grep -o 'rollbacks [0-9]* (deepest [0-9]*, mean [0-9.]*)' "$output/host.log")
  echo "match $match: the same state on both peers $end, $rollbacks, replays verify alike"
done
echo "online match test passed: $matches matches through a lossy, late, reordering relay"

#!/usr/bin/env bash
# A peer killed in the middle of an online match: the other must end cleanly by itself, saying
# its opponent went silent, with exit code 5, within a few seconds of the 5-second silence. And a
# host still waiting for its guest ends at SIGTERM, as any program does, rather than waiting on.
#
#   online-kill-test.sh HEADLESS OUTPUT_DIR
set -euo pipefail
headless=$1 output=$2
mkdir -p "$output"
rm -f "$output"/*
fail() {
  echo "online kill test: $*" >&2
  sed 's/^/  host: /' "$output/host.log" >&2
  exit 1
}
# wait_listening LOG: until a host's log names its port, 10 s at most.
wait_listening() {
  for ((i = 0; i < 200; i++)); do grep -qs 'port [0-9]' "$1" && break; sleep 0.05; done
}
"$headless" --host 0 --seed 3 --random-keys 5 2> "$output/host.log" &
host=$!
wait_listening "$output/host.log"
port=$(grep -o 'port [0-9]*' "$output/host.log" | cut -d ' ' -f 2)
[ -n "$port" ] || fail "the host did not listen"
"$headless" --join "127.0.0.1:$port" --random-keys 6 2> "$output/guest.log" &
guest=$!
# Two seconds of play, then the guest dies without a word.
sleep 2
kill -KILL "$guest"
killed=$SECONDS
status=0
# Waited for at most 30 s, so that a host that hangs fails the test rather than stalls it.
for ((i = 0; i < 300; i++)); do kill -0 "$host" 2> /dev/null || break; sleep 0.1; done
kill -0 "$host" 2> /dev/null && { kill "$host"; fail "the host did not end within 30 s"; }
wait "$host" || status=$?
took=$((SECONDS - killed))
[ "$status" -eq 5 ] || fail "the host ended with exit code $status, not 5"
grep -q "the opponent went silent for 5 seconds" "$output/host.log" ||
  fail "the host does not say its opponent went silent"
[ "$took" -le 7 ] || fail "the host took $took s to end"

"$headless" --host 0 2> "$output/waiting.log" &
waiting=$!
wait_listening "$output/waiting.log"
kill -TERM "$waiting"
status=0
wait "$waiting" || status=$?
# 143 is death by SIGTERM; a host that let the signal pass waits its 10 s out and ends with 5.
[ "$status" -eq 143 ] || fail "a waiting host ended with exit code $status at SIGTERM, not 143"
echo "online kill test passed: the host ended by itself ${took} s after its guest was killed," \
  "with exit code 5; a waiting host ended at SIGTERM"

#!/usr/bin/env bash
# A desync on purpose: the host's score is nudged after every run of frame 100, first or again
# (ASTORINE_TEST_DESYNC_AT; once, a rollback could take it back), as a machine whose game went
# another way. Both peers must find it at the first state hash after
# it (frame 119), end with exit code 6 naming that frame, and write their state and the match's
# replay for a bug report; the guest's replay verifies and the host's does not, which tells the
# machine that went astray.
#
#   online-desync-test.sh HEADLESS DATA_DIR OUTPUT_DIR
set -euo pipefail
headless=$1 data=$2 output=$3
mkdir -p "$output"
rm -f "$output"/*
cd "$output"
fail() {
  echo "online desync test: $*" >&2
  for log in host.log guest.log; do sed "s/^/  $log: /" "$log" >&2 || true; done
  exit 1
}
ASTORINE_TEST_DESYNC_AT=100 "$headless" --data "$data" --host 0 --seed 5 --random-keys 1 \
  --speed 4 2> host.log &
host=$!
for ((i = 0; i < 200; i++)); do grep -qs 'port [0-9]' host.log && break; sleep 0.05; done
port=$(grep -o 'port [0-9]*' host.log | cut -d ' ' -f 2)
[ -n "$port" ] || fail "the host did not listen"
guest_status=0
timeout 60 "$headless" --data "$data" --join "127.0.0.1:$port" --random-keys 2 --speed 4 \
  2> guest.log || guest_status=$?
host_status=0
wait "$host" || host_status=$?
[ "$host_status" -eq 6 ] && [ "$guest_status" -eq 6 ] ||
  fail "exit codes host $host_status, guest $guest_status, not 6"
for side in host guest; do
  grep -q "out of step at frame 119" "$side.log" || fail "the $side does not name frame 119"
  [ -s "astorine-desync-$side.json" ] && [ -s "astorine-desync-$side.replay" ] ||
    fail "the $side wrote no state and replay for a bug report"
done
"$headless" --data "$data" --replay astorine-desync-guest.replay --verify 2>> guest.log ||
  fail "the guest's replay does not verify"
status=0
"$headless" --data "$data" --replay astorine-desync-host.replay --verify 2>> host.log || status=$?
[ "$status" -eq 4 ] || fail "the host's replay, of a game that went astray, verified ($status)"
echo "online desync test passed: both peers found the desync at frame 119, wrote their state and" \
  "replay; the guest's replay verifies, the host's fails at the frame it went astray"

#!/usr/bin/env bash
# The golden replays: games recorded by an earlier build, which this build must play with --verify
# to the same final state, every hash on the way agreeing, or else refuse naming the logic
# version. A damaged-file refusal, another exit code or a different final state fails. Replays of
# an older logic version fail too, with the way to record them again: that belongs in the commit
# that raised the version (docs/replays.md, "Golden replays").
#
#   golden-test.sh HEADLESS DATA_DIR OUTPUT_DIR
set -euo pipefail
headless=$1 data=$2 output=$3
golden=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$output"
rm -f "$output"/*

played=0 stale=0 failed=0
for replay in "$golden"/*.replay; do
  name=$(basename "$replay" .replay)
  status=0
  "$headless" --data "$data" --replay "$replay" --verify --state-out "$output/$name.json" \
    2> "$output/$name.stderr" || status=$?
  if [ "$status" -eq 0 ] && cmp -s "$output/$name.json" "$golden/$name.json"; then
    played=$((played + 1))
  elif [ "$status" -eq 2 ] && grep -q "recorded under the game's logic version" \
    "$output/$name.stderr"; then
    stale=$((stale + 1))
  elif [ "$status" -eq 0 ]; then
    echo "FAILED $name: verified, but its final state differs from $name.json" \
      "(diff $golden/$name.json $output/$name.json)"
    failed=$((failed + 1))
  else
    echo "FAILED $name: exit code $status: $(head -n 1 "$output/$name.stderr")"
    failed=$((failed + 1))
  fi
done
echo "golden replays: $played played to their final states, $stale refused as of another" \
  "logic version, $failed failed"
if [ "$stale" -gt 0 ]; then
  echo "the logic version changed: record the golden replays again in the same commit" \
    "(scripts/record-golden.sh) and say why in docs/replays.md"
fi
[ "$played" -gt 0 ] && [ "$stale" -eq 0 ] && [ "$failed" -eq 0 ]

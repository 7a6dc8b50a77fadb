#!/usr/bin/env bash
# Runs one scenario through the headless runner and compares its results with the expected ones.
#
#   run-scenario.sh [--bless] HEADLESS JSON_SUBSET SCENARIO OUTPUT_DIR DATA_DIR
#
# A scenario is a set of files sharing the path SCENARIO (tests/scenarios/title/latch, say):
#   SCENARIO.args                 runner options, as on a command line ("--seed 3 --frames 120");
#                                 several lines allowed, '#' starts a comment
#   SCENARIO.keys                 optional key script (--keys)
#   SCENARIO.state-in.json        optional state to start from (--state-in)
#   SCENARIO.expected-events      the events log the run must write, line for line
#   SCENARIO.expected-state.json  members the final state must hold; members it leaves out are
#                                 not compared, and an array may list only its first elements
# At least one of the two expected files must exist.
#
# With --bless the run's results become the expected ones: the events log is copied, and the
# expected state keeps its members but takes the run's values (so a skeleton such as
# {"title": {"PlayMode": null}} is filled in). A scenario with neither file gets an events log.
set -euo pipefail

bless=false
if [ "${1:-}" = --bless ]; then
  bless=true
  shift
fi
headless=$1 subset=$2 scenario=$3 output=$4 data=$5
name=$(basename "$scenario")
mkdir -p "$output"

args=()
while IFS= read -r line || [ -n "$line" ]; do
  read -ra words <<< "${line%%#*}"
  args+=("${words[@]}")
done < "$scenario.args"
[ -f "$scenario.keys" ] && args+=(--keys "$scenario.keys")
[ -f "$scenario.state-in.json" ] && args+=(--state-in "$scenario.state-in.json")

"$headless" --data "$data" "${args[@]}" --state-out "$output/state.json" --events "$output/events"

events_expected=$scenario.expected-events
state_expected=$scenario.expected-state.json
if $bless; then
  if [ -f "$events_expected" ] || [ ! -f "$state_expected" ]; then
    cp "$output/events" "$events_expected"
  fi
  if [ -f "$state_expected" ]; then
    "$subset" --project "$state_expected" "$output/state.json" > "$output/projected.json"
    cp "$output/projected.json" "$state_expected"
  fi
  echo "blessed $name"
  exit 0
fi

status=0
if [ ! -f "$events_expected" ] && [ ! -f "$state_expected" ]; then
  echo "$name: no expected results (run scripts/bless-scenarios.sh)"
  status=1
fi
if [ -f "$events_expected" ] && ! diff -u "$events_expected" "$output/events"; then
  echo "$name: the events differ from $events_expected (- expected, + this run)"
  status=1
fi
if [ -f "$state_expected" ] && ! "$subset" "$state_expected" "$output/state.json"; then
  echo "$name: the final state differs from $state_expected (whole state: $output/state.json)"
  status=1
fi
exit $status

#!/usr/bin/env bash
# The soak: unattended random play in every mode under the state rules (--check), in the build
# with AddressSanitizer and UndefinedBehaviorSanitizer. Each run records its replay, which is then
# played back under --verify. Any broken rule, sanitizer report, abnormal end or replay that does
# not play back to the same states is a failure.
#
#   scripts/soak.sh [--short] [--runner HEADLESS --data DATA] [--jobs N] [--seed BASE]
#
# The long form runs 2 000 000 frames: ten ways of playing (solo, two players and against the
# computer, each as a normal, hard and test start, and "any", which draws the mode for every
# game) with two seeds each, 100 000 frames a run. --short runs one seed each, 4 000 frames a
# run (40 000 frames; the test command runs it). Without --runner the script installs what is
# missing and builds the sanitizer build first (build-sanitize, or the folder BUILD_SANITIZE
# names), then uses its runner and Data. --seed shifts every game and key seed, for a fresh soak.
set -euo pipefail
cd "$(dirname "$0")/.."

short=false runner="" data="" jobs=$(nproc) base=0
while [ $# -gt 0 ]; do
  case $1 in
    --short) short=true ;;
    --runner) runner=${2:?--runner needs a program}; shift ;;
    --data) data=${2:?--data needs a folder}; shift ;;
    --jobs) jobs=${2:?--jobs needs a number}; shift ;;
    --seed) base=${2:?--seed needs a number}; shift ;;
    *) echo "usage: scripts/soak.sh [--short] [--runner HEADLESS --data DATA] [--jobs N] [--seed BASE]" >&2
       exit 2 ;;
  esac
  shift
done

if [ -z "$runner" ]; then
  build=${BUILD_SANITIZE:-build-sanitize}
  scripts/setup.sh
  scripts/build.sh --preset sanitize "$build"
  runner=$build/tools/headless/astorine-headless
  data=${data:-$build/Data}
fi
data=${data:-Data}

modes=(solo solo-hard solo-test two two-hard two-test computer computer-hard computer-test any)
if $short; then seeds_per_mode=1 frames=4000; else seeds_per_mode=2 frames=100000; fi

export SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
work=$(mktemp -d "${TMPDIR:-/tmp}/astorine-soak.XXXXXX")

# One run: its result line goes to $work/N.result, its stderr, events and last state beside it.
run_one() {
  local n=$1 mode=$2 seed=$3 keys=$4
  local start=$SECONDS status=0
  # A frame that never ends is a hang: the limit leaves room for a slow, shared machine.
  timeout $((frames / 50 + 120)) \
    "$runner" --data "$data" --seed "$seed" --random-keys "$keys" --random-mode "$mode" \
    --frames "$frames" --check --events "$work/$n.events" --state-out "$work/$n.state.json" \
    --record "$work/$n.replay" 2> "$work/$n.stderr" || status=$?
  local replayed=0
  if [ $status -eq 0 ]; then
    timeout $((frames / 50 + 120)) \
      "$runner" --data "$data" --replay "$work/$n.replay" --verify 2>> "$work/$n.stderr" ||
      replayed=$?
  fi
  # Games begun: play entered from the title or the start screen.
  local games
  games=$(awk '$2 == "scene" && ($3 == "SceneTitle" || $3 == "SceneStart") &&
               ($4 == "SceneSolo" || $4 == "SceneVersus") { n++ } END { print n + 0 }' \
            "$work/$n.events" 2> /dev/null || echo "?")
  # Frames run, from the frame count of the last state (a failed run stops early).
  local ran
  ran=$(grep -o '"FrameCount": *[0-9]*' "$work/$n.state.json" 2> /dev/null | grep -o '[0-9]*$' ||
        echo 0)
  local verdict=ok
  if [ $status -eq 124 ]; then
    verdict="FAILED (no end after $((frames / 50 + 120)) s)"
  elif [ $status -ne 0 ]; then
    verdict="FAILED (exit $status)"
  elif grep -qE 'runtime error|Sanitizer|SUMMARY:' "$work/$n.stderr"; then
    verdict="FAILED (sanitizer report)"
  elif [ $replayed -ne 0 ]; then
    verdict="FAILED (its replay under --verify: exit $replayed)"
  fi
  printf '%-14s %6s %6s %8s %6s %6ss  %s\n' "$mode" "$seed" "$keys" "$ran" "$games" \
    $((SECONDS - start)) "$verdict" > "$work/$n.result"
  rm -f "$work/$n.events"
  if [ "$verdict" = ok ]; then
    rm -f "$work/$n.replay"
  fi
}

runs=0
for mode in "${modes[@]}"; do
  for ((s = 1; s <= seeds_per_mode; s++)); do
    runs=$((runs + 1))
  done
done
echo "soak: $runs runs of $frames frames ($((runs * frames)) in all), $jobs at a time"
echo "runner: $runner (data: $data)"

start=$SECONDS
n=0
for mode in "${modes[@]}"; do
  for ((s = 1; s <= seeds_per_mode; s++)); do
    n=$((n + 1))
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
      wait -n || true
    done
    run_one $n "$mode" $((base + 100 + n)) $((base + 200 + n)) &
  done
done
wait

printf '%-14s %6s %6s %8s %6s %7s  %s\n' mode seed keys frames games time result
failures=0 total=0
for ((i = 1; i <= n; i++)); do
  if [ -f "$work/$i.result" ]; then
    cat "$work/$i.result"
    total=$((total + $(awk '{ print $4 }' "$work/$i.result")))
  else
    echo "run $i: FAILED (no result)"
  fi
  if ! grep -qs ' ok$' "$work/$i.result"; then
    failures=$((failures + 1))
    sed -n '1,40p' "$work/$i.stderr" | sed 's/^/    /'
    echo "    last state: $work/$i.state.json"
  fi
done
echo "soak: $total frames run ($((frames * seeds_per_mode)) asked per mode) in" \
  "$((SECONDS - start)) s: $failures failures"
if [ $failures -ne 0 ]; then
  exit 1
fi
rm -rf "$work"

#!/usr/bin/env bash
# Runs every benchmark and prints its figures: the benchmark programs of tools/bench, headless
# frames per second on the title, and, in a virtual X server, the windowed game's start-up time,
# its CPU time per wall second and its peak memory. Takes about a minute; figures vary with the
# machine's load, so run it on a quiet machine.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${BUILD:-build}
scripts/build.sh "$build" > /dev/null
export SDL_AUDIODRIVER=dummy
cd "$build"
work=$PWD/bench-output
mkdir -p "$work"

echo "== benchmark programs"
for bench in tools/bench/astorine-*-bench; do
  [ "$(basename "$bench")" = astorine-startup-bench ] && continue
  "$bench" 2> /dev/null
done

echo "== headless runner, the title from start-up"
tools/headless/astorine-headless --bench --frames 4000 2> /dev/null
/usr/bin/time -f "peak resident memory %M KiB (headless, 400 frames)" \
  tools/headless/astorine-headless --frames 400 2>&1 > /dev/null | grep peak

echo "== windowed game under Xvfb"
. "$root/tests/window/xvfb-session.sh"
trap session_cleanup EXIT
start_xvfb "$work"
for run in 1 2 3; do
  tools/bench/astorine-startup-bench "$(date +%s%N)" 2> /dev/null | sed "s/^/run $run: /"
done
start_game "$PWD/astorine" "$PWD" "$work/game.log"
answer_question Escape > /dev/null
sleep 2
cpu_ticks() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }
ticks_before=$(cpu_ticks)
seconds=10
sleep $seconds
ticks_after=$(cpu_ticks)
awk -v ticks=$((ticks_after - ticks_before)) -v hz="$(getconf CLK_TCK)" -v s=$seconds \
  'BEGIN {printf "windowed title: CPU %.3f s per wall s (all threads, %d s)\n", ticks / hz / s, s}'
awk '/VmHWM/ {print "windowed title: peak resident memory " $2 " KiB"}' "/proc/$game_pid/status"
xdotool key F12
wait "$game_pid" || true
game_pid=""

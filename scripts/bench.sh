#!/usr/bin/env bash
# Runs every benchmark RUNS times (default 3) and prints each run, then one table of medians: the
# blit frame, headless frames per second (title, solo, versus; with and without drawing), the
# windowed game in a virtual X server (CPU at 40 fps, frame intervals, start-up, peak memory) with
# three frame waits in the same run (the game's absolute-deadline sleep, the earlier relative
# sleep, a pure busy wait), and the game beside a bare SDL window at 1x and 2x window size.
# Takes about seven minutes. The load average is printed with every section: on a shared machine
# compare figures only with their load beside them. docs/performance.md explains every figure.
#   scripts/bench.sh            BUILD=folder (default build)   RUNS=n (default 3)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${BUILD:-build}
runs=${RUNS:-3}
scripts/build.sh "$build" > /dev/null
export SDL_AUDIODRIVER=dummy
cd "$build"
work=$PWD/bench-output
mkdir -p "$work"
headless=tools/headless/astorine-headless

load() { cut -d' ' -f1-3 /proc/loadavg; }
section() { echo; echo "== $1 (load average $(load))"; }
# The number after the words $1 in each line read.
grab() { grep -o "$1 [0-9.]*" | awk '{print $NF}'; }
# The median of the numbers read, one a line, then all of them in brackets.
median() {
  sort -g | awk '{v[NR] = $1; all = all (NR > 1 ? " " : "") $1}
    END {if (NR == 0) {print "-"; exit}
         m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; print m " (" all ")"}'
}
declare -A figure
# note NAME FILE WORDS: the median over the runs of the number after WORDS in FILE.
note() { figure[$1]=$(grab "$3" < "$2" | median); }
# The frames-per-second figures of lines starting with $1 (the first per line).
rates() { grep "^$1" | grep -o '[0-9]* frames/s' | awk '{print $1}'; }
# cpu_rate FRAMES COMMAND...: runs the command, then prints FRAMES over the CPU time of its whole
# process: a floor for frames per CPU second that the machine's load barely moves.
cpu_rate() {
  local frames=$1
  shift
  /usr/bin/time -f "%U %S" -o "$work/cpu.txt" "$@"
  awk -v f="$frames" '{printf "whole process: %.0f frames per CPU second\n", f / ($1 + $2)}' \
    "$work/cpu.txt"
}
# CPU ticks (user + system) of a process so far.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

echo "Astorine benchmarks, $runs runs each, $(nproc) cores, $(date -u '+%Y-%m-%d %H:%M UTC')"

section "blit frame: 148 blits of a typical play frame on synthetic pictures"
for run in $(seq "$runs"); do tools/bench/astorine-blit-bench 4000; done | tee "$work/blit.txt"
note blit "$work/blit.txt" "blit frame:"

section "replay recorder: 24000 frames of changing keys, a state hash every 200 frames"
for run in $(seq "$runs"); do tools/bench/astorine-replay-bench; done | tee "$work/replay.txt"
note replay "$work/replay.txt" "mean"

waits="absolute-sleep relative-sleep busy"
section "frame wait: 400 headless frames of the title at 25 ms, three waits in one process"
for run in $(seq "$runs"); do tools/bench/astorine-frame-wait-bench | grep ':.*interval'; done |
  tee "$work/wait.txt"
for wait in $waits; do
  grep "^$wait:" "$work/wait.txt" > "$work/wait-$wait.txt"
  note "hw-mean-$wait" "$work/wait-$wait.txt" "interval mean"
  note "hw-p99-$wait" "$work/wait-$wait.txt" "p99"
  note "hw-cpu-$wait" "$work/wait-$wait.txt" "wait"
done

# The same at real-time priority (root only), where no other process delays the wake-up: what
# the wait itself achieves, apart from the machine's load.
if chrt -f 10 true 2> /dev/null; then
  section "frame wait again at real-time priority (chrt -f 10)"
  for run in $(seq "$runs"); do chrt -f 10 tools/bench/astorine-frame-wait-bench | grep ':.*interval'; done |
    tee "$work/wait-rt.txt"
  for wait in $waits; do
    grep "^$wait:" "$work/wait-rt.txt" > "$work/wait-rt-$wait.txt"
    note "rt-mean-$wait" "$work/wait-rt-$wait.txt" "interval mean"
    note "rt-p99-$wait" "$work/wait-rt-$wait.txt" "p99"
    note "rt-cpu-$wait" "$work/wait-rt-$wait.txt" "wait"
  done
fi

section "solo frames: a crowded well, 30 explosions, black hole and sun (wall and CPU time)"
for run in $(seq "$runs"); do tools/bench/astorine-solo-bench "" 4000; done | tee "$work/solo.txt"
figure[solo-play]=$(grep '^solo play' "$work/solo.txt" | awk '{print $10}' | median)
figure[solo-chain]=$(grep '^solo chain' "$work/solo.txt" | awk '{print $11}' | median)

section "versus frames: matches against the computer, 20000 frames"
for run in $(seq "$runs"); do cpu_rate 20000 tools/bench/astorine-versus-bench 20000; done |
  tee "$work/versus.txt"
note versus-cpu "$work/versus.txt" "process:"
figure[versus-draw]=$(rates "with drawing" < "$work/versus.txt" | median)
figure[versus-nodraw]=$(rates "without drawing" < "$work/versus.txt" | median)

section "headless runner --bench: the same frames with drawing, then without"
# Solo from its first frame (Return on the title's first live frame) and versus from the match's
# first frame (computer mode), player 1 stepping and turning by a fixed pattern that keeps the
# solo game alive for 8000 frames and the match for 5000.
echo "61 Return" > "$work/solo-menu.keys"
printf '61 Right\n63 Right\n65 Return\n' > "$work/versus-menu.keys"
awk 'BEGIN {
  for (f = 0; f < 8000; f += 60) {
    r = (f / 60 * 4) % 7
    if (r < 3) printf "%d-%d Left\n", f, f + 4 * r; else if (r < 6) printf "%d-%d Right\n", f, f + 4 * (r - 3)
    if ((f / 60) % 3 == 1) printf "%d K\n", f + 30
  }}' > "$work/play.keys"
"$headless" --seed 15 --frames 263 --keys "$work/solo-menu.keys" --state-out "$work/solo-start.json"
"$headless" --seed 3 --frames 217 --keys "$work/versus-menu.keys" \
  --state-out "$work/versus-start.json"
declare -A workload=(
  [title]="--frames 4000"
  [solo]="--seed 15 --frames 8000 --state-in $work/solo-start.json --keys $work/play.keys"
  [versus]="--seed 3 --frames 5000 --state-in $work/versus-start.json --keys $work/play.keys")
for scene in title solo versus; do
  echo "$scene: astorine-headless --bench ${workload[$scene]}"
  frames=$(echo "${workload[$scene]}" | grep -o -- '--frames [0-9]*' | awk '{print $2}')
  for run in $(seq "$runs"); do
    # shellcheck disable=SC2086
    cpu_rate "$frames" "$headless" --bench ${workload[$scene]} | grep 'frames/s\|CPU second'
  done | tee "$work/headless-$scene.txt"
  note "headless-$scene-cpu" "$work/headless-$scene.txt" "process:"
  figure[headless-$scene-draw]=$(rates "with drawing" < "$work/headless-$scene.txt" | median)
  figure[headless-$scene-nodraw]=$(rates "without drawing" < "$work/headless-$scene.txt" | median)
done
# shellcheck disable=SC2086
/usr/bin/time -f "%M" -o "$work/headless-memory.txt" "$headless" ${workload[solo]} > /dev/null
figure[headless-memory]="$(cat "$work/headless-memory.txt") (solo, 8000 frames)"

section "windowed game in Xvfb: the game's shell and event loop, 400 frames of the title"
. "$root/tests/window/xvfb-session.sh"
trap session_cleanup EXIT
start_xvfb "$work"
rm -f "$work"/window-*.txt
for run in $(seq "$runs"); do
  for wait in $waits; do
    xvfb_before=$(ticks "$xvfb_pid") began=$(date +%s%N)
    tools/bench/astorine-window-bench 400 "$(date +%s%N)" "$wait" > "$work/window-run.txt"
    awk -v t=$(($(ticks "$xvfb_pid") - xvfb_before)) -v hz="$(getconf CLK_TCK)" \
      -v ns=$(($(date +%s%N) - began)) 'BEGIN {printf "xvfb cpu per wall s %.4f\n", t / hz / (ns * 1e-9)}' \
      >> "$work/window-run.txt"
    sed "s/^/run $run, $wait: /" "$work/window-run.txt" | tee -a "$work/window-$wait.txt"
  done
done
for wait in $waits; do
  note "w-startup-$wait" "$work/window-$wait.txt" "main to first present"
  note "w-launch-$wait" "$work/window-$wait.txt" "launch to first present"
  note "w-startcpu-$wait" "$work/window-$wait.txt" "CPU time to first present"
  note "w-mean-$wait" "$work/window-$wait.txt" "interval: mean"
  note "w-p99-$wait" "$work/window-$wait.txt" "p99"
  note "w-max-$wait" "$work/window-$wait.txt" "max"
  note "w-wait-$wait" "$work/window-$wait.txt" "wait"
  note "w-thread-$wait" "$work/window-$wait.txt" "game thread"
  note "w-process-$wait" "$work/window-$wait.txt" "process"
  note "w-xvfb-$wait" "$work/window-$wait.txt" "xvfb cpu per wall s"
  note "w-memory-$wait" "$work/window-$wait.txt" "peak resident memory:"
done

if chrt -f 10 true 2> /dev/null; then
  section "windowed game again at real-time priority (chrt -f 10), one run of each wait"
  for wait in $waits; do
    chrt -f 10 tools/bench/astorine-window-bench 400 0 "$wait" |
      grep 'interval\|cpu' | sed "s/^/$wait: /" | tee "$work/window-rt-$wait.txt"
    note "wrt-mean-$wait" "$work/window-rt-$wait.txt" "interval: mean"
    note "wrt-p99-$wait" "$work/window-rt-$wait.txt" "p99"
    note "wrt-wait-$wait" "$work/window-rt-$wait.txt" "wait"
  done
fi

section "the astorine program itself in Xvfb: the question answered with Escape, 10 s of the title"
for wait in absolute-sleep busy; do
  busy=0
  [ $wait = busy ] && busy=1
  ASTORINE_BUSY_WAIT=$busy start_game "$PWD/astorine" "$PWD" "$work/game.log"
  answer_question Escape > /dev/null
  sleep 2
  before=$(ticks "$game_pid")
  sleep 10
  cpu=$(awk -v t=$(($(ticks "$game_pid") - before)) -v hz="$(getconf CLK_TCK)" \
    'BEGIN {printf "%.4f", t / hz / 10}')
  memory=$(awk '/VmHWM/ {print $2}' "/proc/$game_pid/status")
  xdotool key F12
  wait "$game_pid" || true
  game_pid=""
  echo "$wait: cpu per wall s $cpu, peak resident memory $memory KiB"
  figure[g-cpu-$wait]=$cpu figure[g-memory-$wait]=$memory
done

section "the game beside a bare SDL window in Xvfb (1600 x 1200): 400 frames at 1x and 2x"
# One after the other, RUNS times, for the same 400 frames (10 s) after a second of warm-up: the
# game's own shell and loop on the title (astorine-window-bench) and a fixed picture presented the
# same way (astorine-bare-window-bench). 2x: each program makes its window 1280 x 960.
session_cleanup
start_sized_xvfb() {
  rm -f "$1/display"
  Xvfb -displayfd 3 -screen 0 "$2" -nolisten tcp 3> "$1/display" 2> /dev/null &
  xvfb_pid=$!
  display_known() { [ -s "$1/display" ]; }
  wait_for 30 display_known "$1" || return 1
  DISPLAY=":$(cat "$1/display")"
  export DISPLAY
}
start_sized_xvfb "$work" 1600x1200x24
# side_run NAME SCALE COMMAND...: the command's report, and the X server's CPU per wall second
# while it ran, on lines starting with NAME and the scale.
side_run() {
  local name=$1 scale=$2 xvfb_before began
  shift 2
  xvfb_before=$(ticks "$xvfb_pid") began=$(date +%s%N)
  "$@" > "$work/side-run.txt"
  awk -v t=$(($(ticks "$xvfb_pid") - xvfb_before)) -v hz="$(getconf CLK_TCK)" \
    -v ns=$(($(date +%s%N) - began)) 'BEGIN {printf "xvfb cpu per wall s %.4f\n", t / hz / (ns * 1e-9)}' \
    >> "$work/side-run.txt"
  grep 'interval\|cpu\|memory' "$work/side-run.txt" | sed "s/^/$name ${scale}x: /" |
    tee -a "$work/side-$name-$scale.txt"
}
rm -f "$work"/side-*.txt
for run in $(seq "$runs"); do
  for scale in 1 2; do
    side_run bare "$scale" tools/bench/astorine-bare-window-bench 400 "$scale"
    side_run game "$scale" tools/bench/astorine-window-bench 400 0 absolute-sleep "$scale"
  done
done
# Under load a program whose frames fall behind 25 ms spends less CPU per wall second: the same
# at real-time priority, where both keep to 40 frames per second, compares their cost per frame.
if chrt -f 10 true 2> /dev/null; then
  for scale in 1 2; do
    side_run bare-rt "$scale" chrt -f 10 tools/bench/astorine-bare-window-bench 400 "$scale"
    side_run game-rt "$scale" chrt -f 10 tools/bench/astorine-window-bench 400 0 absolute-sleep \
      "$scale"
  done
fi
for program in bare game bare-rt game-rt; do
  for scale in 1 2; do
    note "side-cpu-$program-$scale" "$work/side-$program-$scale.txt" "process"
    note "side-mean-$program-$scale" "$work/side-$program-$scale.txt" "interval: mean"
    note "side-xvfb-$program-$scale" "$work/side-$program-$scale.txt" "xvfb cpu per wall s"
    note "side-memory-$program-$scale" "$work/side-$program-$scale.txt" "peak resident memory:"
  done
done

section "figures (medians of $runs runs; every run in brackets)"
# met VALUE OP LIMIT: yes or no.
met() { awk -v v="${1%% *}" -v l="$3" "BEGIN {print (v $2 l) ? \"yes\" : \"no\"}"; }
row() { printf '%-44s | %-30s | %-30s | %-30s | %s\n' "$@"; }
# waits_row LABEL KEY [OP LIMIT GOAL]: one figure for the three waits, and whether the game's own
# wait meets the goal.
waits_row() {
  local goal="-"
  [ $# -gt 2 ] && goal="$5: $(met "${figure[$2-absolute-sleep]}" "$3" "$4")"
  row "$1" "${figure[$2-absolute-sleep]:--}" "${figure[$2-relative-sleep]:--}" \
    "${figure[$2-busy]:--}" "$goal"
}
nowait="- (unpaced)"
row "figure" "absolute-sleep wait (the game's)" "relative-sleep wait (earlier)" "busy wait" \
  "goal: met?"
row "blit frame, ms" "${figure[blit]}" "$nowait" "$nowait" "< 0.5: $(met "${figure[blit]}" '<' 0.5)"
row "replay recorder, ns per frame" "${figure[replay]}" "$nowait" "$nowait" \
  "< 1000: $(met "${figure[replay]}" '<' 1000)"
row "solo play frame, frames/s of CPU time" "${figure[solo-play]}" "$nowait" "$nowait" \
  ">= 2000: $(met "${figure[solo-play]}" '>=' 2000)"
row "solo chain frame, frames/s of CPU time" "${figure[solo-chain]}" "$nowait" "$nowait" \
  ">= 2000: $(met "${figure[solo-chain]}" '>=' 2000)"
row "versus bench with drawing, frames/s" "${figure[versus-draw]}" "$nowait" "$nowait" \
  ">= 2000: $(met "${figure[versus-draw]}" '>=' 2000)"
row "versus bench, frames per CPU s (floor)" "${figure[versus-cpu]}" "$nowait" "$nowait" \
  ">= 2000: $(met "${figure[versus-cpu]}" '>=' 2000)"
row "versus bench without drawing, frames/s" "${figure[versus-nodraw]}" "$nowait" "$nowait" "-"
for scene in title solo versus; do
  row "headless $scene with drawing, frames/s" "${figure[headless-$scene-draw]}" "$nowait" "$nowait" "-"
  row "headless $scene, frames per CPU s (floor)" "${figure[headless-$scene-cpu]}" "$nowait" \
    "$nowait" "-"
  row "headless $scene without drawing, frames/s" "${figure[headless-$scene-nodraw]}" "$nowait" \
    "$nowait" "-"
done
row "headless peak memory, KiB" "${figure[headless-memory]}" "$nowait" "$nowait" "-"
waits_row "headless wait: CPU per wall s" hw-cpu '<=' 0.005 "<= 0.005"
waits_row "headless wait: interval mean, ms" hw-mean '<' 25.05 "25.0"
waits_row "headless wait: interval p99, ms" hw-p99 '<=' 25.5 "<= 25.5"
if [ -n "${figure[rt-mean-absolute-sleep]:-}" ]; then
  waits_row "headless wait, real-time: CPU per wall s" rt-cpu '<=' 0.005 "<= 0.005"
  waits_row "headless wait, real-time: interval mean, ms" rt-mean '<' 25.05 "25.0"
  waits_row "headless wait, real-time: interval p99, ms" rt-p99 '<=' 25.5 "<= 25.5"
fi
waits_row "window: wait CPU per wall s" w-wait '<=' 0.005 "<= 0.005"
waits_row "window: game thread CPU per wall s" w-thread
waits_row "window: process CPU per wall s" w-process
waits_row "window: Xvfb server CPU per wall s" w-xvfb
waits_row "window: interval mean, ms" w-mean '<' 25.05 "25.0"
waits_row "window: interval p99, ms" w-p99 '<=' 25.5 "<= 25.5"
waits_row "window: interval max, ms" w-max
if [ -n "${figure[wrt-mean-absolute-sleep]:-}" ]; then
  waits_row "window, real-time: wait CPU per wall s" wrt-wait '<=' 0.005 "<= 0.005"
  waits_row "window, real-time: interval mean, ms" wrt-mean '<' 25.05 "25.0"
  waits_row "window, real-time: interval p99, ms" wrt-p99 '<=' 25.5 "<= 25.5"
fi
waits_row "window: main to first present, ms" w-startup '<' 300 "< 300"
waits_row "window: launch to first present, ms" w-launch '<' 300 "< 300"
waits_row "window: CPU time to first present, ms" w-startcpu
waits_row "window: peak resident memory, KiB" w-memory
waits_row "astorine: process CPU per wall s" g-cpu
waits_row "astorine: peak resident memory, KiB" g-memory
echo
# The game's CPU over the bare window's, from the medians.
ratio() { awk -v g="${1%% *}" -v b="${2%% *}" 'BEGIN {printf "%.2f", g / b}'; }
printf '%-44s | %-30s | %-30s | %s\n' "game beside a bare window" "1x (640 x 480)" "2x (1280 x 960)" \
  "goal: met?"
for priority in "" -rt; do
  [ -n "${figure[side-cpu-game$priority-1]:-}" ] || continue
  for program in bare game; do
    printf '%-44s | %-30s | %-30s | %s\n' "$program$priority: CPU per wall s" \
      "${figure[side-cpu-$program$priority-1]}" "${figure[side-cpu-$program$priority-2]}" "-"
  done
  r1=$(ratio "${figure[side-cpu-game$priority-1]}" "${figure[side-cpu-bare$priority-1]}")
  r2=$(ratio "${figure[side-cpu-game$priority-2]}" "${figure[side-cpu-bare$priority-2]}")
  printf '%-44s | %-30s | %-30s | %s\n' "game over bare$priority, CPU" "$r1" "$r2" \
    "<= 1.2: $(met "$r1" '<=' 1.2) at 1x, $(met "$r2" '<=' 1.2) at 2x"
done
for program in bare game bare-rt game-rt; do
  [ -n "${figure[side-cpu-$program-1]:-}" ] || continue
  printf '%-44s | %-30s | %-30s | %s\n' "$program: interval mean, ms" \
    "${figure[side-mean-$program-1]}" "${figure[side-mean-$program-2]}" "-"
  printf '%-44s | %-30s | %-30s | %s\n' "$program: Xvfb server CPU per wall s" \
    "${figure[side-xvfb-$program-1]}" "${figure[side-xvfb-$program-2]}" "-"
  printf '%-44s | %-30s | %-30s | %s\n' "$program: peak resident memory, KiB" \
    "${figure[side-memory-$program-1]}" "${figure[side-memory-$program-2]}" "-"
done
echo "load average at the end: $(load)"

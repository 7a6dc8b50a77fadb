#!/usr/bin/env bash
# Builds the libFuzzer targets (clang-14, ASan + UBSan) and runs each for a set time:
#   scripts/fuzz.sh [seconds-per-target] [target...]     targets: wave bitmap state controls
#                                                        settings replay packet (default all)
# New inputs go to build-fuzz/corpus/<target> (the seeds of tests/fuzz/corpus stay as they are);
# a crash is saved in build-fuzz/crashes/<target>/ and makes the script end with 1. Copy a crash
# into tests/fuzz/regressions/<target>/ to replay it in every ctest run. FUZZ_BUILD names another
# build folder; FUZZ_JOBS > 1 runs that many targets at once.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(wave bitmap state controls settings replay packet)
build=${FUZZ_BUILD:-build-fuzz}
jobs=${FUZZ_JOBS:-1}

scripts/setup.sh fuzz
# No preset: tests/fuzz is a project of its own, and cmake reads presets only from the source
# folder it configures.
CC=clang-14 CXX=clang++-14 cmake -S tests/fuzz -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  > /dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]/#/fuzz-}"

export SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}

run_target() {
  local target=$1 seeds=tests/fuzz/corpus/$1 corpus=$build/corpus/$1 crashes=$build/crashes/$1/
  mkdir -p "$corpus" "$crashes"
  # No input may take 10 s, nor ask for more than 256 MB at once (no picture can need that).
  local options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=256
    -print_final_stats=1 -dict="tests/fuzz/$target.dict" -artifact_prefix="$crashes")
  # The picture loader names every refused file on stderr, so that is closed; libFuzzer keeps its
  # own reports, and a broken promise shows as a deadly signal (replay the input for its line).
  [ "$target" != bitmap ] || options+=(-close_fd_mask=2)
  local folders=("$corpus" "$seeds")
  [ ! -d "tests/fuzz/regressions/$target" ] || folders+=("tests/fuzz/regressions/$target")
  "$build/fuzz-$target" "${options[@]}" "${folders[@]}" > "$build/$target.log" 2>&1
}

mkdir -p "$build"
declare -A status
running=0
for target in "${targets[@]}"; do
  echo "fuzzing $target for ${seconds} s (log: $build/$target.log)"
  run_target "$target" & status[$target]=$!
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then
    wait -n || true
    running=$((running - 1))
  fi
done

failed=0
for target in "${targets[@]}"; do
  code=0
  wait "${status[$target]}" || code=$?
  log=$build/$target.log
  runs=$(awk '/stat::number_of_executed_units:/ {n = $2} END {print n}' "$log")
  added=$(awk '/stat::new_units_added:/ {n = $2} END {print n}' "$log")
  coverage=$(grep -E '^#[0-9]+.*(DONE|INITED)' "$log" | tail -1 |
    grep -o 'cov: [0-9]* ft: [0-9]*' || true)
  files=$(find "$build/corpus/$target" -type f | wc -l)
  echo "$target: ${runs:-?} executions, ${added:-?} new inputs, $coverage, work corpus $files files"
  if [ "$code" -ne 0 ]; then
    failed=1
    echo "$target: FAILED (exit $code); the report:"
    grep -E 'ERROR: |SUMMARY: |runtime error|broken promise|Test unit written' "$log" | head -20 || true
  fi
done
if [ "$failed" -ne 0 ]; then
  echo "fuzzing found faults: keep each input under tests/fuzz/regressions/<target>/ and fix it"
  exit 1
fi
echo "fuzzing done: no crash in ${#targets[@]} targets"

#!/usr/bin/env bash
# The headless game against bad data files: no Data/ folder at all, every file empty at once, and
# each file the runner reads missing, truncated, garbled, oversized, random, noisy or tiny in turn.
# Every case runs the same course (tests/baddata/course.keys: title, a solo game, a match against
# the computer, the title, Exit) and must end with exit code 0, the events log and final state of
# the run with good data (pictures and sounds never steer the game), and on stderr one line naming
# each file the game could not use, once, and nothing else.
#
#   bad-data.sh [--sample N] HEADLESS DATA_DIR OUTPUT_DIR [KIND...]
# KIND: nodata empty missing truncated header huge random noise tiny (all by default).
# --sample N damages each file in one of every N of the per-file kinds, a different kind for the
# next file, so that every file and every kind is still tried (the test command's share; the
# whole matrix is scripts/bad-data.sh).
# The window icon is read by the windowed game only: window-bad-data.sh covers it.
set -euo pipefail
sample=1
if [ "${1:-}" = --sample ]; then
  sample=${2:?--sample needs a number}
  shift 2
fi
headless=$(readlink -f "$1") data=$(cd "$2" && pwd) output=$3
shift 3
here=$(cd "$(dirname "$0")" && pwd)
kinds=("$@")
[ ${#kinds[@]} -gt 0 ] || kinds=(nodata empty missing truncated header huge random noise tiny)
. "$here/data-files.sh"

seed=5
course=$here/course.keys
run_options=(--seed "$seed" --frames 2000 --keys "$course")
# Two runs per core: a run spends part of its time waiting rather than computing.
jobs=$(($(nproc) * 2))

mkdir -p "$output"
output=$(cd "$output" && pwd)
rm -rf "${output:?}/cases" "$output/results"
mkdir -p "$output/cases" "$output/results"

# The reference: the course with good data, which must run it all, quietly.
reference=$output/reference
rm -rf "$reference" && mkdir -p "$reference"
timeout 120 "$headless" --data "$data" "${run_options[@]}" --events "$reference/events" \
  --state-out "$reference/state.json" 2> "$reference/stderr"
if [ -s "$reference/stderr" ]; then
  echo "bad data: the run with good data wrote to stderr:" >&2
  cat "$reference/stderr" >&2
  exit 1
fi
for step in "SceneStart SceneSolo" "SceneGameOver SceneTitle" "SceneTitle SceneVersus" \
  "SceneVersus SceneTitle" "SceneTitle SceneQuit"; do
  if ! grep -q "scene $step\$" "$reference/events"; then
    echo "bad data: the course no longer reaches '$step' (tests/baddata/course.keys)" >&2
    exit 1
  fi
done

# check_run CASE_DIR NAMED...: the verdict on a finished run, whose files are in CASE_DIR.
check_run() {
  local dir=$1
  shift
  local status
  status=$(cat "$dir/status")
  [ "$status" -ne 124 ] || { echo "hung (stopped after 120 s)"; return; }
  [ "$status" -eq 0 ] || { echo "exit code $status"; return; }
  cmp -s "$dir/events" "$reference/events" || { echo "events differ from the good run"; return; }
  cmp -s "$dir/state.json" "$reference/state.json" ||
    { echo "final state differs from the good run"; return; }
  local file count
  for file in "${DataFiles[@]}"; do
    count=$(grep -c -- "/$file " "$dir/stderr" || true)
    # Not grep -q: quitting at the first match can kill printf with SIGPIPE, failing the pipe.
    if printf '%s\n' "$@" | grep -x -- "$file" > /dev/null; then
      [ "$count" -eq 1 ] || { echo "$file named $count times, not once"; return; }
    else
      [ "$count" -eq 0 ] || { echo "$file (usable) named $count times"; return; }
    fi
  done
  local named=$#
  local lines
  lines=$(wc -l < "$dir/stderr")
  [ "$lines" -eq "$named" ] || { echo "stderr has $lines lines, $named expected"; return; }
  echo ok
}

# run_case NAME DATA_ARG NAMED...: the course with --data DATA_ARG (none when empty), the verdict
# in results/NAME. DATA_ARG's folder is the case's own and goes when the case passes.
run_case() {
  local name=$1 data_arg=$2
  shift 2
  local dir=$output/cases/$name
  mkdir -p "$dir"
  local options=("${run_options[@]}" --events "$dir/events" --state-out "$dir/state.json")
  [ -z "$data_arg" ] || options+=(--data "$data_arg")
  local status=0
  (cd "$dir" && exec timeout 120 "$dir/runner" "${options[@]}") 2> "$dir/stderr" || status=$?
  echo "$status" > "$dir/status"
  local verdict
  verdict=$(check_run "$dir" "$@")
  echo "$verdict" > "$output/results/$name"
  [ "$verdict" != ok ] || rm -rf "$dir"
}

# A case's folder, with a link to the runner.
prepare_case() {
  local dir=$output/cases/$1
  mkdir -p "$dir"
  ln -s "$headless" "$dir/runner"
}

running=0
# Runs the case in the background, at most $jobs at once.
start_case() {
  if [ "$running" -ge "$jobs" ]; then
    wait -n || true
    running=$((running - 1))
  fi
  run_case "$@" &
  running=$((running + 1))
}

describe() {
  case $1 in
    nodata) echo "no Data/ folder anywhere (the runner copied into an empty folder)" ;;
    empty) echo "all ${#read_files[@]} files present but empty, at once" ;;
    missing) echo "each file missing in turn" ;;
    truncated) echo "each file cut to half its length in turn" ;;
    header) echo "each file's format fields garbled in turn (bits per pixel and compression;" \
      "format tag and channels)" ;;
    huge) echo "each file's sizes far past its end in turn (40000 x 40000 pixels; 4 GiB chunks)" ;;
    random) echo "each file replaced by random bytes of its length in turn" ;;
    noise) echo "each file's pixels or samples random in turn (loads: nothing named)" ;;
    tiny) echo "each file a valid one-pixel picture or one-frame sound in turn" \
      "(loads: nothing named)" ;;
  esac
}

frames=$(awk '$2 == "quit" {print $1}' "$reference/events")
echo "bad data: a course of $frames frames (seed $seed) per case, each against the good run's" \
  "events and final state"
[ "$sample" -eq 1 ] ||
  echo "bad data: each file in one of every $sample of the ways below (--sample $sample)"
read_files=("${PictureFiles[@]}" "${SoundFiles[@]}")
# in_sample KIND_INDEX FILE_INDEX: whether the pair is among the cases --sample keeps.
in_sample() { [ $((($1 + $2) % sample)) -eq 0 ]; }
# The per-file kinds are numbered across the groups the test command splits them into.
declare -A kind_number=([missing]=0 [truncated]=1 [header]=2 [huge]=3 [random]=4 [noise]=5 [tiny]=6)
# The cases each kind ran; one for nodata and empty.
declare -A expected_cases
for kind in "${kinds[@]}"; do
  case $kind in
    nodata)
      dir=$output/cases/nodata
      mkdir -p "$dir"
      cp "$headless" "$dir/runner"
      start_case nodata "" "${read_files[@]}"
      ;;
    empty)
      prepare_case empty
      mkdir -p "$output/cases/empty/Data"
      for file in "${read_files[@]}"; do : > "$output/cases/empty/Data/$file"; done
      start_case empty "$output/cases/empty/Data" "${read_files[@]}"
      ;;
    missing | truncated | header | huge | random | noise | tiny)
      k=${kind_number[$kind]}
      count=0
      for f in "${!read_files[@]}"; do
        in_sample "$k" "$f" || continue
        count=$((count + 1))
        file=${read_files[f]}
        name=$kind-$file
        prepare_case "$name"
        case_data=$output/cases/$name/Data
        cp -al "$data" "$case_data" # hard links: only the damaged file is new
        rm "$case_data/$file"
        if [ "$kind" != missing ]; then
          perl "$here/corrupt.pl" "$kind" "$data/$file" "$case_data/$file"
        fi
        named=("$file")
        [ "$kind" != noise ] && [ "$kind" != tiny ] || named=()
        start_case "$name" "$case_data" "${named[@]}"
      done
      expected_cases[$kind]=$count
      ;;
    *)
      echo "bad data: unknown kind $kind" >&2
      exit 2
      ;;
  esac
done
wait

passed=0 failed=0
for kind in "${kinds[@]}"; do
  total=0 good=0
  for result in "$output/results/$kind" "$output/results/$kind"-*; do
    [ -f "$result" ] || continue
    total=$((total + 1))
    verdict=$(cat "$result")
    if [ "$verdict" = ok ]; then
      good=$((good + 1))
    else
      echo "  FAILED $(basename "$result"): $verdict (files in $output/cases/$(basename "$result"))"
    fi
  done
  expected=${expected_cases[$kind]:-1}
  if [ "$total" -ne "$expected" ]; then
    echo "  FAILED $kind: $((expected - total)) of its cases gave no verdict"
    total=$expected
  fi
  printf '  %-9s %3d cases, %3d passed: %s\n' "$kind" "$total" "$good" "$(describe "$kind")"
  passed=$((passed + good))
  failed=$((failed + total - good))
done
echo "bad data: $passed passed, $failed failed"
[ "$failed" -eq 0 ]

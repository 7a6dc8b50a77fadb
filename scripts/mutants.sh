#!/usr/bin/env bash
# Mutation testing: plants each small fault kept in tests/mutants/*.patch, one at a time, in a
# scratch copy of the working tree and runs the fast tests against it. A fault the tests do not
# notice points at behaviour nothing checks.
#
#   scripts/mutants.sh [--dir FOLDER] [NAME...]
#   scripts/mutants.sh --check [--jobs N] [BUILD_DIR]
#
# NAME is a mutant's file name, with or without .patch or its folder; none means every mutant.
# The scratch copy and its build live in FOLDER (or MUTANTS_DIR; default
# ${TMPDIR:-/tmp}/astorine-mutants) and are kept between runs, so the next run rebuilds only what
# changed; delete the folder freely. The fast tests are every ctest test but the window, bad-data,
# soak and fuzz ones. Prints one line per mutant: "killed  NAME  by TESTS", "SURVIVED  NAME",
# "stale  NAME" (the patch no longer applies), "no-build  NAME" (the mutant does not compile) or
# "untested  NAME" (the test run was stopped from outside), then the kill rate. Exits 0 only when
# every mutant was killed, 1 otherwise, and 2 when the unchanged copy does not build or its tests
# do not run. Tests the unchanged copy fails are named and left out.
#
# --check only proves that every mutant still applies and compiles (scripts/mutants-check.sh),
# so that a change to the code cannot leave a stale one behind; the test command runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = --check ]; then
  shift
  exec scripts/mutants-check.sh "$@"
fi

scratch=${MUTANTS_DIR:-${TMPDIR:-/tmp}/astorine-mutants}
names=()
while [ $# -gt 0 ]; do
  case $1 in
    --dir) scratch=${2:?--dir needs a folder}; shift ;;
    -*) echo "usage: scripts/mutants.sh [--dir FOLDER] [NAME...] | --check [--jobs N] [BUILD_DIR]" >&2
        exit 2 ;;
    *) names+=("$1") ;;
  esac
  shift
done

mutants=()
if [ ${#names[@]} -eq 0 ]; then
  mapfile -t mutants < <(find tests/mutants -name '*.patch' | sort)
else
  for name in "${names[@]}"; do
    name=$(basename "$name" .patch)
    if [ ! -f "tests/mutants/$name.patch" ]; then
      echo "no mutant tests/mutants/$name.patch" >&2
      exit 2
    fi
    mutants+=("tests/mutants/$name.patch")
  done
fi
if [ ${#mutants[@]} -eq 0 ]; then
  echo "no mutants in tests/mutants" >&2
  exit 2
fi

mkdir -p "$scratch"
scratch=$(cd "$scratch" && pwd)
copy=$scratch/tree
build=$scratch/build
logs=$scratch/logs
mkdir -p "$copy" "$logs"

# The copy: tracked and untracked files that git does not ignore, so no build folder. A file is
# copied only when its bytes differ, and then gets a fresh time stamp: a copy left mutated by an
# interrupted run is mended, and make sees the change, which the original's older time stamp
# would hide from it.
git ls-files -co --exclude-standard -z > "$scratch/files"
while IFS= read -r -d '' file; do
  [ -f "$file" ] || continue
  if ! cmp -s "$file" "$copy/$file"; then
    mkdir -p "$copy/$(dirname "$file")"
    cp "$file" "$copy/$file"
  fi
done < "$scratch/files"
# Files deleted from the working tree since the last run leave the copy too.
comm -z -23 <(cd "$copy" && find . -type f -printf '%P\0' | sort -z) \
            <(sort -z "$scratch/files") |
  while IFS= read -r -d '' gone; do
    rm -f "$copy/$gone"
  done

export SDL_AUDIODRIVER=dummy
# The copy is no git repository: patches go in as plain diffs even when FOLDER lies inside one.
export GIT_CEILING_DIRECTORIES=$scratch

# Runs ctest in the build with the given options and the output going to the given log; false
# when it did not run to its summary (stopped from outside, or no test found).
ctest_run() {
  local log=$1
  shift
  (cd "$build" && nice -n 10 ctest "$@" --timeout 300 --output-on-failure < /dev/null \
     > "$log" 2>&1) || true
  grep -q 'tests passed' "$log"
}

# The fast tests. The names of those that fail go to $failed, one a line; false when ctest did
# not run to its end. A hang is a kill as much as a failure: tests without a limit of their own
# get ctest_run's. Tests the unchanged copy already fails are left out (their names, as an
# expression, in $broken), so only what a mutant breaks counts. The game is deterministic, so a
# fault fails its tests every time: what failed is run again, one test at a time, and only what
# fails again counts. The others failed by chance (two tests sharing a file, a slow machine);
# their names are gathered in $flaky for the summary.
broken=""
failed=$scratch/failed
flaky=$scratch/flaky
: > "$flaky"
fast_tests() {
  local log=$1 leave_out=() last=$build/Testing/Temporary/LastTestsFailed.log
  [ -z "$broken" ] || leave_out=(-E "$broken")
  : > "$failed"
  rm -f "$last"
  ctest_run "$log" -LE 'window|baddata|soak|fuzz' "${leave_out[@]}" -j2 || return 1
  [ -f "$last" ] || return 0
  # One "number:name" line per failed test; --rerun-failed reads the same file.
  local first
  first=$(cut -d: -f2- "$last")
  ctest_run "$log.again" --rerun-failed -j1 || return 1
  sed -n '/The following tests FAILED:/,$ s/^[[:space:]]*[0-9]* - \(.*\) ([^)]*)$/\1/p' \
    "$log.again" > "$failed"
  grep -vxF -f <(cat "$failed"; echo) <<< "$first" >> "$flaky" || true
}

# Most mutants fail a unit test. The unit tests run first, in one process (seconds, against a
# minute and more for every fast test), and what fails there is run again alone as ctest runs it:
# a failure that holds is a kill, and the slow tests need not run. Anything else (all pass, or
# what failed passes alone) goes on to every fast test. Left to them when tests are left out.
unit_tests_kill() {
  local log=$1 candidates
  : > "$failed"
  [ -z "$broken" ] && [ -x "$build/tests/astorine-tests" ] || return 1
  if (cd "$build" && SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy timeout 300 nice -n 10 \
        tests/astorine-tests < /dev/null > "$log" 2>&1); then
    return 1
  fi
  candidates=$(sed -n 's/^\[  FAILED  \] \([A-Za-z0-9_]*\.[A-Za-z0-9_]*\).*/\1/p' "$log" | sort -u)
  [ -n "$candidates" ] || return 1
  ctest_run "$log.alone" -R "^($(paste -sd '|' <<< "$candidates"))\$" -j1 || return 1
  sed -n '/The following tests FAILED:/,$ s/^[[:space:]]*[0-9]* - \(.*\) ([^)]*)$/\1/p' \
    "$log.alone" > "$failed"
  [ -s "$failed" ]
}

build_copy() {
  nice -n 10 cmake --build "$build" -j2 > "$1" 2>&1
}

start=$SECONDS
echo "mutants: ${#mutants[@]}, scratch copy in $scratch"
# The dev preset, warnings allowed: a mutant that only adds a warning is still tested. No test
# runs a benchmark: leaving them out spares nine links a mutant.
(cd "$copy" && nice -n 10 cmake --preset dev -B "$build" -DASTORINE_WERROR=OFF \
   -DASTORINE_BENCHMARKS=OFF) \
  > "$logs/configure.log"
if ! build_copy "$logs/unchanged.build.log"; then
  echo "the unchanged copy does not build: $logs/unchanged.build.log" >&2
  exit 2
fi
if ! fast_tests "$logs/unchanged.test.log"; then
  echo "the fast tests of the unchanged copy did not run: $logs/unchanged.test.log" >&2
  exit 2
fi
if [ -s "$failed" ]; then
  # Someone's test in the making, most likely: the rest still tells a kill from a survivor.
  echo "warning: the unchanged copy fails these tests; they are left out of every mutant's run:"
  sed 's/^/  /' "$failed"
  broken="^($(sed 's/[][\.*^$+?(){}|/]/\\&/g' "$failed" | paste -sd '|'))\$"
  if ! fast_tests "$logs/unchanged.test.log" || [ -s "$failed" ]; then
    echo "the unchanged copy still fails without them: $logs/unchanged.test.log" >&2
    exit 2
  fi
fi
echo "unchanged copy: built and passed the fast tests in $((SECONDS - start)) s"

# The files a mutant changes, saved before it goes in and written back byte for byte after
# (with a fresh time stamp, so the next build compiles them again).
saved=$scratch/saved
touched=()
restore() {
  local file
  for file in "${touched[@]}"; do
    if [ -f "$saved/$file" ]; then
      cat "$saved/$file" > "$copy/$file"
    else
      rm -f "$copy/$file"
    fi
  done
  touched=()
  rm -rf "$saved"
}
trap restore EXIT

killed=0 survived=0 stale=0 unbuilt=0 untested=0
# "killed  NAME  by TESTS" from the names in $failed.
report_kill() {
  local failures list
  mapfile -t failures < "$failed"
  list=$(printf '%s, ' "${failures[@]:0:5}")
  list=${list%, }
  if [ ${#failures[@]} -gt 5 ]; then
    list="$list and $((${#failures[@]} - 5)) more"
  fi
  echo "killed  $name  by $list"
  killed=$((killed + 1))
}
for patch in "${mutants[@]}"; do
  name=$(basename "$patch" .patch)
  patch=$PWD/$patch
  if ! (cd "$copy" && git apply --check "$patch") 2> "$logs/$name.apply.log"; then
    echo "stale  $name"
    stale=$((stale + 1))
    continue
  fi
  mapfile -t touched < <(cd "$copy" && git apply --numstat "$patch" | cut -f3-)
  for file in "${touched[@]}"; do
    if [ -f "$copy/$file" ]; then
      mkdir -p "$saved/$(dirname "$file")"
      cp "$copy/$file" "$saved/$file"
    fi
  done
  (cd "$copy" && git apply "$patch")
  if ! build_copy "$logs/$name.build.log"; then
    echo "no-build  $name"
    unbuilt=$((unbuilt + 1))
  elif unit_tests_kill "$logs/$name.unit.log"; then
    report_kill
  elif ! fast_tests "$logs/$name.test.log" && ! fast_tests "$logs/$name.test.log"; then
    echo "untested  $name"
    untested=$((untested + 1))
  elif [ ! -s "$failed" ]; then
    echo "SURVIVED  $name"
    survived=$((survived + 1))
  else
    report_kill
  fi
  restore
done
# Leave the build matching the copy, so the next run starts from an unchanged build.
build_copy "$logs/unchanged.build.log" || true

total=${#mutants[@]}
echo "killed $killed of $total mutants ($((100 * killed / total)) %)"
echo "$survived survived, $stale stale, $unbuilt did not build, $untested untested;" \
  "$((SECONDS - start)) s in all"
if [ -s "$flaky" ]; then
  echo "failed once, then passed alone (not counted): $(sort -u "$flaky" | paste -sd ' ')"
fi
echo "logs: $logs"
if [ $killed -ne "$total" ]; then
  exit 1
fi

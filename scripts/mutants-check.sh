#!/usr/bin/env bash
# Every mutant of tests/mutants still applies to the tree and still compiles: each patch goes into
# a scratch copy of the tracked files, and each C++ file it touches is compiled there with
# -fsyntax-only and the flags the build folder's compile commands give (scripts/compile-database.sh;
# a header as a unit of its own, with the flags of the library's files), warnings allowed as in
# scripts/mutants.sh. No test runs: scripts/mutants.sh does that. Prints a line per mutant that
# fails, and a summary.
#
#   scripts/mutants-check.sh [--jobs N] [BUILD_DIR]
# BUILD_DIR: a configured build folder (default build); N copies work side by side (default: one
# per core).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)
if [ "${1:-}" = --jobs ]; then
  jobs=${2:?--jobs needs a number}
  shift 2
fi
build=$(cd "${1:-build}" && pwd)
[ -f "$build/CMakeCache.txt" ] || { echo "mutants-check: configure $build first" >&2; exit 2; }
commands=$(scripts/compile-database.sh "$build")
mapfile -t mutants < <(find tests/mutants -name '*.patch' | sort)
[ ${#mutants[@]} -gt 0 ] || { echo "mutants-check: no mutants in tests/mutants" >&2; exit 2; }

scratch=$(mktemp -d "${TMPDIR:-/tmp}/astorine-mutants-check.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
# The copies are no git repositories: patches go in as plain diffs.
export GIT_CEILING_DIRECTORIES=$scratch

# compile_command FILE COPY: the build's command for FILE (relative to the root), made to check
# COPY's file instead of writing an object; a header takes the command of src/services/random.cpp.
compile_command() {
  local file=$1 copy=$2 unit=$1 command
  [[ $file == *.cpp ]] || unit=src/services/random.cpp
  command=$(awk -v file="\"file\": \"$root/$unit\"" \
    '/"command":/ {command = $0} index($0, file) {print command; exit}' "$commands")
  [ -n "$command" ] || return 1
  command=$(sed 's/^ *"command": "//; s/",\?$//; s/\\"/"/g; s/ -o [^ ]* -c [^ ]*$//' <<< "$command")
  command=${command//"$build"/@BUILD@}
  command=${command//"$root/"/"$copy/"}
  command=${command//@BUILD@/"$build"}
  command=${command//-Werror/}
  if [[ $file == *.cpp ]]; then
    echo "$command -fsyntax-only $copy/$file"
  else
    echo "$command -fsyntax-only -x c++ $copy/$file"
  fi
}

# check_share N: every Nth mutant from the Nth, in a copy of its own.
check_share() {
  local share=$1 step=$2 copy=$scratch/copy-$1 i patch name file command
  mkdir -p "$copy"
  git ls-files -z | xargs -0 cp --parents -t "$copy"
  for ((i = share; i < ${#mutants[@]}; i += step)); do
    patch=$root/${mutants[i]}
    name=$(basename "$patch" .patch)
    if ! (cd "$copy" && git apply "$patch") 2> "$scratch/$name.log"; then
      echo "stale  $name: $(head -n 1 "$scratch/$name.log")"
      continue
    fi
    while IFS= read -r file; do
      [[ $file == *.cpp || $file == *.h ]] || continue
      if ! command=$(compile_command "$file" "$copy"); then
        echo "no-build  $name: $file is not in $commands"
      elif ! (cd "$build" && eval "$command") > "$scratch/$name.log" 2>&1; then
        echo "no-build  $name: $file: $(grep -m 1 'error' "$scratch/$name.log")"
      fi
    done < <(cd "$copy" && git apply --numstat "$patch" | cut -f3-)
    (cd "$copy" && git apply -R "$patch")
  done
}

for ((share = 0; share < jobs; share++)); do
  check_share "$share" "$jobs" > "$scratch/result-$share" &
done
wait
cat "$scratch"/result-* > "$scratch/results"
failed=$(cut -d: -f1 "$scratch/results" | sort -u | wc -l)
cat "$scratch/results"
echo "mutants-check: ${#mutants[@]} mutants, $((${#mutants[@]} - failed)) apply and compile," \
  "$failed do not"
[ "$failed" -eq 0 ]

#!/usr/bin/env bash
# Runs clang-tidy (.clang-tidy: every warning an error) on the .cpp files of src/ and tools/ and
# fails on any warning. All of them take six and a half minutes of CPU, so by default only those
# a change touches are checked: the files changed since the merge base with origin/main (working
# tree and untracked files included), or since HEAD~1 when that base is HEAD itself, as in CI's
# fresh clone of main; a touched header brings its own .cpp. TIDY_BASE=REV names another base.
#
#   scripts/tidy.sh [--all] [BUILD_DIR]    BUILD_DIR: a configured build folder (default build;
#                                          configured by the release preset if it is not)
set -euo pipefail
cd "$(dirname "$0")/.."
all=false
if [ "${1:-}" = --all ]; then
  all=true
  shift
fi
build=${1:-build}
tidy=${CLANG_TIDY:-clang-tidy-14}
# A folder configured before the presets wrote no compile_commands.json: configure it again.
if [ -f "$build/CMakeCache.txt" ]; then
  [ -f "$build/compile_commands.json" ] ||
    cmake -S . -B "$build" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON > /dev/null
else
  cmake --preset release -B "$build" > /dev/null
fi

database=$(scripts/compile-database.sh "$build")
# The project's own .cpp files that the build compiles, relative to the root.
mapfile -t compiled < <(sed -n 's|^ *"file": "\(.*\)",\?$|\1|p' "$database" |
  sed "s|^$PWD/||; s|^$(pwd -P)/||" | grep -E '^(src|tools)/.*\.cpp$' | sort -u)

files=()
if $all; then
  files=("${compiled[@]}")
else
  base=${TIDY_BASE:-}
  if [ -z "$base" ] && git rev-parse -q --verify origin/main > /dev/null; then
    base=$(git merge-base HEAD origin/main)
    [ "$base" != "$(git rev-parse HEAD)" ] || base=""
  fi
  if [ -z "$base" ] && git rev-parse -q --verify HEAD~1 > /dev/null; then
    base=HEAD~1
  fi
  if [ -z "$base" ]; then
    echo "tidy: no commit to compare with; checking every file"
    files=("${compiled[@]}")
  else
    # Changed or added since the base; a file moved without a change (R100) is left out.
    mapfile -t touched < <({
      git diff --name-status -M "$base" -- src tools | awk '$1 != "R100" && $1 != "D" {print $NF}'
      git ls-files --others --exclude-standard -- src tools
    } | sed 's/\.h$/.cpp/' | sort -u)
    mapfile -t files < <(comm -12 <(printf '%s\n' "${touched[@]}") \
      <(printf '%s\n' "${compiled[@]}"))
    echo "tidy: ${#files[@]} of ${#compiled[@]} files touched since" \
      "$(git rev-parse --short "$base")"
  fi
fi
[ ${#files[@]} -gt 0 ] || exit 0

# One clang-tidy per file, as many at once as there are cores; a file's report is printed whole
# when it has one.
database_folder=$(dirname "$database")
export tidy database_folder
printf '%s\0' "${files[@]}" | xargs -0 -n 1 -P "$(nproc)" bash -c '
  if ! report=$("$tidy" -p "$database_folder" --quiet "$0" 2>&1); then
    grep -v "warnings\? generated\.$" <<< "$report"
    exit 1
  fi' || {
  echo "tidy: clang-tidy found problems (scripts/tidy.sh --all checks every file)" >&2
  exit 1
}
echo "tidy: ${#files[@]} files clean"

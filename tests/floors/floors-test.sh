#!/usr/bin/env bash
# The floors and seam checks catch what they are for: in a scratch copy of the tree, an include
# from a floor above, a folder with no floor and an SDL header in the game each fail the checks,
# naming the file; the untouched copy passes them.
#   floors-test.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -r "$source_dir/cmake" "$source_dir/src" "$source_dir/tools" "$scratch/"

floors() { cmake -DSOURCE_DIR="$scratch" -P "$scratch/cmake/CheckFloors.cmake" 2>&1; }
seam() { cmake -DSOURCE_DIR="$scratch" -P "$scratch/cmake/CheckSeam.cmake" 2>&1; }
fail() { echo "floors-test: $*" >&2; exit 1; }

# The check must fail, and its report must name the planted file.
expect_refusal() {
  local check=$1 planted=$2 output
  if output=$($check); then
    fail "$check passed with $planted planted"
  fi
  grep -qF "$planted" <<<"$output" || fail "$check did not name $planted: $output"
}

floors > /dev/null || fail "the untouched tree breaks the floors: $(floors)"
seam > /dev/null || fail "the untouched tree breaks the seam: $(seam)"

# One planted include at a time, each on a file of the floor below the room it reaches into.
plant() {
  local file=$1 line=$2
  cp "$scratch/$file" "$scratch/$file.orig"
  printf '%s\n' "$line" >> "$scratch/$file"
  expect_refusal floors "$file"
  mv "$scratch/$file.orig" "$scratch/$file"
}
first() { (cd "$scratch" && ls "$1"/*.cpp | head -n 1); }
plant "$(first src/solo)" '#include "program/shell.h"'
plant "$(first src/scenes)" '#include "net/online_session.h"'
plant "$(first src/state)" '#include "platform/atomic_file.h"'
plant "$(first src/services)" '#include "scenes/game_state.h"'
plant "$(first src/platform)" '#include "program/command_line.h"'
floors > /dev/null || fail "a planted include was not taken out again"

mkdir "$scratch/src/attic"
printf '#include "services/random.h"\n' > "$scratch/src/attic/stray.cpp"
expect_refusal floors src/attic/stray.cpp
rm -r "$scratch/src/attic"

versus_file=$(first src/versus)
printf '#include <SDL.h>\n' >> "$scratch/$versus_file"
expect_refusal seam "$versus_file"
echo "floors-test: every planted fault was refused"

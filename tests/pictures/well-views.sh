#!/usr/bin/env bash
# Every cell of a full well must be seen in each of the four views, both in play (the side panel
# drawn after the well) and in a chain (the well drawn last): the centre of each cell's square
# shows a planet, and together they show exactly the well's planets.
#
#   well-views.sh HEADLESS DATA_DIR OUTPUT_DIR
set -euo pipefail
headless=$1 data=$2 output=$3
mkdir -p "$output"
rm -f "$output"/*.png

fail() {
  echo "well views: $*" >&2
  exit 1
}

# Row r (1..11), column c (1..6) holds ((2r + c) mod 6) + 1: no three equal planets in a line, so
# no chain empties the well while it is looked at.
rows='"#......#"'
for r in $(seq 1 11); do
  line="#"
  for c in $(seq 1 6); do line+=$(((2 * r + c) % 6 + 1)); done
  rows+=", \"$line#\""
done
rows+=', "########"'

# The codes of the solo well's 66 cells after the frame (the new pair takes one), counted by code.
well_counts() {
  awk '/"Board": \[/ {on = 1; row = -1; next} on {row++; if (row >= 1 && row <= 11) print} row == 12 {exit}' "$1" |
    tr -d ' ",#' | fold -w 1 | sort | uniq -c | tr -s ' ' | tr '\n' ' '
}

# The centre colour of each planet picture, code 1 first.
planet_colours=()
for code in $(seq 1 6); do
  planet_colours+=("$(convert "$data/planet.bmp" -crop "1x1+$(((code - 1) * 32 + 16))+16" \
    -format '%[pixel:p{0,0}]' info:)")
done

# The screen squares of the well's 66 cells: 6 across and 11 down upright, turned sideways 11
# across and 6 down; from the left and top edges of the well's interior.
interior() {
  case $1 in
    b | t) echo 128 64 6 11 ;;
    l | r) echo 32 160 11 6 ;;
  esac
}

for scene in SceneSolo SceneSoloChain; do
  for view in b l t r; do
    picture=$output/$scene-$view.png
    printf '{"CurrentScene": "%s", "viewDirection": "%s", "side1": {"Board": [%s]}}\n' \
      "$scene" "$view" "$rows" > "$output/$scene-$view.json"
    "$headless" --data "$data" --state-in "$output/$scene-$view.json" --frames 1 \
      --png "0:$picture" --state-out "$output/$scene-$view.out.json" 2> "$output/$scene-$view.log" ||
      fail "the runner failed on $scene, view $view"
    read -r left top across down < <(interior "$view")
    # One query for all centres: %[pixel:p{x,y}] for each, separated by ';'.
    format="" points=()
    for ((i = 0; i < across; i++)); do
      for ((j = 0; j < down; j++)); do
        points+=("$((left + 32 * i + 16)),$((top + 32 * j + 16))")
        format+="%[pixel:p{${points[-1]}}];"
      done
    done
    IFS=";" read -r -a colours < <(convert "$picture" -format "$format\n" info:)
    seen=""
    for k in "${!points[@]}"; do
      found=""
      for code in $(seq 1 6); do
        [ "${colours[k]}" = "${planet_colours[code - 1]}" ] && found=$code && break
      done
      [ -n "$found" ] || fail "$scene, view $view: no planet at (${points[k]}) but ${colours[k]}"
      seen+="$found"$'\n'
    done
    counts=$(printf '%s' "$seen" | sort | uniq -c | tr -s ' ' | tr '\n' ' ')
    expected=$(well_counts "$output/$scene-$view.out.json")
    [ "$counts" = "$expected" ] || fail "$scene, view $view: planets seen $counts, not $expected"
  done
done
echo "well views: all 66 cells seen in the four views, in play and in a chain"

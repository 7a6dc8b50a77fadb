#!/usr/bin/env bash
# Without the Japanese face the labels are drawn in the faces fontconfig offers: with a
# configuration that offers only DejaVu, the frame rate, the distance, "start", the game-over text
# and "Win"/"Lose" add pixels of their colours to the picture drawn with no font at all. Either
# way one line on stderr names the package.
#
#   font-fallback.sh HEADLESS DATA_DIR OUTPUT_DIR
set -euo pipefail
headless=$1 data=$2 output=$3
mkdir -p "$output"
rm -f "$output"/*.png

fail() {
  echo "font fallback: $*" >&2
  exit 1
}

# fonts_conf NAME DIR: a fontconfig configuration whose only font folder is DIR, with the
# system's rules (aliases such as sans-serif) as a player's would have.
fonts_conf() {
  mkdir -p "$output/cache-$1"
  cat > "$output/fonts-$1.conf" << CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>$2</dir>
  <include ignore_missing="yes">/etc/fonts/conf.d</include>
  <cachedir>$output/cache-$1</cachedir>
</fontconfig>
CONF
}
fonts_conf dejavu /usr/share/fonts/truetype/dejavu
fonts_conf none "$output/no-fonts"
mkdir -p "$output/no-fonts"

# Each screen: NAME, the state it starts from, the frame pictured, then the labels on it, each as
# REGION (an ImageMagick geometry) and COLOUR.
screens=(
  "start|{\"CurrentScene\": \"SceneStart\", \"SceneFrame\": 150}|24|80x20+560+0 white|200x60+160+192 rgb(255,125,0)"
  "play|{\"CurrentScene\": \"SceneSolo\"}|1|150x40+484+418 rgb(250,250,0)"
  "gameover|{\"CurrentScene\": \"SceneGameOver\"}|1|500x70+75+200 white"
  "match|{\"CurrentScene\": \"SceneVersus\", \"side1\": {\"sideState\": \"SideLost\"}}|1|150x70+96+192 rgb(255,125,0)|150x70+416+192 rgb(255,125,0)"
)

# label_pixels PICTURE REGION COLOUR: how many pixels of REGION have exactly that colour.
label_pixels() {
  convert "$1" -crop "$2" +repage -fill black +opaque "$3" -fill white -opaque "$3" \
    -colorspace gray -format '%[fx:round(mean*w*h)]' info:
}

# run FONTS NAME STATE FRAME: the picture of that frame with only those fonts, as $picture.
run() {
  picture=$output/$1-$2.png
  local log=$output/$1-$2.log
  printf '%s\n' "$3" > "$output/$2.json"
  FONTCONFIG_FILE=$output/fonts-$1.conf "$headless" --data "$data" --state-in "$output/$2.json" \
    --frames $(($4 + 1)) --png "$4:$picture" 2> "$log" || fail "the runner failed on $2 ($1)"
  [ "$(grep -c 'fonts-ipafont-gothic' "$log")" -eq 1 ] ||
    fail "$2 ($1): not one line naming the package on stderr"
}

for screen in "${screens[@]}"; do
  IFS='|' read -r -a fields <<< "$screen"
  name=${fields[0]}
  run none "$name" "${fields[1]}" "${fields[2]}"
  bare=$picture
  run dejavu "$name" "${fields[1]}" "${fields[2]}"
  for label in "${fields[@]:3}"; do
    read -r region colour <<< "$label"
    before=$(label_pixels "$bare" "$region" "$colour")
    after=$(label_pixels "$picture" "$region" "$colour")
    [ $((after - before)) -ge 20 ] ||
      fail "$name: $after pixels of $colour in $region with DejaVu alone, $before with no font"
  done
done
echo "font fallback: every label drawn with DejaVu alone"

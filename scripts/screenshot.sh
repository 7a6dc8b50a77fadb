#!/usr/bin/env bash
# Draws docs/screenshot.png, the picture at the top of the README, with the headless runner: a
# match against the computer from a fixed seed and the key script docs/screenshot.keys, the back
# buffer after one frame. The same picture on every machine.
#   scripts/screenshot.sh          builds the build folder first if it is not built yet
# BUILD names another build folder. The picture must stay under 250 KB: a larger one is reduced
# to 256 colours with ImageMagick, and the script ends with 1 when even that is too large.
set -euo pipefail
cd "$(dirname "$0")/.."
seed=3
frame=2400
keys=docs/screenshot.keys
picture=docs/screenshot.png
limit=$((250 * 1024))

build=${BUILD:-build}
headless=$build/tools/headless/astorine-headless
if [ ! -x "$headless" ] || [ ! -d "$build/Data" ]; then
  scripts/build.sh "$build"
else
  # Already configured: bring the runner and the pictures it draws up to date.
  cmake --build "$build" -j "$(nproc)" --target astorine-headless astorine_generated_data > /dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy "$headless" --seed "$seed" --frames $((frame + 1)) \
  --keys "$keys" --data "$build/Data" --png "$frame:$work/shot.png"

size() { stat -c %s "$1"; }
if [ "$(size "$work/shot.png")" -gt "$limit" ]; then
  convert "$work/shot.png" -colors 256 "PNG8:$work/shot8.png"
  mv "$work/shot8.png" "$work/shot.png"
fi
if [ "$(size "$work/shot.png")" -gt "$limit" ]; then
  echo "screenshot.sh: $picture would be $(size "$work/shot.png") bytes, over 250 KB" >&2
  exit 1
fi
cp "$work/shot.png" "$picture"
echo "$picture: frame $frame of seed $seed, $(size "$picture") bytes"

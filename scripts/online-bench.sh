#!/usr/bin/env bash
# CPU per wall second of an online match beside the same match played locally: two headless
# peers on 127.0.0.1 play FRAMES frames at the game's pace (random keys), the guest measuring its
# CPU from the match's first frame to its end; then the guest's replay of that very match runs
# locally at the game's pace on the real clock (--speed 1, as a window paces it, its sounds mixed
# all the while), and its CPU time (start-up taken off) over its wall time is the local match's.
# Goal: at most 2x.
#
#   scripts/online-bench.sh [BUILD_DIR] [FRAMES]     (build, 1200 by default: 30 s)
set -euo pipefail
build=${1:-build} frames=${2:-1200}
headless=$build/tools/headless/astorine-headless
data=(--data "$build/Data")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SDL_AUDIODRIVER=dummy
cpu() { awk '{print $1 + $2}' "$1"; }

/usr/bin/time -f '%U %S' -o "$work/host.time" "$headless" "${data[@]}" --host 0 --seed 5 --random-keys 1 \
  --frames "$frames" 2> "$work/host.log" &
host=$!
for ((i = 0; i < 200; i++)); do grep -q 'port [0-9]' "$work/host.log" && break; sleep 0.05; done
port=$(grep -o 'port [0-9]*' "$work/host.log" | cut -d ' ' -f 2)
began=$(date +%s.%N)
/usr/bin/time -f '%U %S' -o "$work/guest.time" "$headless" "${data[@]}" --join "127.0.0.1:$port" \
  --random-keys 2 --frames "$frames" --record "$work/match.replay" 2> "$work/guest.log"
wall=$(echo "$(date +%s.%N) - $began" | bc)
wait "$host"
/usr/bin/time -f '%U %S' -o "$work/startup.time" "$headless" "${data[@]}" --seed 5 --frames 1 2> /dev/null
/usr/bin/time -f '%U %S %e' -o "$work/local.time" "$headless" "${data[@]}" \
  --replay "$work/match.replay" --speed 1 2> /dev/null
paced=$(awk '{print $3}' "$work/local.time")
# The match alone, from its first frame to its end, as the peer measures it.
online=$(grep -o 'of CPU in .*: [0-9.]* of a core' "$work/guest.log" | grep -o '[0-9.]* of a core' |
  cut -d ' ' -f 1)
local=$(echo "($(cpu "$work/local.time") - $(cpu "$work/startup.time")) / $paced" | bc -l)
printf 'online match: %d frames in %.1f s, the guest %.3f s CPU in all (the host %.3f s);\n' \
  "$frames" "$wall" "$(cpu "$work/guest.time")" "$(cpu "$work/host.time")"
grep -o 'the match took.*' "$work/guest.log"
printf 'the same match locally: %.3f s CPU (start-up %.3f s taken off) over %.1f s paced: %.4f of a core\n' \
  "$(cpu "$work/local.time")" "$(cpu "$work/startup.time")" "$paced" "$local"
printf 'online / local: %.2f (goal at most 2)\n' "$(echo "$online / $local" | bc -l)"
grep -o 'rollbacks.*' "$work/guest.log" | cut -c1-60

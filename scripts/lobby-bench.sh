#!/usr/bin/env bash
# The lobby under load on 127.0.0.1: 5,000 clients (2,500 hosts opening rooms, 2,500 guests
# joining them), then 300 relayed matches at the game's packet rate (a message a frame from each
# peer) for 30 s; it prints the lobby's CPU and memory for each (docs/performance.md). The lobby
# runs with its limits per address raised, as every client comes from one address here.
#
#   scripts/lobby-bench.sh [BUILD_DIR] [ROOMS] [MATCHES] [SECONDS]   (build, 2500, 300, 30)
set -euo pipefail
build=${1:-build} rooms=${2:-2500} matches=${3:-300} seconds=${4:-30}
lobby=$build/tools/lobby/astorine-lobby
load=$build/tools/bench/astorine-lobby-load-bench
work=$(mktemp -d)
trap 'kill "$pid" 2> /dev/null || true; rm -rf "$work"' EXIT
port=$((20000 + RANDOM % 20000))
"$lobby" --port "$port" --max-clients 4095 --max-rooms 10000 --max-relays 1000 \
  --rooms-per-minute 1000000 --joins-per-minute 1000000 --clients-per-address 4095 \
  --max-addresses 65536 2> "$work/lobby.log" &
pid=$!
for ((i = 0; i < 100; i++)); do grep -q 'listening' "$work/lobby.log" && break; sleep 0.05; done
ulimit -n "$(ulimit -Hn)"
"$load" "$port" "$pid" "$rooms" "$matches" "$seconds"
kill -TERM "$pid"
wait "$pid" || true
tail -n 1 "$work/lobby.log"

#!/usr/bin/env bash
# Prints the path of a compile_commands.json with one entry per source file, for the tools that
# work file by file (scripts/tidy.sh, scripts/mutants-check.sh). A build folder that compiles in
# batches (ASTORINE_UNITY) lists only its batches, so a second configuration of the same build,
# file by file, is made (configured, never built) in FOLDER/per-file.
#
#   scripts/compile-database.sh FOLDER    FOLDER: a configured build folder
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:?a build folder}" && pwd)
if ! grep -q '^ASTORINE_UNITY:BOOL=ON' "$build/CMakeCache.txt" 2> /dev/null; then
  echo "$build/compile_commands.json"
  exit 0
fi
per_file=$build/per-file
# Configured again only when the build folder was configured since.
if [ ! "$per_file/compile_commands.json" -nt "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$per_file" -DASTORINE_UNITY=OFF -DCMAKE_EXPORT_COMPILE_COMMANDS=ON > /dev/null
fi
echo "$per_file/compile_commands.json"

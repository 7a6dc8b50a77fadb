#!/usr/bin/env bash
# The game's command line as a player meets it: --help and --version answer on stdout with 0; a
# refused line prints one line and the usage on stderr, exits 2 and opens nothing;
# --write-controls writes the controls file once, and again only with --force; every option of the
# help is in the man page.
#
#   command-line-test.sh GAME MAN_PAGE VERSION
set -euo pipefail
game=$1 man_page=$2 version=$3
output=$(mktemp -d)
trap 'rm -rf "$output"' EXIT
# The player's files go to a home of the test's own; XDG_CONFIG_HOME stays empty, so the game falls
# back to ~/.config as the rules say, and every other XDG folder is the test's own too.
export HOME=$output/home XDG_CONFIG_HOME= XDG_DATA_HOME=$output/data XDG_STATE_HOME=$output/state \
  XDG_CACHE_HOME=$output/cache XDG_RUNTIME_DIR=$output/runtime
mkdir -m 0700 "$XDG_RUNTIME_DIR"
fail() {
  echo "command line test: $*" >&2
  exit 1
}

# Without a display any attempt to open a window or a message box would fail and say so.
run() {
  status=0
  env -u DISPLAY -u WAYLAND_DISPLAY SDL_AUDIODRIVER=dummy "$game" "$@" \
    > "$output/out" 2> "$output/err" < /dev/null || status=$?
}

run --help
[ "$status" -eq 0 ] && [ ! -s "$output/err" ] || fail "--help: exit $status, stderr not empty"
grep -q '^usage: astorine ' "$output/out" || fail "--help prints no usage"
cp "$output/out" "$output/usage"

run --version
[ "$status" -eq 0 ] && [ ! -s "$output/err" ] || fail "--version: exit $status, stderr not empty"
[ "$(cat "$output/out")" = "astorine $version" ] || fail "--version prints '$(cat "$output/out")'"

refusals=(--bogus -x Data "--fullscreen --window" --scale "--scale 0" "--scale 9" "--scale two"
  "--help --bogus" --force "--write-controls --window")
for line in "${refusals[@]}"; do
  # shellcheck disable=SC2086 # each line is split into its arguments on purpose
  run $line
  [ "$status" -eq 2 ] || fail "'$line' exits $status, not 2"
  [ ! -s "$output/out" ] || fail "'$line' prints on stdout"
  head -n 1 "$output/err" | grep -q '^astorine: ' || fail "'$line': no first line naming the fault"
  tail -n +2 "$output/err" | cmp -s - "$output/usage" || fail "'$line': the usage does not follow"
done

controls=$HOME/.config/astorine/controls.conf
run --write-controls
[ "$status" -eq 0 ] && [ ! -s "$output/err" ] || fail "--write-controls: exit $status"
[ "$(cat "$output/out")" = "$controls" ] || fail "--write-controls prints '$(cat "$output/out")'"
grep -q '^turn_ccw = K, pad:a' "$controls" || fail "--write-controls writes no default keys"
printf '[player1]\nleft = J\nright = Nokey\n' > "$controls"
run --write-controls
[ "$status" -eq 1 ] && [ "$(wc -l < "$output/err")" -eq 1 ] ||
  fail "--write-controls over a file: exit $status, not 1 with one line"
grep -q '^right = Nokey' "$controls" || fail "--write-controls without --force changed the file"
run --write-controls --force
[ "$status" -eq 0 ] || fail "--write-controls --force: exit $status"
grep -q "^astorine: $controls:3: unknown key 'Nokey'" "$output/err" ||
  fail "--write-controls --force does not name the bad line"
grep -q '^left = J, pad:dpleft' "$controls" && grep -q '^right = Right, ' "$controls" ||
  fail "--write-controls --force does not keep the file's keys"

# Every long option of the help, and the short one, is in the man page.
options=$(grep -o -e '--[a-z-]*' -e ' -h' "$output/usage" | tr -d ' ' | sort -u)
for option in $options; do
  grep -q -- "${option//-/\\\\-}" "$man_page" || fail "the man page misses $option"
done
echo "command line test passed: --help, --version, ${#refusals[@]} refusals, --write-controls," \
  "$(echo "$options" | wc -l) options in the man page"

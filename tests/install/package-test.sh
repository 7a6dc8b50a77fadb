#!/usr/bin/env bash
# The Debian package as a player meets it: cpack makes it from the build, lintian finds no error
# or warning, apt-get installs it, the desktop entry's command (with the PATH of a Debian session)
# opens the game from / on the title after the full-screen question, F12 ends it with 0, and
# apt-get purge leaves no file of it: every file dpkg listed is gone, and /usr, /etc, /opt, /srv
# and /var/lib (but dpkg's and apt's records and the X server's keymaps) hold the same files as
# before the install.
#
#   package-test.sh BUILD_DIR HEADLESS OUTPUT_DIR APP_ID VERSION
set -euo pipefail
build=$1 headless=$2 output=$3 id=$4 version=$5
mkdir -p "$output"
rm -rf "${output:?}"/*
game_log=$output/game.log
here=$(dirname "$0")/../window
. "$here/xvfb-session.sh"
. "$here/game-screens.sh"
skip() {
  echo "package test: skipped: $*"
  exit 77
}
[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
installed() { dpkg-query -W -f='${Status}' astorine 2> /dev/null | grep -q ' installed$'; }
! installed || skip "astorine is installed on this machine already; the test would remove it"
purged() { [ -z "$(dpkg-query -W -f='${Status}' astorine 2> /dev/null)" ]; }
purge() { installed && apt-get purge -y -qq astorine > "$output/purge.log" 2>&1; }
. "$(dirname "$0")/package-support.sh"
trap 'session_cleanup; purge || true; man_index_back' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$output/cpack" -D CPACK_COMPONENTS_ALL=game \
  > "$output/cpack.log" ||
  fail "cpack failed: $(cat "$output/cpack.log")"
deb=$output/cpack/astorine_${version}-1_amd64.deb
[ -f "$deb" ] || fail "cpack made $(ls "$output/cpack"), not $(basename "$deb")"
lintian --fail-on error,warning "$deb" > "$output/lintian.log" 2>&1 ||
  fail "lintian: $(cat "$output/lintian.log")"

snapshot "$output/before.txt"
man_index_aside
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" \
  > "$output/install.log" 2>&1 || fail "apt-get install: $(cat "$output/install.log")"
installed || fail "apt-get installed something, but not astorine"
dpkg -L astorine > "$output/files.txt"
[ "$(/usr/games/astorine --version)" = "astorine $version" ] || fail "the installed --version"
# A release bumps the version in CMakeLists.txt and adds an entry to dist/debian/changelog.
gzip -dc /usr/share/doc/astorine/changelog.Debian.gz | head -n 1 | grep -qF "astorine ($version-1) " ||
  fail "dist/debian/changelog's last entry is not $version-1"

# The desktop entry's command, as a menu starts it: from /, with a session's PATH and a home of
# its own; the question answered No.
command=$(sed -n 's/^Exec=//p' "/usr/share/applications/$id.desktop")
run_dir=$build # the headless reference pictures read the build's Data
reference title "99 136"
start_xvfb "$output" || fail "Xvfb did not start"
export SDL_AUDIODRIVER=dummy ASTORINE_TRACE=1 HOME=$output/home
export PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games
mkdir -p "$HOME"
read -r -a words <<< "$command"
start_game "${words[0]}" / "$game_log" "${words[@]:1}"
window=$(answer_question Escape) || fail "no game window after answering No to the question"
window_area "$window"
wait_for 60 shows title title || fail "the installed game does not show the title ($off% off)"
end=$((SECONDS + 60))
until game_ended || [ $SECONDS -ge $end ]; do
  xdotool key F12
  wait_for 3 game_ended || true
done
expect_exit_0 F12
expect_quiet_log

purge || fail "apt-get purge: $(cat "$output/purge.log")"
man_index_back
purged || fail "astorine is still known to dpkg after the purge"
while read -r path; do
  [ -d "$path" ] || [ ! -e "$path" ] || fail "$path is left after the purge"
done < "$output/files.txt"
snapshot "$output/after.txt"
left=$(comm -3 "$output/before.txt" "$output/after.txt")
[ -z "$left" ] || fail "the purge left the file system changed: $left"
echo "package test passed: $(basename "$deb"), lintian clean, $(grep -c . "$output/files.txt")" \
  "paths installed, the title from the desktop entry's command ($off% off), nothing left after" \
  "the purge"

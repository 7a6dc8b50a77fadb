#!/usr/bin/env bash
# The lobby's Debian package as an operator meets it: cpack makes it from the build, lintian finds
# no error or warning, apt-get installs it, systemd finds its unit sound and does not start it,
# the unit's own command (run as the unit runs it: a user of no privileges, no capabilities)
# listens and gives a headless host a room, SIGTERM stops it with 0, and apt-get purge leaves no
# file of it: every file dpkg listed is gone, and /usr, /etc, /opt, /srv and /var/lib (but dpkg's
# and apt's records and the X server's keymaps) hold the same files as before the install.
#
#   lobby-package-test.sh BUILD_DIR HEADLESS OUTPUT_DIR VERSION
set -euo pipefail
build=$1 headless=$2 output=$3 version=$4
mkdir -p "$output"
rm -rf "${output:?}"/*
fail() {
  echo "lobby package test: $*" >&2
  for log in "$output"/*.log; do sed "s|^|  $(basename "$log"): |" "$log" >&2; done
  exit 1
}
skip() {
  echo "lobby package test: skipped: $*"
  exit 77
}
[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
installed() { dpkg-query -W -f='${Status}' astorine-lobby 2> /dev/null | grep -q ' installed$'; }
! installed || skip "astorine-lobby is installed on this machine already; the test would remove it"
lobby_pid=""
purge() { installed && apt-get purge -y -qq astorine-lobby > "$output/purge.log" 2>&1; }
. "$(dirname "$0")/package-support.sh"
trap 'kill "$lobby_pid" 2> /dev/null || true; purge || true; man_index_back' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$output/cpack" -D CPACK_COMPONENTS_ALL=lobby \
  > "$output/cpack.log" || fail "cpack failed"
deb=$output/cpack/astorine-lobby_${version}-1_amd64.deb
[ -f "$deb" ] || fail "cpack made $(ls "$output/cpack"), not $(basename "$deb")"
lintian --fail-on error,warning "$deb" > "$output/lintian.log" 2>&1 || fail "lintian"
dpkg-deb -f "$deb" Depends | grep -q -v libsdl || fail "the lobby's package depends on SDL"

snapshot "$output/before.txt"
man_index_aside
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" \
  > "$output/install.log" 2>&1 || fail "apt-get install"
installed || fail "apt-get installed something, but not astorine-lobby"
dpkg -L astorine-lobby > "$output/files.txt"
unit=/usr/lib/systemd/system/astorine-lobby.service
[ -f "$unit" ] || fail "the package has no $unit"
[ "$(/usr/bin/astorine-lobby --version)" = "astorine-lobby $version" ] || fail "--version"
# Neither enabled nor started: no link to it under /etc.
[ -z "$(find /etc/systemd -name 'astorine-lobby*' 2> /dev/null)" ] ||
  fail "the package enabled its service"
if command -v systemd-analyze > /dev/null; then
  systemd-analyze verify "$unit" > "$output/verify.log" 2>&1 || fail "systemd-analyze verify"
fi

# The unit's command, run as the unit would: no privileges, a user of its own.
command=$(sed -n 's/^ExecStart=//p' "$unit")
port=$((20000 + RANDOM % 20000))
setpriv --reuid=65534 --regid=65534 --clear-groups --inh-caps=-all --no-new-privs \
  $command --port "$port" 2> "$output/lobby.log" &
lobby_pid=$!
for ((i = 0; i < 100; i++)); do grep -q 'listening' "$output/lobby.log" && break; sleep 0.05; done
"$headless" --lobby "127.0.0.1:$port" --host 0 2> "$output/host.log" &
host_pid=$!
for ((i = 0; i < 200; i++)); do
  grep -q -E 'room [0-9A-Z]{6}: waiting' "$output/host.log" && break
  sleep 0.05
done
kill -TERM "$host_pid" 2> /dev/null || true
wait "$host_pid" 2> /dev/null || true
grep -q -E 'room [0-9A-Z]{6}: waiting' "$output/host.log" ||
  fail "the installed lobby gave no room"
kill -TERM "$lobby_pid"
status=0
wait "$lobby_pid" || status=$?
lobby_pid=""
[ "$status" -eq 0 ] || fail "the lobby ended with $status after SIGTERM"

purge || fail "apt-get purge"
man_index_back
! installed || fail "astorine-lobby is still installed after the purge"
while read -r path; do
  [ -d "$path" ] || [ ! -e "$path" ] || fail "$path is left after the purge"
done < "$output/files.txt"
snapshot "$output/after.txt"
left=$(comm -3 "$output/before.txt" "$output/after.txt")
[ -z "$left" ] || fail "the purge left the file system changed: $left"
echo "lobby package test passed: $(basename "$deb"), lintian clean, its unit sound and not" \
  "started, a room from the unit's command run without privileges, nothing left after the purge"

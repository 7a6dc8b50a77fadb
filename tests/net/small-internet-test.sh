#!/usr/bin/env bash
# Checks that the small internet of small-internet.sh behaves as the homes and servers online play
# meets: an eim home keeps a socket's public address for every destination, a symmetric one does
# not, two eim homes can punch holes to each other while the routers keep strangers out, players
# in one home reach each other directly, loss loses some packets, and nothing is left afterwards.
# UDP is sent by a small python3 tool written to a scratch folder. One line per check.
#
#   small-internet-test.sh    (as root; exits 77 with one line where namespaces are not possible)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=small-internet.sh source-path=SCRIPTDIR
source "$here/small-internet.sh"
why=$(namespaces_possible) || {
  echo "small internet test skipped: $why"
  exit 77
}
# Debian's own python3 first: a version manager's shim takes half a second to start.
python=/usr/bin/python3
[ -x "$python" ] || python=$(command -v python3) || {
  echo "small internet test: python3 is missing (scripts/setup.sh installs it)" >&2
  exit 1
}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The UDP tool. Every mode binds the given local port and ends within its own bound.
#   serve PORT SECONDS          answers each datagram with "seen ADDRESS:PORT" until one says stop
#   ask PORT TARGET...          prints the address each TARGET saw (10 tries of 0.3 s each)
#   punch PORT TARGET           sends to TARGET every 50 ms until 10 sends after the first answer
#                               (at most 200); prints how many came back; fails if none
#   listen PORT SECONDS         prints "TEXT from ADDRESS:PORT" for each datagram, up to a stop
#   send PORT TARGET TEXT COUNT sends TEXT COUNT times
cat > "$scratch/udp.py" << 'EOF'
import socket, sys, time

def target(text):
    host, _, port = text.rpartition(":")
    return host, int(port)

mode, port, args = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
sock.bind(("0.0.0.0", port))
if mode in ("serve", "listen"):
    deadline = time.monotonic() + float(args[0])
    print("ready", flush=True)
    while time.monotonic() < deadline:
        sock.settimeout(max(0.01, deadline - time.monotonic()))
        try:
            data, sender = sock.recvfrom(2048)
        except socket.timeout:
            break
        if mode == "serve" and data != b"stop":
            sock.sendto(b"seen %s:%d" % (sender[0].encode(), sender[1]), sender)
        if mode == "listen":
            print("%s from %s:%d" % (data.decode(), *sender), flush=True)
        if data == b"stop":
            break
elif mode == "ask":
    sock.settimeout(0.3)
    for text in args:
        for _ in range(10):
            sock.sendto(b"ask", target(text))
            try:
                print(sock.recvfrom(2048)[0].decode().split()[1])
                break
            except socket.timeout:
                pass
        else:
            sys.exit("no answer from " + text)
elif mode == "punch":
    peer, received, after = target(args[0]), 0, 0
    for _ in range(200):
        sock.sendto(b"punch", peer)
        after += received > 0
        if after > 10:
            break
        deadline = time.monotonic() + 0.05
        while time.monotonic() < deadline:
            sock.settimeout(max(0.001, deadline - time.monotonic()))
            try:
                received += sock.recvfrom(2048)[1] == peer
            except socket.timeout:
                pass
    print("received %d from %s" % (received, args[0]))
    sys.exit(received == 0)
elif mode == "send":
    for _ in range(int(args[2])):
        sock.sendto(args[1].encode(), target(args[0]))
EOF

# fail MESSAGE: says what went wrong and stops; the trap takes the namespaces down.
fail() {
  echo "small internet test: $*" >&2
  exit 1
}

# udp NAME MODE ARGS...: runs the UDP tool inside NAME's namespace.
udp() {
  in_ns "$1" timeout 30 "$python" "$scratch/udp.py" "${@:2}"
}

# wait_ready FILE: up to 10 s for the tool writing FILE to have bound its port.
wait_ready() {
  local i
  for ((i = 0; i < 200; i++)); do
    grep -q '^ready' "$1" 2> /dev/null && return 0
    sleep 0.05
  done
  fail "$(basename "$1" .out) never got ready"
}

# root_veths: the veth interfaces of the host's own namespace, one a line.
root_veths() {
  ip -o link show type veth | awk -F': ' '{ print $2 }' | sort
}

veths_before=$(root_veths)
internet_up
prefix=$internet_prefix
add_server srv1 100.64.0.10
add_server srv2 100.64.0.11
add_home home1 eim
add_home home2 eim
add_home home3 symmetric
add_player home1 a1
add_player home1 a2
add_player home2 b1
add_player home3 c1
srv1=$(address_of srv1) srv2=$(address_of srv2)
echo "made: the internet, 2 servers, 3 homes (eim, eim, symmetric), 4 players"

udp srv1 serve 7000 60 > "$scratch/srv1.out" &
serve1=$!
udp srv2 serve 7000 60 > "$scratch/srv2.out" &
serve2=$!
wait_ready "$scratch/srv1.out"
wait_ready "$scratch/srv2.out"

mapfile -t seen < <(udp a1 ask 40000 "$srv1:7000" "$srv2:7000")
[ "${#seen[@]}" -eq 2 ] || fail "eim: a1 did not hear from both servers"
[ "${seen[0]%:*}" = "$(address_of home1)" ] || fail "eim: a1 came out as ${seen[0]}"
[ "${seen[0]}" = "${seen[1]}" ] || fail "eim: the servers saw ${seen[0]} and ${seen[1]}"
echo "eim home: a1's port 40000 is ${seen[0]} to both servers"

# Each destination gets a random port: the same one twice has 1 chance in 64512.
mapfile -t seen < <(udp c1 ask 40000 "$srv1:7000" "$srv2:7000")
[ "${#seen[@]}" -eq 2 ] || fail "symmetric: c1 did not hear from both servers"
[ "${seen[0]%:*}" = "$(address_of home3)" ] || fail "symmetric: c1 came out as ${seen[0]}"
[ "${seen[0]}" != "${seen[1]}" ] || fail "symmetric: both servers saw ${seen[0]}"
echo "symmetric home: c1's port 40000 is ${seen[0]} to one server, ${seen[1]} to the other"

a1_public=$(udp a1 ask 42000 "$srv1:7000")
b1_public=$(udp b1 ask 42000 "$srv1:7000")
udp a1 punch 42000 "$b1_public" > "$scratch/a1.punch" &
punch_a1=$!
udp b1 punch 42000 "$a1_public" > "$scratch/b1.punch" &
punch_b1=$!
wait "$punch_a1" || fail "hole punching: a1 heard nothing from b1 at $b1_public"
wait "$punch_b1" || fail "hole punching: b1 heard nothing from a1 at $a1_public"
echo "hole punching: a1 ($a1_public) $(cat "$scratch/a1.punch"), b1 $(cat "$scratch/b1.punch")"

udp internet send 7000 "$srv1:7000" stop 1
udp internet send 7000 "$srv2:7000" stop 1
wait "$serve1" "$serve2"
# a1's port 40000 has talked to srv1:7000 and srv2:7000: only those may answer it.
udp a1 listen 40000 20 > "$scratch/a1.out" &
listener=$!
wait_ready "$scratch/a1.out"
udp internet send 7000 "$(address_of home1):40000" stranger 3
udp srv2 send 7001 "$(address_of home1):40000" other-port 3
udp srv1 send 7000 "$(address_of home1):40000" stop 1
wait "$listener"
! grep -q 'stranger\|other-port' "$scratch/a1.out" ||
  fail "filtering: unasked packets reached a1: $(grep -v ready "$scratch/a1.out" | tr '\n' ' ')"
grep -q "^stop from $srv1:7000" "$scratch/a1.out" || fail "filtering: srv1's answer was lost"
echo "filtering: a1 got srv1's packet, none of 3 from a stranger nor of 3 from srv2's other port"

udp a2 serve 7200 20 > "$scratch/a2.out" &
serve_a2=$!
wait_ready "$scratch/a2.out"
seen_lan=$(udp a1 ask 43000 "$(address_of a2):7200")
udp a1 send 43000 "$(address_of a2):7200" stop 1
wait "$serve_a2"
[ "$seen_lan" = "$(address_of a1):43000" ] || fail "same home: a2 saw a1 as $seen_lan"
echo "same home: a2 ($(address_of a2)) saw a1 as $seen_lan, its own LAN address"

add_loss a1 50
udp srv1 listen 7100 20 > "$scratch/loss.out" &
listener=$!
wait_ready "$scratch/loss.out"
udp a1 send 41000 "$srv1:7100" data 200
add_loss a1 0
udp a1 send 41000 "$srv1:7100" stop 3
wait "$listener"
grep -q '^stop from' "$scratch/loss.out" || fail "loss: the end of the run was lost after loss 0"
arrived=$(grep -c '^data from' "$scratch/loss.out" || true)
((arrived > 0 && arrived < 200)) || fail "loss: $arrived of 200 arrived at 50 % loss"
echo "loss: $arrived of 200 packets arrived at 50 % loss"

internet_down
internet_down
left=$(ip netns list | awk -v prefix="$prefix" 'index($1, prefix) == 1 { print $1 }')
[ -z "$left" ] || fail "cleanup: namespaces left: $left"
! ip -o link show | grep -q "$prefix" || fail "cleanup: an interface named $prefix* is left"
[ "$(root_veths)" = "$veths_before" ] || fail "cleanup: the host's veths changed"
echo "cleanup: no namespace or interface of $prefix is left, twice down is fine"
echo "small internet test passed: 7 checks on 10 namespaces in ${SECONDS} s"

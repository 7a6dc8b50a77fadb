#!/usr/bin/env bash
# A small private internet made of network namespaces, for testing online play through home
# routers (NAT) and servers such as the lobby. Sourced by test scripts run as root:
#
#   source tests/net/small-internet.sh
#   why=$(namespaces_possible) || { echo "skipped: $why"; exit 77; }
#   internet_up                      # internet_down then runs on exit
#   add_server lobby 100.64.0.10
#   add_home home1 eim
#   add_player home1 alice
#   in_ns alice some-command --lobby "$(address_of lobby)"
#
# Each server, router and player is a namespace of its own, named with this run's prefix
# ($internet_prefix, "ast<pid>-"). Every interface is made inside those namespaces, none is
# linked to the host, and nothing is routed outside 100.64.0.0/16 and the homes' 192.168.N.0/24.
# tests/net/SMALL-INTERNET.md draws the plan.
set -euo pipefail

internet_prefix=""
internet_trap_set=""
internet_homes=0
internet_servers=0
declare -gA internet_kind=() internet_address=() internet_index=() internet_players=()
# Where the cable leaving a namespace ends, "namespace interface", for add_loss.
declare -gA internet_far_end=()

# namespaces_possible: 0 if this machine can make namespaces with NAT in them, else one line why.
namespaces_possible() {
  local probe="ast${BASHPID}-probe" why="" error
  if [ "$(id -u)" -ne 0 ]; then
    why="not root"
  elif ! command -v ip > /dev/null || ! command -v nft > /dev/null; then
    why="ip or nft is missing (scripts/setup.sh installs iproute2 and nftables)"
  elif ! error=$(ip netns add "$probe" 2>&1); then
    why="ip netns add failed: ${error%%$'\n'*}"
  elif ! error=$(ip -n "$probe" link add name v0 type veth peer name v1 2>&1); then
    why="no veth pair in a namespace: ${error%%$'\n'*}"
  elif ! error=$(_internet_probe_rules | ip netns exec "$probe" nft -f - 2>&1); then
    why="nftables NAT or loss rules fail in a namespace: ${error%%$'\n'*}"
  fi
  ip netns del "$probe" 2> /dev/null || true
  [ -n "$why" ] || return 0
  echo "network namespaces with NAT are not possible here: $why"
  return 1
}

# _internet_probe_rules: prints the kinds of rule the harness loads, for namespaces_possible.
_internet_probe_rules() {
  cat << 'EOF'
table ip probe {
  chain postrouting {
    type nat hook postrouting priority srcnat;
    oifname "v0" masquerade random
  }
}
table netdev probe {
  chain wire {
    type filter hook ingress device "v1" priority 0;
    numgen random mod 100 < 50 drop
  }
}
EOF
}

# internet_up: makes the internet namespace, whose bridge br0 holds 100.64.0.1/16.
internet_up() {
  if [ -n "$internet_prefix" ]; then
    echo "small internet: already up as $internet_prefix" >&2
    return 1
  fi
  _internet_sweep
  internet_prefix="ast${BASHPID}-"
  _internet_chain_exit_trap
  _internet_namespace internet internet 100.64.0.1
  ip -n "${internet_prefix}internet" link add name br0 type bridge
  ip -n "${internet_prefix}internet" address add 100.64.0.1/16 dev br0
  ip -n "${internet_prefix}internet" link set br0 up
}

# add_server NAME ADDRESS: a namespace on the internet at ADDRESS, one of 100.64.0.2 to .254.
add_server() {
  local name=$1 address=$2
  if ! [[ $address =~ ^100\.64\.0\.([1-9][0-9]{0,2})$ ]] || ((BASH_REMATCH[1] < 2)) ||
    ((BASH_REMATCH[1] > 254)); then
    echo "small internet: a server's address is one of 100.64.0.2 to 100.64.0.254" >&2
    return 1
  fi
  if [ -n "$(_internet_named_by "$address")" ]; then
    echo "small internet: $address is already $(_internet_named_by "$address")'s" >&2
    return 1
  fi
  internet_servers=$((internet_servers + 1))
  _internet_namespace "$name" server "$address"
  _internet_cable internet "s$internet_servers" "$name" eth0
  ip -n "${internet_prefix}internet" link set "s$internet_servers" master br0 up
  ip -n "${internet_prefix}$name" address add "$address/16" dev eth0
  ip -n "${internet_prefix}$name" link set eth0 up
}

# add_home NAME KIND: a home router, KIND eim or symmetric; home N is 100.64.1.N on the
# internet and 192.168.N.1 on its LAN.
add_home() {
  local name=$1 kind=$2 n ns
  case $kind in
    eim | symmetric) ;;
    *)
      echo "small internet: a home's kind is eim or symmetric, not '$kind'" >&2
      return 1
      ;;
  esac
  if ((internet_homes >= 254)); then
    echo "small internet: at most 254 homes" >&2
    return 1
  fi
  internet_homes=$((internet_homes + 1))
  n=$internet_homes ns="${internet_prefix}$name"
  _internet_namespace "$name" home "100.64.1.$n"
  internet_index[$name]=$n
  internet_players[$name]=0
  _internet_cable internet "h$n" "$name" wan
  ip -n "${internet_prefix}internet" link set "h$n" master br0 up
  ip -n "$ns" address add "100.64.1.$n/16" dev wan
  ip -n "$ns" link set wan up
  ip -n "$ns" link add name lan type bridge
  ip -n "$ns" address add "192.168.$n.1/24" dev lan
  ip -n "$ns" link set lan up
  _internet_sysctl "$name" net/ipv4/ip_forward 1
  # Where the kernel passes bridged frames through the IP rules, the LAN's own traffic would meet
  # the router's forward chain: a home's switch does not filter.
  [ ! -e /proc/sys/net/bridge ] || _internet_sysctl "$name" net/bridge/bridge-nf-call-iptables 0
  internet_home_rules "$kind" | ip netns exec "$ns" nft -f -
}

# internet_home_rules KIND: prints a home router's nftables rules: NAT out of wan, and nothing
# let in from the internet but replies to what went out.
internet_home_rules() {
  local masquerade="masquerade"
  [ "$1" = eim ] || masquerade="masquerade random"
  cat << EOF
table ip home {
  chain postrouting {
    type nat hook postrouting priority srcnat; policy accept;
    oifname "wan" $masquerade
  }
  chain forward {
    type filter hook forward priority filter; policy drop;
    ct state established,related accept
    iifname "lan" oifname "wan" accept
  }
  chain input {
    type filter hook input priority filter; policy accept;
    iifname "wan" ct state established,related accept
    iifname "wan" drop
  }
}
EOF
}

# add_player HOME NAME: a namespace on HOME's LAN at 192.168.N.10, .11, ..., routed through it.
add_player() {
  local home=$1 name=$2 n k address
  if [ "${internet_kind[$home]:-}" != home ]; then
    echo "small internet: no home called '$home'" >&2
    return 1
  fi
  n=${internet_index[$home]} k=$((internet_players[$home] + 1))
  if ((k > 240)); then
    echo "small internet: at most 240 players in a home" >&2
    return 1
  fi
  internet_players[$home]=$k
  address="192.168.$n.$((k + 9))"
  _internet_namespace "$name" player "$address"
  _internet_cable "$home" "p$k" "$name" eth0
  ip -n "${internet_prefix}$home" link set "p$k" master lan up
  ip -n "${internet_prefix}$name" address add "$address/24" dev eth0
  ip -n "${internet_prefix}$name" link set eth0 up
  ip -n "${internet_prefix}$name" route add default via "192.168.$n.1"
}

# in_ns NAME COMMAND...: runs COMMAND inside NAME's namespace.
in_ns() {
  _internet_known "$1"
  ip netns exec "${internet_prefix}$1" "${@:2}"
}

# address_of NAME: prints NAME's address: a player's LAN one, a router's or server's public one.
address_of() {
  _internet_known "$1"
  echo "${internet_address[$1]}"
}

# add_loss NAME PERCENT: PERCENT % of what NAME sends out is lost on the cable; 0 ends the loss.
add_loss() {
  local name=$1 percent=$2 far
  _internet_known "$name"
  if [ -z "${internet_far_end[$name]:-}" ] || ! [[ $percent =~ ^[0-9]{1,3}$ ]] ||
    ((10#$percent > 100)); then
    echo "small internet: add_loss takes a server, home or player and a percentage" >&2
    return 1
  fi
  read -ra far <<< "${internet_far_end[$name]}"
  internet_loss_rules "${far[1]}" "$((10#$percent))" |
    ip netns exec "${internet_prefix}${far[0]}" nft -f -
}

# internet_loss_rules INTERFACE PERCENT: prints rules dropping PERCENT % of what arrives on
# INTERFACE, replacing any from before. They sit at the far end of the cable, so that the
# sender's own connection tracking and NAT see every packet go out, as with loss on a real line.
internet_loss_rules() {
  local table="loss_$1"
  echo "table netdev $table {}"
  echo "delete table netdev $table"
  [ "$2" -gt 0 ] || return 0
  cat << EOF
table netdev $table {
  chain wire {
    type filter hook ingress device "$1" priority 0;
    numgen random mod 100 < $2 drop
  }
}
EOF
}

# internet_down: ends the processes in this run's namespaces and removes the namespaces, which
# takes their interfaces and rules with them. Safe to call again.
internet_down() {
  local prefix=$internet_prefix ns
  [ -n "$prefix" ] || return 0
  for ns in $(_internet_listed "$prefix"); do
    _internet_end_processes "$ns"
    ip netns del "$ns" 2> /dev/null || true
  done
  internet_prefix=""
  internet_homes=0 internet_servers=0
  internet_kind=() internet_address=() internet_index=() internet_players=() internet_far_end=()
}

# _internet_end_processes NS: asks the processes left in NS to stop, then kills those that stay.
_internet_end_processes() {
  local pids i
  pids=$(ip netns pids "$1" 2> /dev/null || true)
  [ -n "$pids" ] || return 0
  # shellcheck disable=SC2086 # one pid a word
  kill $pids 2> /dev/null || true
  for ((i = 0; i < 40; i++)); do
    [ -n "$(ip netns pids "$1" 2> /dev/null || true)" ] || return 0
    sleep 0.05
  done
  # shellcheck disable=SC2046 # one pid a word
  kill -KILL $(ip netns pids "$1" 2> /dev/null || true) 2> /dev/null || true
}

# _internet_listed PREFIX: prints the names of the namespaces that start with PREFIX.
_internet_listed() {
  ip netns list 2> /dev/null | awk -v prefix="$1" 'index($1, prefix) == 1 { print $1 }'
}

# _internet_sweep: removes the namespaces of runs whose shell is gone (killed before its trap
# could run, as by a test timeout).
_internet_sweep() {
  local ns
  for ns in $(_internet_listed ast); do
    [[ $ns =~ ^ast([0-9]+)- ]] || continue
    kill -0 "${BASH_REMATCH[1]}" 2> /dev/null || ip netns del "$ns" 2> /dev/null || true
  done
}

# _internet_chain_exit_trap: puts internet_down before whatever the EXIT trap already does, and
# makes HUP, INT and TERM exit through it where nothing else traps them.
_internet_chain_exit_trap() {
  local existing words=() signal
  [ -z "$internet_trap_set" ] || return 0
  existing=$(trap -p EXIT)
  [ -z "$existing" ] || eval "words=($existing)"
  trap -- "internet_down${words[2]+; ${words[2]}}" EXIT
  for signal in HUP:129 INT:130 TERM:143; do
    [ -n "$(trap -p "${signal%:*}")" ] || trap -- "exit ${signal#*:}" "${signal%:*}"
  done
  internet_trap_set=yes
}

# _internet_namespace NAME KIND ADDRESS: makes and records NAME's namespace, loopback up.
_internet_namespace() {
  if ! [[ $1 =~ ^[a-z][a-z0-9-]{0,19}$ ]] || [ -n "${internet_kind[$1]:-}" ]; then
    echo "small internet: '$1' is taken or not a name (a-z, 0-9, -, up to 20)" >&2
    return 1
  fi
  if [ -z "$internet_prefix" ]; then
    echo "small internet: internet_up first" >&2
    return 1
  fi
  ip netns add "${internet_prefix}$1"
  internet_kind[$1]=$2 internet_address[$1]=$3
  ip -n "${internet_prefix}$1" link set lo up
}

# _internet_sysctl NAME KEY VALUE: writes VALUE to /proc/sys/KEY as seen inside NAME.
_internet_sysctl() {
  echo "$3" | ip netns exec "${internet_prefix}$1" tee "/proc/sys/$2" > /dev/null
}

# _internet_cable NEAR NEAR_IF FAR FAR_IF: a veth pair made straight inside the two namespaces,
# so the host never holds an end.
_internet_cable() {
  ip -n "${internet_prefix}$1" link add name "$2" type veth peer name "$4" \
    netns "${internet_prefix}$3"
  internet_far_end[$3]="$1 $2"
}

# _internet_known NAME: fails with a line on stderr unless NAME was made in this run.
_internet_known() {
  [ -n "${internet_kind[$1]:-}" ] && return 0
  echo "small internet: no namespace called '$1'" >&2
  return 1
}

# _internet_named_by ADDRESS: prints the name holding ADDRESS, if any.
_internet_named_by() {
  local name
  for name in "${!internet_address[@]}"; do
    [ "${internet_address[$name]}" != "$1" ] || echo "$name"
  done
}

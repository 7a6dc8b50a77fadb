# Sourced by the package tests.

# snapshot FILE: what a package may write, listed: /usr, /etc, /opt, /srv and /var/lib but dpkg's
# and apt's records and the X server's scratch folder, where the other window tests' servers
# write and remove keymaps meanwhile.
snapshot() {
  find /usr /etc /opt /srv /var/lib -xdev \( -path /var/lib/dpkg -o -path /var/lib/apt \
    -o -path /var/lib/xkb \) -prune -o -print 2> /dev/null | sort > "$1"
}

# man-db's index is not rebuilt while a test installs and purges a package (its flag is set
# aside, and put back before the file system is listed again): on a fresh machine that first
# rebuild of every manual's index took a minute of the test command's.
man_index_flag=/var/lib/man-db/auto-update
man_index_was_set=""
man_index_aside() {
  if [ -e "$man_index_flag" ]; then
    man_index_was_set=yes
    rm -f "$man_index_flag"
  fi
}
man_index_back() {
  if [ -n "$man_index_was_set" ]; then
    touch "$man_index_flag"
    man_index_was_set=""
  fi
}

#!/usr/bin/env bash
# Shows that a build is reproducible: two Release builds of the last commit, made apart in time,
# in two folders of different depth, under another umask, locale and time zone, give the same
# bytes in their programs, their Data/, their icons and catalogs, and their packages.
#   scripts/reproducible.sh [WORK]     (WORK: /tmp/astorine-reproducible by default)
# The first builds a clone with scripts/package.sh, which also makes the source tarball. The
# second builds that tarball, unpacked elsewhere, without git (a stand-in that refuses) and
# without network (a network namespace of its own). Where any file differs, diffoscope shows how.
set -euo pipefail
cd "$(dirname "$0")/.."
work=${1:-/tmp/astorine-reproducible}
rm -rf "$work"
mkdir -p "$work/first" "$work/second/somewhere/else" "$work/no-git"
git clone -q "$PWD" "$work/first/astorine"
began=$SECONDS
(cd "$work/first/astorine" && umask 022 && LC_ALL=C.UTF-8 TZ=UTC scripts/package.sh "$work/first/packages")
first_took=$((SECONDS - began))
tarball=$(ls "$work"/first/packages/astorine-*.tar.xz)
tar -xJf "$tarball" -C "$work/second/somewhere/else"
source=$(ls -d "$work"/second/somewhere/else/astorine-*)
printf '#!/bin/sh\necho "git: not in this build" >&2\nexit 1\n' > "$work/no-git/git"
chmod +x "$work/no-git/git"
began=$SECONDS
unshare --net bash -c "cd '$source' && umask 077 && PATH='$work/no-git':\$PATH LC_ALL=C TZ=Asia/Tokyo \
  scripts/package.sh '$work/second/packages'"
second_took=$((SECONDS - began))

# The files compared: the programs as built, what the generator made, and the packages.
compared() {
  (cd "$1" && ls astorine tools/data/astorine-data tools/lobby/astorine-lobby Data/* icons/* \
    locale/*/LC_MESSAGES/*.mo dist/astorine.6.gz dist/astorine-lobby.8.gz \
    dist/debian/changelog.Debian.gz)
}
first_build=$work/first/astorine/build-package second_build=$source/build-package
different=()
count=0
while read -r file; do
  count=$((count + 1))
  cmp -s "$first_build/$file" "$second_build/$file" || different+=("$first_build/$file")
done < <(compared "$first_build")
for package in "$work"/first/packages/*.deb; do
  count=$((count + 1))
  cmp -s "$package" "$work/second/packages/$(basename "$package")" || different+=("$package")
done
echo "reproducible.sh: the first build took $first_took s, the second $second_took s"
if [ ${#different[@]} -eq 0 ]; then
  echo "reproducible.sh: all $count files are the same, byte for byte:"
  (cd "$work/first/packages" && sha256sum ./*.deb "$(basename "$tarball")")
  exit 0
fi
echo "reproducible.sh: ${#different[@]} of $count files differ:" >&2
command -v diffoscope > /dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
  diffoscope-minimal > /dev/null
for file in "${different[@]}"; do
  other=${file/#$first_build/$second_build}
  [ "$other" != "$file" ] || other=$work/second/packages/$(basename "$file")
  diffoscope "$file" "$other" || true
done
exit 1

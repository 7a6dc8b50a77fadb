#!/usr/bin/env bash
# Makes the Debian packages and the source tarball, as a release is made:
#   scripts/package.sh [OUTPUT]
# OUTPUT (BUILD/packages by default) receives astorine_VERSION-1_amd64.deb (and any other package
# cmake/Packaging.cmake names) and, from a git checkout, astorine-VERSION.tar.xz, the last
# commit's source; a tree unpacked from that tarball makes the packages, without git or network.
# The build is the package preset's, in BUILD (build-package by default). Every date in the
# packages is SOURCE_DATE_EPOCH: unless set, the last commit's time, or in a source tarball the
# time it records in dist/source-date-epoch; so two builds of one commit give the same bytes
# (scripts/reproducible.sh). Each package must pass lintian without an error or a warning.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build-package}
output=$(realpath -m "${1:-$build/packages}")
fail() {
  echo "package.sh: $*" >&2
  exit 1
}
# True in a git checkout of this tree (not in a tarball unpacked inside some other checkout).
in_checkout() {
  command -v git > /dev/null && [ "$(git rev-parse --show-toplevel 2> /dev/null)" = "$PWD" ]
}
version=$(sed -n 's/^project(Astorine VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
[ -n "$version" ] || fail "no version in CMakeLists.txt"
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  if in_checkout; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
  elif [ -f dist/source-date-epoch ]; then
    SOURCE_DATE_EPOCH=$(cat dist/source-date-epoch)
  else
    fail "neither git nor dist/source-date-epoch tells the source's date; set SOURCE_DATE_EPOCH"
  fi
fi
export SOURCE_DATE_EPOCH

scripts/setup.sh
scripts/build.sh --preset package "$build"
rm -rf "$output" "$build/cpack"
mkdir -p "$output"
# cpack gives the archive's members the modes its own files have on disk: they follow the umask.
(umask 022 && cpack --config "$build/CPackConfig.cmake" -B "$build/cpack" > "$build/cpack.log") ||
  fail "cpack failed: $(cat "$build/cpack.log")"
mv "$build"/cpack/*.deb "$output"/
# Debian's checker, with the overrides the packages carry (their reasons are in the file).
lintian --fail-on error,warning "$output"/*.deb 2> /dev/null || fail "lintian found the above"

if in_checkout; then
  [ -z "$(git status --porcelain --untracked-files=no)" ] ||
    echo "package.sh: the tree has changes not committed; the source tarball has the last commit" >&2
  # git archive gives every file the commit's time; the commit's time goes in too, for builds
  # without git.
  printf '%s\n' "$SOURCE_DATE_EPOCH" > "$build/source-date-epoch"
  git archive --format=tar --prefix="astorine-$version/dist/" --add-file="$build/source-date-epoch" \
    --prefix="astorine-$version/" HEAD | xz -6 --threads=1 > "$output/astorine-$version.tar.xz"
fi
ls -1 "$output"

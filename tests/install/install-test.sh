#!/usr/bin/env bash
# An install into a temporary prefix: the layout, the three validators on the desktop entry, the
# metadata and the man page, and one version throughout.
#
#   install-test.sh BUILD_DIR APP_ID VERSION RELEASE_DATE BINDIR DATADIR
set -euo pipefail
build=$1 id=$2 version=$3 date=$4 bindir=$5 datadir=$6
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() {
  echo "install test: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" > /dev/null

expected=("$bindir/astorine" share/applications/$id.desktop share/metainfo/$id.metainfo.xml
  share/man/man6/astorine.6.gz share/locale/en/LC_MESSAGES/astorine.mo
  share/locale/ja/LC_MESSAGES/astorine.mo bin/astorine-lobby share/man/man8/astorine-lobby.8.gz
  lib/systemd/system/astorine-lobby.service)
for size in 16 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for file in "${expected[@]}"; do
  [ -s "$prefix/$file" ] || fail "$file is not installed"
done
[ -x "$prefix/$bindir/astorine" ] || fail "$bindir/astorine is not executable"
data_count=$(find "$prefix/$datadir/Data" -type f | wc -l)
[ "$data_count" -eq "$(find "$build/Data" -type f | wc -l)" ] ||
  fail "$datadir/Data holds $data_count files, not those of the build's Data"
# Debian's own files go only into the packages.
[ ! -e "$prefix/share/doc" ] && [ ! -e "$prefix/share/lintian" ] ||
  fail "a plain install has the packages' files in share/doc or share/lintian"

# Each icon is a PNG of its own size, drawn for it rather than scaled from one picture.
for size in 16 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  [ "$(identify -format '%m %wx%h' "$icon")" = "PNG ${size}x${size}" ] ||
    fail "the ${size}-pixel icon is $(identify -format '%m %wx%h' "$icon")"
done
# The 32-pixel icon is the window's icon.
[ "$(compare -metric AE "$prefix/share/icons/hicolor/32x32/apps/$id.png" \
  "$build/Data/icon.bmp" null: 2>&1)" = 0 ] || fail "the 32-pixel icon is not the window's icon"

validate() {
  local log
  log=$("$@" 2>&1) || fail "$* failed: $log"
  [ -z "$(grep -E -i -e 'warning|error' -e '^[EW]:' <<< "$log")" ] || fail "$* warned: $log"
}
validate desktop-file-validate "$prefix/share/applications/$id.desktop"
validate appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
man_page=$prefix/man-page.6
gzip -dc "$prefix/share/man/man6/astorine.6.gz" > "$man_page"
validate groff -man -ww -z "$man_page"
[ -z "$(groff -man -ww -z "$man_page" 2>&1)" ] || fail "the man page renders with warnings"
lobby_page=$prefix/lobby-page.8
gzip -dc "$prefix/share/man/man8/astorine-lobby.8.gz" > "$lobby_page"
[ -z "$(groff -man -ww -z "$lobby_page" 2>&1)" ] || fail "the lobby's man page renders with warnings"

# One version and one id everywhere.
[ "$("$prefix/$bindir/astorine" --version)" = "astorine $version" ] || fail "--version is not $version"
grep -q "<release version=\"$version\" date=\"$date\"" "$prefix/share/metainfo/$id.metainfo.xml" ||
  fail "the metadata's release is not $version of $date"
head -n 1 "$man_page" | grep -q "\"$date\" \"Astorine $version\"" ||
  fail "the man page's header is not $version of $date"
grep -qx "StartupWMClass=$id" "$prefix/share/applications/$id.desktop" ||
  fail "the desktop entry's window class is not $id"
echo "install test passed: ${#expected[@]} files and $data_count data files, validators clean," \
  "version $version"

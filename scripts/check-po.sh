#!/usr/bin/env bash
# The catalogs are whole: every text passed to Tr in the sources is in the template and translated,
# unfuzzy, in every language of po/LINGUAS, and each catalog compiles with its format checks.
#   scripts/check-po.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# The sources: git's list in a checkout, every file of src/ and tools/ in an unpacked tarball.
if git rev-parse --is-inside-work-tree > /dev/null 2>&1; then
  mapfile -t sources < <(git ls-files -co --exclude-standard 'src/*.cpp' 'src/*.h' 'tools/*.cpp' | sort)
else
  mapfile -t sources < <(find src tools \( -name '*.cpp' -o -path 'src/*.h' \) | sort)
fi
xgettext --from-code=UTF-8 --language=C++ --keyword=Tr --no-location \
  --output="$scratch/fresh.pot" "${sources[@]}" 2> /dev/null
status=0
# msgids only, one per line, in order, for both templates.
ids() { msgcat --no-location --no-wrap --sort-output "$1" | grep -A1 '^msgid' | grep -v '^--$' ; }
if ! diff <(ids "$scratch/fresh.pot" | grep -v '^msgid ""$' | sort) \
          <(ids po/astorine.pot | grep -v '^msgid ""$' | sort) > "$scratch/diff"; then
  echo "po/astorine.pot is out of date (scripts/update-po.sh):"
  cat "$scratch/diff"
  status=1
fi
for lang in $(cat po/LINGUAS); do
  report=$(LC_ALL=C msgfmt --check --statistics --output-file=/dev/null "po/$lang.po" 2>&1) || {
    echo "po/$lang.po: $report"; status=1; continue; }
  if ! msgcmp "po/$lang.po" "$scratch/fresh.pot" 2> "$scratch/missing"; then
    echo "po/$lang.po lacks texts:"; cat "$scratch/missing"; status=1
  fi
  case $report in
    *untranslated*|*fuzzy*) echo "po/$lang.po: $report"; status=1 ;;
  esac
done
exit $status

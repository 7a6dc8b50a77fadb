#!/usr/bin/env bash
# Gathers every text passed to Tr in src/ and tools/ into po/astorine.pot and merges it into each
# language's catalog of po/LINGUAS; new texts come in untranslated, and the catalog check
# (scripts/check-po.sh, a test) fails until they are translated.
#   scripts/update-po.sh
set -euo pipefail
cd "$(dirname "$0")/.."
# The sources: git's list in a checkout, every file of src/ and tools/ in an unpacked tarball.
if git rev-parse --is-inside-work-tree > /dev/null 2>&1; then
  mapfile -t sources < <(git ls-files -co --exclude-standard 'src/*.cpp' 'src/*.h' 'tools/*.cpp' | sort)
else
  mapfile -t sources < <(find src tools \( -name '*.cpp' -o -path 'src/*.h' \) | sort)
fi
# xgettext's warnings are about the game's own texts being Japanese, and the missing bug address.
xgettext --from-code=UTF-8 --language=C++ --keyword=Tr --add-comments=TRANSLATORS: \
  --add-location=file --sort-by-file --package-name=astorine --msgid-bugs-address='' \
  --output=po/astorine.pot "${sources[@]}" 2> /dev/null
# The creation date would change the template at every run; the header's placeholders say nothing.
sed -i -e '/^"POT-Creation-Date:/d' -e '1,5d' po/astorine.pot
sed -i "1i # Astorine's texts, gathered from the sources by scripts/update-po.sh: do not edit." \
  po/astorine.pot
for lang in $(cat po/LINGUAS); do
  msgmerge --quiet --update --backup=none --no-fuzzy-matching --add-location=file \
    "po/$lang.po" po/astorine.pot
done

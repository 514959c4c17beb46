#!/bin/sh
# Refreshes translations/*.ts from every text the sources mark for translation.
#   scripts/update-translations.sh [LUPDATE] [FOLDER]
# With FOLDER the refreshed copies go there and translations/ is left alone (the staleness test
# compares them). Locations are left out, so only a new, changed or removed text changes a file.
# English is the source language: its file keeps only the texts with plural forms.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
lupdate=${1:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}
out=${2:-$here/translations}
if [ "$out" != "$here/translations" ]; then
    cp "$here"/translations/*.ts "$out"/
fi
cd "$here"
set -- -silent -locations none -no-obsolete -extensions cpp,h,inc src resources/dialogs
"$lupdate" "$@" -ts "$out/rumo_ja.ts"
"$lupdate" "$@" -pluralonly -ts "$out/rumo_en.ts"

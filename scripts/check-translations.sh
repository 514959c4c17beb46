#!/bin/sh
# Fails when a .ts file in translations/ is out of date with the sources: a text added, changed
# or removed without running `make translations`.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$here/scripts/update-translations.sh" "$1" "$tmp"
status=0
for ts in "$here"/translations/*.ts; do
    if ! diff -u "$ts" "$tmp/$(basename "$ts")"; then
        echo "$(basename "$ts") is out of date: run make translations" >&2
        status=1
    fi
done
exit $status

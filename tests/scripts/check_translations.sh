#!/usr/bin/env bash
# Fails when a text of the program is missing from the Italian or Spanish translation,
# or is there but unfinished. lupdate runs on copies, so the sources stay untouched.
set -euo pipefail
src=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
status=0
for lang in it es; do
  cp "$src/translations/audit_$lang.ts" "$tmp/audit_$lang.ts"
  lupdate -silent -locations none -no-obsolete "$src/src" "$src/tools" -ts "$tmp/audit_$lang.ts" >/dev/null
  unfinished=$(grep -c 'type="unfinished"' "$tmp/audit_$lang.ts" || true)
  if [ "$unfinished" -ne 0 ]; then
    echo "audit_$lang.ts: $unfinished texts are missing or unfinished:"
    grep -B3 'type="unfinished"' "$tmp/audit_$lang.ts" | grep '<source>' | head -n 40
    status=1
  fi
  empty=$(grep -c '<translation></translation>' "$tmp/audit_$lang.ts" || true)
  if [ "$empty" -ne 0 ]; then
    echo "audit_$lang.ts: $empty empty translations"
    status=1
  fi
done
cp "$src/translations/audit_en.ts" "$tmp/audit_en.ts"
lupdate -silent -locations none -no-obsolete -pluralonly "$src/src" "$src/tools" -ts "$tmp/audit_en.ts" >/dev/null
unfinished=$(grep -c 'type="unfinished"' "$tmp/audit_en.ts" || true)
if [ "$unfinished" -ne 0 ]; then
  echo "audit_en.ts: $unfinished plural forms are missing or unfinished:"
  grep -B3 'type="unfinished"' "$tmp/audit_en.ts" | grep '<source>' | head -n 40
  status=1
fi
[ $status -eq 0 ] && echo "Italian and Spanish translations and the English plural forms are complete."
exit $status

#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the installed tree as a desktop would
# use it: launcher, MIME type, icons, udev rule, manual pages (which must name every option the
# programs' --help names), and programs that find their translations.
set -euo pipefail
src=$(cd "$1" && pwd)
build=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
status=0
fail() { echo "$*"; status=1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/corvane-audit bin/corvane-audit-cli bin/corvane-lock-sim \
         share/corvane-audit/translations/audit_it.qm share/corvane-audit/translations/audit_es.qm \
         share/applications/corvane-audit.desktop share/mime/packages/corvane-audit.xml \
         lib/udev/rules.d/60-corvane-audit.rules share/icons/hicolor/scalable/apps/corvane-audit.svg \
         share/doc/corvane-audit/capture-format.md share/corvane-audit/manual/corvane-audit.html \
         share/corvane-audit/manual/corvane-audit_it.html share/corvane-audit/manual/corvane-audit_es.html; do
    [ -e "$prefix/$f" ] || fail "missing: $f"
done
for size in 16 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/corvane-audit.png
    [ "$(python3 -c "import struct,sys; d=open(sys.argv[1],'rb').read(24); print(*struct.unpack('>II', d[16:24]))" "$icon" 2>/dev/null)" = "$size $size" ] \
        || fail "icon ${size}x${size} missing or of another size"
done

desktop-file-validate "$prefix/share/applications/corvane-audit.desktop" || fail "launcher not valid"
grep -q '^Exec=corvane-audit %f$' "$prefix/share/applications/corvane-audit.desktop" || fail "launcher does not pass the file"

xmllint --noout "$prefix/share/mime/packages/corvane-audit.xml" || fail "MIME type not well-formed"
update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || fail "update-mime-database refused the MIME type"
grep -q '\*\.kaud' "$prefix/share/mime/globs2" 2>/dev/null || fail "no *.kaud glob after update-mime-database"

# Each rule line: comma-separated KEY==, KEY!=, KEY+= or KEY= "value" pairs.
pair='[A-Z_]+(\{[A-Za-z_]+\})?(==|!=|\+=|=)"[^"]*"'
while IFS= read -r line; do
    case "$line" in ''|'#'*) continue ;; esac
    [[ $line =~ ^$pair(,\ *$pair)*$ ]] || fail "udev rule line does not parse: $line"
done <"$prefix/lib/udev/rules.d/60-corvane-audit.rules"
if udevadm verify --help >/dev/null 2>&1; then
    udevadm verify "$prefix/lib/udev/rules.d/60-corvane-audit.rules" >/dev/null || fail "udevadm verify refused the rule"
fi

# Manual pages render without warnings and name every option of the programs' usage texts.
export QT_QPA_PLATFORM=offscreen
for program in corvane-audit corvane-audit-cli corvane-lock-sim; do
    page=$prefix/share/man/man1/$program.1.gz
    warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null || true)
    [ -z "$warnings" ] || fail "$program.1: $warnings"
    text=$(MANWIDTH=200 man -l "$page" 2>/dev/null | col -b)
    usage=$("$prefix/bin/$program" --help)
    if [ "$program" = corvane-audit-cli ]; then
        for command in export show ports read-key write-key download users-log; do
            usage+=$'\n'$("$prefix/bin/$program" "$command" --help)
        done
    fi
    for option in $(grep -oE -- '--[a-z][a-z-]+' <<<"$usage" | sort -u); do
        grep -qe "$option" <<<"$text" || fail "$program.1 does not describe $option"
    done
done

# The installed programs find their translations in their share folder.
# Read whole: a reader that quits early would break the pipe and fail the script by chance.
rows=$(cd "$prefix" && bin/corvane-audit-cli export "$src/samples/dallas-audit.kaud" - --language it)
header=${rows%%$'\n'*}
[[ $header == '#,Dispositivo,'* ]] || fail "installed command line is not in Italian: $header"

[ $status -eq 0 ] && echo "The installed tree holds together."
exit $status

#!/usr/bin/env bash
# The golden outputs: runs every case of tests/golden/cases with the command line and compares what
# it writes, byte for byte, with tests/golden/expected. After an intended change of the outputs,
# look at the differences, then refresh them with
#     tests/scripts/check_golden.sh . build --refresh
# (workbooks are compared as the text xlsx_dump.py makes of them, PDF reports as pdftotext's text).
set -uo pipefail
src=$(cd "${1:?source folder}" && pwd)
build=$(cd "${2:?build folder}" && pwd)
refresh=${3:-}
cli=$build/corvane-audit-cli
expected=$src/tests/golden/expected
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
# A history's PDF says when it was printed.
export SOURCE_DATE_EPOCH=1767225600

# The archive cases read one archive made for the run: the bus sample and the visits of one lock.
archive=$work/.archive/archive.sqlite
mkdir -p "$work/.archive"
if ! "$cli" archive import --archive "$archive" "$src/samples/bus-audit.kaud" "$src"/tests/golden/inputs/visit-*.kaud \
    >"$work/.archive/import.log" 2>&1; then
    echo "The golden archive could not be made: $(cat "$work/.archive/import.log")"
    exit 1
fi
# A history's evidence names who imported each audit and when, and the chain head over them: the
# imports are given fixed times and importer, and the chain is made again as those imports would
# have made it (archive verify checks it did).
/usr/bin/python3 - "$archive" <<'PY' || { echo "The golden archive's imports could not be fixed"; exit 1; }
import hashlib, sqlite3, sys
db = sqlite3.connect(sys.argv[1])
at = 1767225600000  # 2026-01-01 00:00 as the archive's wall clock
previous = "0" * 64
for n, (link, audit, serial, sha) in enumerate(db.execute(
        "SELECT id, audit_id, serial, sha256 FROM chain ORDER BY id").fetchall()):
    when, by, host = at + n * 60000, "golden", "golden-host"
    text = "\n".join(["corvane-chain-1", previous, sha, bytes(serial).hex(), str(when),
                      by.encode().hex(), host.encode().hex()]) + "\n"
    digest = hashlib.sha256(text.encode()).hexdigest()
    db.execute("UPDATE chain SET imported_at = ?, imported_by = ?, imported_host = ?, previous = ?, hash = ? WHERE id = ?",
               (when, by, host, previous, digest, link))
    db.execute("UPDATE audits SET imported_at = ?, imported_by = ?, imported_host = ? WHERE id = ?", (when, by, host, audit))
    previous = digest
db.commit()
PY
if ! "$cli" archive verify --archive "$archive" >"$work/.archive/verify.log" 2>&1; then
    echo "The golden archive is not sound: $(cat "$work/.archive/verify.log")"
    exit 1
fi

status=0
names=()
while read -r name command args; do
    case "$name" in ''|'#'*) continue ;; esac
    names+=("$name")
    out=$work/$name
    # From the work folder: OUT is the bare name the PDF's footer shows, inputs are from the top.
    # shellcheck disable=SC2086
    set -- $args
    a=()
    for x in "$@"; do
        case "$x" in
        OUT) a+=("$name") ;;
        samples/* | tests/*) a+=("$src/$x") ;;
        *) a+=("$x") ;;
        esac
    done
    if [ "$command" = show ]; then
        (cd "$work" && "$cli" show "${a[@]}" >"$out" 2>"$out.err")
    elif [ "$command" = archive ]; then
        (cd "$work" && "$cli" archive "${a[@]}" --archive "$archive" 2>"$out.err")
    else
        (cd "$work" && "$cli" export "${a[@]}" 2>"$out.err")
    fi || { echo "$name: the command line failed: $(cat "$out.err")"; status=1; continue; }
    case "$name" in
    *.xlsx) /usr/bin/python3 "$src/tests/golden/xlsx_dump.py" "$out" >"$out.txt" && mv "$out.txt" "$out" ;;
    *.pdf) pdftotext -layout "$out" - >"$out.txt" && mv "$out.txt" "$out" ;;
    esac
    if [ "$refresh" = --refresh ]; then
        cp "$out" "$expected/$name"
    elif ! cmp -s "$out" "$expected/$name"; then
        echo "$name differs from tests/golden/expected/$name:"
        diff "$expected/$name" "$out" | head -n 20
        status=1
    fi
done <"$src/tests/golden/cases"

# A kept output that no case makes any more is a stale one.
for kept in "$expected"/*; do
    [ -e "$kept" ] || continue
    base=${kept##*/}
    found=0
    for n in "${names[@]}"; do [ "$n" = "$base" ] && found=1; done
    if [ $found = 0 ]; then
        if [ "$refresh" = --refresh ]; then rm "$kept"; else echo "tests/golden/expected/$base: no case makes it"; status=1; fi
    fi
done
[ $status = 0 ] && [ "$refresh" != --refresh ] && echo "All ${#names[@]} golden outputs are unchanged."
exit $status

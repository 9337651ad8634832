#!/usr/bin/env bash
# Records the captures of this folder again, from corvane-lock-sim at the pace of the line, each
# with the output the command line made of it beside (NAME.bin, NAME.kaud, NAME.csv):
#     tests/captures/record.sh [BUILD]        (BUILD: a build folder, build/ by default)
# The test tst_replay replays every NAME.capture here through corvane-lock-sim --replay and the
# command line, and checks the outcome its end line names and the outputs beside it. A capture
# sent from the field is added by dropping it here, with its outputs if they are known.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../build}" && pwd)
work=$(mktemp -d)
sim=
trap '[ -z "$sim" ] || kill "$sim" 2>/dev/null; rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

# record NAME "SIMULATOR OPTIONS" COMMAND ARGUMENTS...
record() {
    local name=$1 options=$2
    shift 2
    rm -f "$work/sim.out"
    # shellcheck disable=SC2086
    "$build/corvane-lock-sim" $options </dev/null >"$work/sim.out" &
    sim=$!
    until [ -s "$work/sim.out" ]; do sleep 0.1; done
    local port
    port=$(head -n 1 "$work/sim.out")
    local status=0
    (cd "$here" && "$build/corvane-audit-cli" "$@" --port "$port" --capture "$name.capture" >/dev/null 2>&1) || status=$?
    kill "$sim"
    wait "$sim" 2>/dev/null || true
    sim=
    echo "$name: exit status $status, $(grep -c ' > ' "$here/$name.capture") exchanges"
}

record key-read "--key audit" read-key key-read.bin
record key-write "--key blank" write-key --yes
record download-50-crc "--fault keypad-crc=once" download --events 50 download-50-crc.kaud
record users-log "" users-log users-log.csv
record download-lock-error "--fault event-error=20:0x90" download --events 50 download-lock-error.kaud

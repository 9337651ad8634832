#!/usr/bin/env bash
# Installs what is missing, builds, and starts the window.
# With no USB interface connected (and CORVANE_AUDIT_PORTS unset) it first starts the simulated
# lock of the samples on a pseudo-terminal, so that there is something to download from; the
# simulator ends with the window. --no-simulator leaves it out.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}

simulator=1
args=()
for a in "$@"; do
    if [ "$a" = --no-simulator ]; then simulator=0; else args+=("$a"); fi
done

"$root/scripts/build.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != offscreen ]; then
  cat >&2 <<MSG
No graphical display found (DISPLAY is not set), so the window cannot open.
Run it inside a virtual display instead:
    xvfb-run -a -s "-screen 0 1280x800x24" $0
MSG
  exit 1
fi

if [ "$simulator" = 1 ] && [ -z "${CORVANE_AUDIT_PORTS:-}" ] && ! "$build/corvane-audit-cli" ports >/dev/null 2>&1; then
    log=$(mktemp)
    "$build/corvane-lock-sim" --key audit --auto-fill 3 </dev/null >"$log" 2>&1 &
    sim=$!
    trap 'kill $sim 2>/dev/null; rm -f "$log"' EXIT
    for _ in $(seq 50); do
        [ -s "$log" ] && break
        sleep 0.1
    done
    port=$(head -n 1 "$log")
    if [ -e "$port" ]; then
        export CORVANE_AUDIT_PORTS=$port
        echo "No USB interface found: using a simulated lock on $port; pass --no-simulator to disable"
    else
        echo "No USB interface found, and the simulated lock did not start: $(cat "$log")" >&2
    fi
fi

status=0
"$build/corvane-audit" ${args[@]+"${args[@]}"} || status=$?
exit $status

#!/usr/bin/env bash
# Installs what is missing, builds, and starts the window.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != offscreen ]; then
  cat >&2 <<MSG
No graphical display found (DISPLAY is not set), so the window cannot open.
Run it inside a virtual display instead:
    xvfb-run -a -s "-screen 0 1280x800x24" $0
MSG
  exit 1
fi
exec "${BUILD_DIR:-$root/build}/corvane-audit" "$@"

#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need,
# only when some are missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qtbase5-dev qttools5-dev qttools5-dev-tools libqt5serialport5-dev
  qttranslations5-l10n libxlsxwriter-dev libqt5sql5-sqlite libqt5sql5-psql libpq-dev postgresql sqlite3
  clang libclang-rt-14-dev
  xvfb xauth fonts-dejavu-core
  python3 python3-openpyxl python3-pyftpdlib poppler-utils
  desktop-file-utils libxml2-utils shared-mime-info man-db bsdextrautils dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Run as root or install sudo." >&2; exit 1; }
  sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Installs every Debian 12 package that building, testing and taking screenshots need.
# Idempotent: runs apt-get only when something is missing, and "apt-get update" only then.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6sql6-sqlite qt6-translations-l10n libgl-dev
  libzip-dev libxlsxwriter-dev libfreexl-dev libgsf-1-dev libcurl4-openssl-dev
  sqlite3 python3 python3-aiosmtpd
  xvfb xauth openbox imagemagick poppler-utils fonts-noto-cjk
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}"

#!/usr/bin/env bash
# Installs the Debian packages that building and testing the native (POSIX) targets need.
set -euo pipefail
pkgs=(
  build-essential cmake ninja-build pkg-config clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  libpugixml-dev libjpeg62-turbo-dev libstb-dev libzip-dev zlib1g-dev libsqlite3-dev sqlite3
  libzxing-dev # zxing-cpp: the QR codes
  libcairo2-dev fonts-wqy-zenhei poppler-utils zip
  fp-utils # chmcmd and chmls: the help file
  clang libclang-rt-dev # the fuzz targets
)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

#!/usr/bin/env bash
# The main job: builds the project (installing what it needs) and runs the reference host, which
# creates or opens its database with the demo data and drives the plug-in. Arguments are passed to
# tkvhost (--data DIR, --out DIR); by default the data lives in ./tkvhost-data and the outputs go to
# ./tkvhost-out.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs=$(nproc)

if [ "$(id -u)" = "0" ]; then
  bash "$root/scripts/install-deps.sh"
else
  sudo -n bash "$root/scripts/install-deps.sh" 2>/dev/null || bash "$root/scripts/install-deps.sh"
fi

cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$jobs" --target tkvhost SiInterface pictureScan

exec "$root/build/src/host/tkvhost" "$@"

#!/usr/bin/env bash
# Opens the Windows workbench under wine: builds the reference host natively and the plug-in, the
# workbench and the stand-in scanner for x86_64 Windows, prepares the wine prefix (Chinese locale and
# fonts), starts the reference host and the workbench, and waits until the workbench is closed.
# The workbench shows on $DISPLAY (an Xvfb display is started when there is none). The database and
# picture store live in ./workbench-data, reports go to ./workbench-out.
set -euo pipefail
TKV_ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$TKV_ROOT"
source scripts/workbench-lib.sh

if [ "$(id -u)" = "0" ]; then
  bash scripts/install-deps.sh
  bash scripts/win-install.sh
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"${TKV_JOBS:-2}" --target tkvhost
bash scripts/win-deps.sh x86_64
root=${TKV_WIN_DEPS_ROOT:-/var/cache/tkv-win-deps}
cmake -S . -B build-win-x86_64 -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-x86_64-w64-mingw32.cmake" -DTKV_WIN_DEPS_PREFIX="$root/x86_64" \
  -DTKV_WIN_TESTS=ON >/dev/null
cmake --build build-win-x86_64 -j"${TKV_JOBS:-2}" --target TkvfpPlug tkvworkbench pictureScan SiInterface borlndmm

source scripts/win-ui-env.sh
tkv_start_display
trap 'tkv_host_wait; tkv_stop_display' EXIT
tkv_workbench_layout build-win-x86_64 build-win-x86_64/workbench
mkdir -p workbench-out
tkv_host_serve "$PWD/workbench-data" "$PWD/workbench-out" "$PWD/workbench-out/port"
echo "workbench on $DISPLAY, reference host on 127.0.0.1:$TKV_HOST_PORT"
(cd build-win-x86_64/workbench && "$WINE" tkvworkbench.exe --port "$TKV_HOST_PORT")

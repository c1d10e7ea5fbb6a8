#!/usr/bin/env bash
# Cross-builds the DLL for one Windows target: scripts/win-build.sh i686|x86_64 [build-dir]
# (default build-win-<arch>). Builds the dependency cache first when it is missing, and places the
# help file beside the library (with the user-interface tests' screenshots when they exist).
set -euo pipefail
arch=${1:?usage: win-build.sh i686|x86_64 [build-dir]}
cd "$(dirname "$0")/.."
bash scripts/win-deps.sh "$arch"
build=${2:-build-win-$arch}
root=${TKV_WIN_DEPS_ROOT:-/var/cache/tkv-win-deps}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-$arch-w64-mingw32.cmake" -DTKV_WIN_DEPS_PREFIX="$root/$arch" \
  -DTKV_WIN_TESTS=ON >/dev/null
cmake --build "$build" -j"${TKV_JOBS:-2}"
bash scripts/build-help.sh "$build/src/abi"

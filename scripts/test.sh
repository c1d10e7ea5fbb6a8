#!/usr/bin/env bash
# The project's whole test run: installs what it needs, builds and runs the tests natively, again
# with AddressSanitizer and UndefinedBehaviorSanitizer, a short run of the fuzz targets, the Windows
# boundary tests (the i686 product under 32-bit Wine in qemu-i386, its x86_64 twin under wine64),
# and the Win32 renderer and workbench tests under wine64 on an Xvfb display.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

bash scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTKV_SANITIZE=ON -DTKV_BENCH=OFF
cmake --build build-asan -j"$jobs"
LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build-asan --output-on-failure -j"$jobs"

bash scripts/fuzz.sh

if [ -f scripts/test-windows.sh ]; then
  bash scripts/test-windows.sh
fi
if [ -f scripts/test-workbench.sh ]; then
  bash scripts/test-workbench.sh
fi

#!/usr/bin/env bash
# The project's whole test run: installs what it needs, builds and runs the tests natively, again
# with AddressSanitizer and UndefinedBehaviorSanitizer, a short run of the fuzz targets, the Windows
# boundary tests (the i686 product under 32-bit Wine in qemu-i386, its x86_64 twin under wine64),
# and on an Xvfb display the Win32 renderer tests (x86_64 under wine64, i686 under 32-bit Wine) and
# the workbench tests under wine64. Each stage's time is printed.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
# Each stage's time, printed when it ends and again as a summary at the end of the run.
stage_times=()
stage() {
  local name=$1 start
  shift
  start=$(date +%s)
  "$@"
  stage_times+=("$name: $(( $(date +%s) - start )) s")
  echo "stage $name took $(( $(date +%s) - start )) s"
}
native() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build build -j"$jobs"
  ctest --test-dir build --output-on-failure -j"$jobs"
}
sanitized() {
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTKV_SANITIZE=ON -DTKV_BENCH=OFF
  cmake --build build-asan -j"$jobs"
  LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j"$jobs"
}

stage dependencies bash scripts/install-deps.sh
stage native native
stage sanitizers sanitized
stage fuzz bash scripts/fuzz.sh
if [ -f scripts/test-windows.sh ]; then
  stage windows bash scripts/test-windows.sh
fi
if [ -f scripts/test-workbench.sh ]; then
  stage workbench bash scripts/test-workbench.sh
fi
printf 'stage times: %s\n' "${stage_times[*]}"

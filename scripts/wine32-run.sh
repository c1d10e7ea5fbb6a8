#!/usr/bin/env bash
# Runs a 32-bit Windows program in the runtime that scripts/wine32-runtime.sh prepared:
# scripts/wine32-run.sh program.exe [arguments]; headless unless TKV_WINE32_DISPLAY names a display
# (whose virtual desktop a 64-bit explorer must hold: the 32-bit process cannot start one). Wine's
# 32-bit loader runs under qemu-i386 without its preloader re-exec and talks to the native 64-bit
# wineserver; the reserved guest base keeps Wine's address-space reservation from costing a minute
# per start.
set -euo pipefail
rt=${TKV_WIN_DEPS_ROOT:-/var/cache/tkv-win-deps}/wine32
sysroot=$rt/sysroot
export WINEPREFIX=$rt/prefix WINELOADERNOEXEC=1 WINESERVER=/usr/lib/wine/wineserver64
export WINEDEBUG=${WINEDEBUG:--all} DISPLAY=${TKV_WINE32_DISPLAY:-}
exec qemu-i386 -R 0x81000000 -L "$sysroot" "$sysroot/usr/lib/wine/wine" "$@"

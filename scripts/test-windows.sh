#!/usr/bin/env bash
# The Windows boundary tests: installs the cross toolchain, wine64 and qemu-user, builds the
# dependency cache, the 32-bit Wine runtime and both targets, checks the i686 product DLL's headers
# and exports, and runs the boundary test host of each build against its DLL (headless, Chinese
# locale so that the system code page is 936).
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
root=${TKV_WIN_DEPS_ROOT:-/var/cache/tkv-win-deps}
export TKV_JOBS=${TKV_JOBS:-$(nproc)}

bash scripts/win-install.sh
bash scripts/win-build.sh i686
bash scripts/win-build.sh x86_64

# The product: a 32-bit DLL with exactly the four exports and no MinGW runtime DLL behind it.
dll=build-win-i686/src/abi/TkvfpPlug.dll
if [ -f "$dll" ]; then
  headers=$(i686-w64-mingw32-objdump -p "$dll")
  grep -q '^architecture: i386' <<<"$(i686-w64-mingw32-objdump -f "$dll")" || { echo "$dll is not i386" >&2; exit 1; }
  exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" | awk '/^[[:space:]]+\[ *[0-9]+\] / {print $NF}' |
    sort | tr '\n' ' ')
  if [ "$exports" != "CreatePlugInfo CreateRetailPlug TkvPrint TkvjobLink " ]; then
    echo "unexpected exports of $dll: $exports" >&2
    exit 1
  fi
  deps=$(awk '/DLL Name:/ {print $3}' <<<"$headers" | sort -u | tr '\n' ' ')
  if grep -qiE 'libgcc|libstdc\+\+|libwinpthread|zlib1|libzip|libjpeg|pugixml|zxing' <<<"$deps"; then
    echo "$dll depends on a runtime DLL: $deps" >&2
    exit 1
  fi
  echo "TkvfpPlug.dll (i686): machine i386; exports: $exports; imports: $deps"
elif [ -f src/plugin/Exports.h ]; then
  echo "TkvfpPlug.dll was not built" >&2
  exit 1
else
  # Only while the plug-in core has not landed: the boundary layer is tested through the probe.
  echo "TkvfpPlug.dll not built yet: src/plugin/Exports.h is missing"
fi

# The boundary tests of both builds, each from one folder, as the DLLs sit beside the host
# program: the i686 product under 32-bit Wine in qemu-i386 (stdcall, the register convention and
# callee clean-up are real only there), its x86_64 twin under wine64.
bash scripts/wine32-runtime.sh
export WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 DISPLAY=
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# run_boundary_tests ARCH COMMAND...: prints the host's output and leaves its summary line in
# $work/ARCH.summary. A run that ends before its summary (Wine failing to start, not a failed test)
# is told and tried once more with Wine's error channel on, so that its cause shows in the log.
run_boundary_tests() {
  local arch=$1
  shift
  local dir=$work/$arch build=build-win-$arch
  mkdir -p "$dir"
  cp "$build/tests/abi/tkv_abi_host.exe" "$build/tests/abi/TkvAbiProbe.dll" "$build/src/abi/borlndmm/borlndmm.dll" "$dir"/
  [ ! -f "$build/src/abi/TkvfpPlug.dll" ] || cp "$build/src/abi/TkvfpPlug.dll" "$dir"/
  echo "== boundary tests, $arch"
  # The Windows C runtime ends lines with CR LF.
  (cd "$dir" && "$@" tkv_abi_host.exe) 2>"$dir/err.txt" | tr -d '\r' | tee "$dir/out.txt" || true
  if ! grep -qE '^[0-9]+ passed, [0-9]+ failed$' "$dir/out.txt"; then
    cat "$dir/err.txt" >&2
    echo "the $arch boundary host ended without its summary; running it again with Wine's errors shown" >&2
    (cd "$dir" && WINEDEBUG=err+all "$@" tkv_abi_host.exe) | tr -d '\r' | tee "$dir/out.txt" || true
  fi
  grep -E '^[0-9]+ passed, [0-9]+ failed$' "$dir/out.txt" | tail -n1 >"$work/$arch.summary" || true
}
export WINEPREFIX=$root/wine WINEARCH=win64
[ -f "$WINEPREFIX/system.reg" ] || /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
run_boundary_tests i686 bash "$PWD/scripts/wine32-run.sh"
WINEPREFIX=$root/wine32/prefix /usr/lib/wine/wineserver64 -k 2>/dev/null || true
run_boundary_tests x86_64 /usr/lib/wine/wine64
/usr/lib/wine/wineserver64 -k 2>/dev/null || true

status=0
for arch in i686 x86_64; do
  summary=$(cat "$work/$arch.summary")
  echo "$arch: ${summary:-0 passed, 1 failed}"
  grep -qE '^[0-9]+ passed, 0 failed$' <<<"$summary" || status=1
done
echo "Windows boundary tests took $(( $(date +%s) - start )) s"
exit $status

#!/usr/bin/env bash
# The Win32 renderer and the Windows workbench under wine64 on an Xvfb display:
#  1. the renderer tests (tkv_ui_tests.exe): real windows compared with their models, real input;
#     as x86_64 under wine64 and as the product's i686 under 32-bit Wine (qemu-i386);
#  2. the workbench: the reference host serving tkvworkbench.exe, which loads TkvfpPlug.dll; each
#     association window opened from the workbench's menu or its button, a screenshot and a dump of
#     its controls (class, text, bounds, state, glyphs, tab order) read back from outside;
#  3. the typical road's steps 1 to 4 driven with real input (xdotool) through the workbench, its
#     database rows compared with those of the same steps run headless (tkv_headless_road); F1 in
#     the management window asking the help control for the shipped help file;
#  4. the workbench's retail window: a sale settled, recorded and reversed against the stand-in
#     insurance library, each insurance dialog captured and read back on the way;
#     steps 2 to 4 once more with the i686 workbench and library under 32-bit Wine, each window's
#     control dump equal to the x86_64 one (screenshots in build-win-i686/ui-artifacts);
#  5. the help file "Tkv厂家发票管理插件帮助.chm" built with those screenshots (scripts/build-help.sh);
#  6. the grid binding benchmark under wine.
# Screenshots and dumps go to $TKV_UI_ARTIFACTS (default build-win-x86_64/ui-artifacts); they are test
# artifacts, not committed. Expects the native build (build/) and builds its Windows targets.
set -euo pipefail
cd "$(dirname "$0")/.."
TKV_ROOT=$PWD
start=$(date +%s)
source scripts/workbench-lib.sh
jobs=${TKV_JOBS:-2}

bash scripts/win-deps.sh x86_64
root=${TKV_WIN_DEPS_ROOT:-/var/cache/tkv-win-deps}
cmake -S . -B build-win-x86_64 -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-x86_64-w64-mingw32.cmake" -DTKV_WIN_DEPS_PREFIX="$root/x86_64" \
  -DTKV_WIN_TESTS=ON >/dev/null
cmake --build build-win-x86_64 -j"$jobs" --target TkvfpPlug tkvworkbench pictureScan SiInterface borlndmm tkv_ui_tests \
  tkvprobe hhctrl grid_bind_bench
cmake --build build -j"$jobs" --target tkvhost tkv_headless_road

artifacts=${TKV_UI_ARTIFACTS:-$PWD/build-win-x86_64/ui-artifacts}
rm -rf "$artifacts"
mkdir -p "$artifacts"
winpath() { echo "Z:${1//\//\\}"; }

source scripts/win-ui-env.sh
work_root=$(mktemp -d)
work=$work_root
cleanup() {
  tkv_host_wait
  tkv_stop_display
  rm -rf "$work_root"
}
trap cleanup EXIT
tkv_start_display

echo "== renderer tests"
# renderer_tests <artifact folder> <command...>: one run of the renderer tests, its output kept.
renderer_tests() {
  local folder=$1
  shift
  (cd "$folder" && TKV_UI_ARTIFACTS=$(winpath "$folder") timeout 900 "$@") | tr -d '\r' |
    tee "$folder/renderer-tests.txt"
  grep -qE '^[0-9]+ passed, 0 failed$' "$folder/renderer-tests.txt"
}
renderer_tests "$artifacts" "$WINE" "$TKV_ROOT/build-win-x86_64/tests/win32ui/tkv_ui_tests.exe"

# The product's own architecture: the i686 build of the same tests under 32-bit Wine (qemu-i386),
# on the same display. A 64-bit explorer holds the 32-bit prefix's virtual desktop, which the 32-bit
# process cannot start itself.
echo "== renderer tests, i686 under 32-bit Wine"
i686_start=$(date +%s)
bash scripts/wine32-runtime.sh
cmake --build build-win-i686 -j"$jobs" --target tkv_ui_tests hhctrl TkvfpPlug tkvworkbench pictureScan SiInterface borlndmm
artifacts32=${TKV_UI_ARTIFACTS_I686:-$PWD/build-win-i686/ui-artifacts}
rm -rf "$artifacts32"
mkdir -p "$artifacts32"
wine32_prefix=$root/wine32/prefix
desktops() { xwininfo -root -tree 2>/dev/null | grep -c 'Wine desktop' || true; }
desktops_before=$(desktops)
WINEPREFIX=$wine32_prefix "$WINE" explorer /desktop=Default,1280x1024 >/dev/null 2>&1 &
for _ in $(seq 100); do
  [ "$(desktops)" -gt "$desktops_before" ] && break
  sleep 0.2
done
i686_ok=1
export TKV_WINE32_DISPLAY=$DISPLAY
renderer_tests "$artifacts32" bash "$TKV_ROOT/scripts/wine32-run.sh" \
  "$TKV_ROOT/build-win-i686/tests/win32ui/tkv_ui_tests.exe" || i686_ok=
unset TKV_WINE32_DISPLAY
WINEPREFIX=$wine32_prefix /usr/lib/wine/wineserver64 -k 2>/dev/null || true
[ -n "$i686_ok" ] || { echo "the i686 renderer tests failed" >&2; exit 1; }
echo "i686 renderer tests took $(( $(date +%s) - i686_start )) s"

echo "== help"
# The help file with the renderer tests' screenshots, beside the library the workbench loads; built
# again with the workbench's screenshots at the end.
bash scripts/build-help.sh build-win-x86_64/src/abi "$artifacts"

# workbench_road ARCH ARTIFACTS: the workbench of that build, its windows from the menu, the typical
# road by real input against its headless run, F1 and the retail window. The probe is the x86_64
# one in every case: it runs in the same prefix, so it sees the windows of a 32-bit workbench too.
rows() {
  sqlite3 -separator '|' "$1" "
    SELECT 'voice', VoiceCode, VoiceDate, brec, bfullname FROM TK_Voice ORDER BY voiceid;
    SELECT 'image', ImageId, ord, imgname FROM TK_Image ORDER BY ImageId;
    SELECT 'voiceimage', voiceid, ImageId, ImageName, deleted FROM TK_VoiceImage ORDER BY id;
    SELECT 'link', id, voiceid, billid, buyid FROM TK_JobLink ORDER BY id;
    SELECT 'linkimage', linkid, ImageId FROM TK_JobLinkImage ORDER BY linkid, ImageId;
    SELECT 'temp', count(*) FROM t_tempVoiceLink;"
}
workbench_road() {
wb_arch=$1
artifacts=$2
wb_work=$work_root/$wb_arch
echo "== workbench ($wb_arch)"
work=$wb_work
mkdir -p "$work"
bench=$work/workbench
tkv_workbench_layout "build-win-$wb_arch" "$bench"
# The stand-in help control records what F1 asks it to show (the real one needs a browser engine).
cp "build-win-$wb_arch/tests/win32ui/hhctrl.ocx" "$WINEPREFIX/drive_c/windows/$wb_system/hhctrl.ocx"
help_log=$work/help-calls.txt
probe_exe=$(winpath "$TKV_ROOT/build-win-x86_64/tests/win32ui/tkvprobe.exe")
probe() { "$WINE" "$probe_exe" "$@"; }
point() { probe point "$@"; }
click() {
  local xy
  xy=$(point "$@") || { echo "no control: $*" >&2; return 1; }
  xdotool mousemove $xy sleep 0.2 click 1
}
dblclick() {
  local xy
  xy=$(point "$@") || { echo "no control: $*" >&2; return 1; }
  xdotool mousemove $xy sleep 0.2 click --repeat 2 --delay 100 1
}
keys() { xdotool sleep 0.2 key --delay 120 "$@"; }
settle() { sleep "${1:-0.5}"; }
wait_window() { probe wait "$1" "${2:-20000}" || { echo "window $1 did not open" >&2; return 1; }; }
capture() { # caption name: screenshot and control dump of the window
  settle 0.8
  probe shot "$1" "$(winpath "$artifacts/$2.png")"
  probe dump "$1" "$(winpath "$artifacts/$2.txt")"
  if grep -q MISSING-GLYPHS "$artifacts/$2.txt"; then
    echo "$2: texts without glyphs:" >&2
    grep MISSING-GLYPHS "$artifacts/$2.txt" >&2
    return 1
  fi
  grep -q '^tab' "$artifacts/$2.txt"
}

# The headless run of the same steps first: it writes the picture file the road loads.
picture=$work/road-out/invoice-page.jpg
mkdir -p "$work/road-out"
"$TKV_ROOT/build/src/host/tkvhost" --help >/dev/null
main_caption="TkvfpPlug 工作台 - Tkv厂家发票管理 1.0"
list_caption="厂家品种发票图片关联管理"
new_caption="厂家商品发票关联"
"$TKV_ROOT/build/tests/host/tkv_headless_road" "$work/road-data" "$work/road-out" "$picture"

mkdir -p "$work/wb-out"
tkv_host_serve "$work/wb-data" "$work/wb-out" "$work/wb-out/port"
(cd "$bench" && TKV_SCAN_DIR="$work/scans" TKV_HELP_LOG="$(winpath "$help_log")" \
  WINEDLLOVERRIDES="$WINEDLLOVERRIDES;hhctrl.ocx=n" "${wb_run[@]}" tkvworkbench.exe --port "$TKV_HOST_PORT") &
workbench_pid=$!
wait_window "$main_caption" 60000
capture "$main_caption" workbench

# Step 1: the menu of the plug-in's parent menu, its first entry opens the management window.
settle 1
xdotool mousemove 400 300 click 1 # the workbench's main window, made at (20, 20), becomes active
keys F10 Right Down Return
wait_window "$list_caption"
capture "$list_caption" TPtypeDz
# Step 2: "新增关联" opens the new association window; detail mode from the first day of the
# previous month, the first supplier the host offers, query, tick the first two batches.
click "$list_caption" btn_Add
wait_window "$new_caption"
capture "$new_caption" TFpImageFrm
click "$new_caption" rg_Mode item 1
click "$new_caption" Begindate at 40 # the month of yyyy-MM-dd
keys Down
if [ "$(date +%m)" = 01 ]; then # January: the previous month lies in the previous year
  click "$new_caption" Begindate at 15
  keys Down
fi
click "$new_caption" edit_Btype right
wait_window "选择单位"
keys Return
probe gone "选择单位" 10000
click "$new_caption" btn_Query
settle 1
dblclick "$new_caption" MainGrid row 0
dblclick "$new_caption" MainGrid row 1
# Step 3: the QR record of a known invoice, typed as a 2D reader types it and ended with Enter; the
# field keeps the invoice number and leaving it brings the invoice's pictures; the first is chosen;
# a picture file loaded through the real file dialog.
click "$new_caption" edit_FPCode
xdotool type --delay 40 "$(cat "$work/road-out/invoice-code.txt")"
keys Return
settle 1
dblclick "$new_caption" Image5
capture "$new_caption" TFpImageFrm-invoice
grep -q '^edit_FPCode|Edit|31000001|' "$artifacts/TFpImageFrm-invoice.txt" ||
  { echo "the reader's QR record did not become invoice number 31000001" >&2; return 1; }
# Under qemu-i386 the system's file dialog (Wine's shell folders) stops before it shows in the
# workbench's process, so the i686 road scans its picture; the rows come out the same.
if [ "$wb_arch" = i686 ]; then
  click "$new_caption" btn_scan
else
  click "$new_caption" btn_load
  wait_window "载入图片"
  settle 1
  xdotool type --delay 30 "$(winpath "$picture")"
  keys Return
  probe gone "载入图片" 10000
fi
settle 1
capture "$new_caption" TFpImageFrm-pictures
# The full-screen viewer of the loaded picture: opened by the slot's menu, closed with Esc.
click "$new_caption" Image1
xdotool click 3
keys Down Return
settle 1
probe shot "" "$(winpath "$artifacts/viewer.png")" || true
keys Escape
# Step 4: "确定" asks, saves and says so; the management list shows the new links.
click "$new_caption" btn_OK
wait_window "提示"
keys Return
settle 1
wait_window "提示"
keys Return
probe gone "$new_caption" 20000
# The edit window of the first link of the previous month, closed with "取消" (nothing is saved).
click "$list_caption" Begindate at 40
keys Down
click "$list_caption" btn_Query
settle 1
capture "$list_caption" TPtypeDz-after
click "$list_caption" MainGrid row 0
click "$list_caption" btn_Edit
wait_window "$new_caption"
capture "$new_caption" TFpImageEditFrm
click "$new_caption" btn_Cancel
wait_window "提示"
keys Return
probe gone "$new_caption" 20000
# F1 in the management window: the help control is asked for the shipped help file, which exists.
click "$list_caption" MainGrid row 0
keys F1
settle 1
# The help control takes the path in the system code page.
help_file=$(iconv -f GBK -t UTF-8 "$help_log" | grep -v '^[0-9]*|$' | tail -1 | cut -d'|' -f2-)
help_unix=${help_file#Z:}
help_unix=${help_unix//\\//}
if [ -z "$help_file" ] || [ ! -f "$help_unix" ] ||
  [[ "$help_file" != *'plug\Tkv厂家发票管理插件帮助.chm' ]]; then
  echo "F1 asked the help control for '$help_file'; its calls:" >&2
  cat "$help_log" >&2 || true
  exit 1
fi
echo "F1: the help control was asked for $help_file"
click "$list_caption" btn_Exit
probe gone "$list_caption" 20000

# The retail window of the workbench's own menu: a till's sale through the insurance hooks against
# the stand-in insurance library, each insurance dialog captured and read back on the way.
retail_caption="零售单 - 医保结算"
settle 1
xdotool mousemove 400 300 click 1
keys alt+r Return
wait_window "$retail_caption"
capture "$retail_caption" retail-sale
click "$retail_caption" btnConfig
wait_window "医保接口信息设置"
capture "医保接口信息设置" TConfigSetFrm
click "医保接口信息设置" RzEdit3
xdotool type --delay 50 P001
click "医保接口信息设置" RzEdit1
xdotool type --delay 30 "$(winpath "$bench/SiInterface.dll")"
click "医保接口信息设置" chlLog
click "医保接口信息设置" BitBtn1
probe gone "医保接口信息设置" 10000
# The card of an insured person with special diseases, read for a special-disease visit.
click "$retail_caption" btnReadCard
wait_window "请输入医保卡号"
capture "请输入医保卡号" TFormVipPass
click "请输入医保卡号" rbTBMZ
click "请输入医保卡号" edtCardNo
xdotool type --delay 50 1000654321
keys Return
wait_window "选择特殊病"
capture "选择特殊病" TSelectTSB
click "选择特殊病" cbTSB
keys Down Return
click "选择特殊病" btnOK
probe gone "选择特殊病" 10000
probe gone "请输入医保卡号" 10000
click "$retail_caption" btnShowCard
wait_window "医保卡信息"
capture "医保卡信息" TCardShowFrm
click "医保卡信息" btnOK
probe gone "医保卡信息" 10000
click "$retail_caption" btnEvaluate
settle 1
# The host's first save fails after the settlement; the cashier's next step, a new card, is told
# of the settlement still waiting for its record; the second save records it.
click "$retail_caption" btnSaveFails
settle 1
click "$retail_caption" btnReadCard
wait_window "提示"
capture "提示" pending-settlement
keys Return
probe gone "提示" 10000
click "$retail_caption" btnSave
settle 1
# The reversal: the card again, its window, the search by the bill number, the payments returned.
bill_code=$(sqlite3 "$work/wb-data/host.db" "SELECT billcode FROM RetailBillIndex ORDER BY BillID DESC LIMIT 1")
click "$retail_caption" btnReback
wait_window "请输入医保卡号"
click "请输入医保卡号" rbTBMZ
click "请输入医保卡号" edtCardNo
xdotool type --delay 50 1000654321
keys Return
wait_window "选择特殊病"
click "选择特殊病" cbTSB
keys Down Return
click "选择特殊病" btnOK
wait_window "医保卡信息"
click "医保卡信息" btnOK
wait_window "查询_请输入零售单号或医保结算号"
capture "查询_请输入零售单号或医保结算号" TSelrebackSettleFrm
click "查询_请输入零售单号或医保结算号" reBill
xdotool type --delay 50 "$bill_code"
click "查询_请输入零售单号或医保结算号" btnOK
wait_window "确认退款"
keys Return
wait_window "提示"
keys Return
settle 1
probe shot "$retail_caption" "$(winpath "$artifacts/retail-sale-after.png")"
probe text "$retail_caption" memLog >"$artifacts/retail-sale-log.txt" || true
probe close "$retail_caption"
probe close "$main_caption"
wait "$workbench_pid" || true
tkv_host_wait
settled=$(sqlite3 "$work/wb-data/host.db" "
  SELECT count(*) FROM YBSettlelist_CQ y JOIN RetailBillIndex r ON r.SS_ID = y.ID
  JOIN YBRebackRetail_CQ b ON b.SS_ID = y.ID WHERE r.billcode = '$bill_code' AND y.Deleted = 1")
if [ "$settled" != 1 ]; then
  echo "the retail window's sale $bill_code was not settled, recorded and reversed; its log:" >&2
  cat "$artifacts/retail-sale-log.txt" >&2
  exit 1
fi
echo "retail window ($wb_arch): $bill_code settled, recorded and reversed against the stand-in insurance library"

rows "$work/road-data/host.db" >"$artifacts/rows-headless.txt"
rows "$work/wb-data/host.db" >"$artifacts/rows-workbench.txt"
if ! diff -u "$artifacts/rows-headless.txt" "$artifacts/rows-workbench.txt"; then
  echo "the workbench road wrote other rows than the headless road" >&2
  exit 1
fi
echo "workbench road ($wb_arch): $(grep -c '^link|' "$artifacts/rows-workbench.txt") links, the same rows as the headless run"

}

artifacts_x86_64=$artifacts
wb_system=system32
wb_run=("$WINE")
workbench_road x86_64 "$artifacts_x86_64"
# Under 32-bit Wine: its prefix's virtual desktop held by a 64-bit explorer, the help control in
# syswow64, and the workbench run by qemu-i386. The x86_64 prefix's desktop goes first, so that the
# display's input reaches the 32-bit one.
/usr/lib/wine/wineserver64 -k 2>/dev/null || true
WINEPREFIX=$wine32_prefix "$WINE" explorer /desktop=Default,1280x1024 >/dev/null 2>&1 &
for _ in $(seq 100); do
  [ "$(desktops)" -gt "$desktops_before" ] && break
  sleep 0.2
done
saved_prefix=$WINEPREFIX
export WINEPREFIX=$wine32_prefix
wb_system=syswow64
wb_run=(env TKV_WINE32_DISPLAY="$DISPLAY" bash "$TKV_ROOT/scripts/wine32-run.sh")
workbench_road i686 "$artifacts32"
/usr/lib/wine/wineserver64 -k 2>/dev/null || true
export WINEPREFIX=$saved_prefix
artifacts=$artifacts_x86_64
# Each window's controls as the i686 build shows them are those of the x86_64 build.
for dump in "$artifacts32"/T*.txt; do
  if ! diff -u "$artifacts_x86_64/$(basename "$dump")" "$dump"; then
    echo "the i686 build shows $(basename "$dump" .txt) otherwise than the x86_64 build" >&2
    exit 1
  fi
done
echo "i686 windows: $(ls "$artifacts32"/T*.txt | wc -l) control dumps equal those of x86_64"

# The help file again, with the workbench's screenshots as well.
bash scripts/build-help.sh build-win-x86_64/src/abi "$artifacts"

echo "== benchmark"
timeout 300 "$WINE" "$TKV_ROOT/build-win-x86_64/bench/win32/grid_bind_bench.exe" | tr -d '\r' |
  tee "$artifacts/grid_bind_bench.txt"

echo "workbench tests took $(( $(date +%s) - start )) s; artifacts in $artifacts"

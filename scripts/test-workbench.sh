#!/usr/bin/env bash
# The Win32 renderer and the Windows workbench under wine64 on an Xvfb display:
#  1. the renderer tests (tkv_ui_tests.exe): real windows compared with their models, real input;
#  2. the workbench: the reference host serving tkvworkbench.exe, which loads TkvfpPlug.dll; each
#     association window opened from the workbench's menu or its button, a screenshot and a dump of
#     its controls (class, text, bounds, state, glyphs, tab order) read back from outside;
#  3. the typical road's steps 1 to 4 driven with real input (xdotool) through the workbench, its
#     database rows compared with those of the same steps run headless (tkv_headless_road);
#  4. the help file "Tkv厂家发票管理插件帮助.chm" built with those screenshots (scripts/build-help.sh);
#  5. the grid binding benchmark under wine.
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
cmake --build build-win-x86_64 -j"$jobs" --target TkvfpPlug tkvworkbench pictureScan borlndmm tkv_ui_tests tkvprobe \
  grid_bind_bench
cmake --build build -j"$jobs" --target tkvhost tkv_headless_road

artifacts=${TKV_UI_ARTIFACTS:-$PWD/build-win-x86_64/ui-artifacts}
rm -rf "$artifacts"
mkdir -p "$artifacts"
winpath() { echo "Z:${1//\//\\}"; }

source scripts/win-ui-env.sh
work=$(mktemp -d)
cleanup() {
  tkv_host_wait
  tkv_stop_display
  rm -rf "$work"
}
trap cleanup EXIT
tkv_start_display

echo "== renderer tests"
(cd "$artifacts" && TKV_UI_ARTIFACTS=$(winpath "$artifacts") timeout 600 "$WINE" \
  "$TKV_ROOT/build-win-x86_64/tests/win32ui/tkv_ui_tests.exe") | tr -d '\r' | tee "$artifacts/renderer-tests.txt"
grep -qE '^[0-9]+ passed, 0 failed$' "$artifacts/renderer-tests.txt"

echo "== workbench"
bench=$work/workbench
tkv_workbench_layout build-win-x86_64 "$bench"
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
(cd "$bench" && TKV_SCAN_DIR="$work/scans" "$WINE" tkvworkbench.exe --port "$TKV_HOST_PORT") &
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
# Step 3: the invoice number of a known invoice; leaving the field brings its pictures; the first is
# chosen; a picture file loaded through the real file dialog.
click "$new_caption" edit_FPCode
xdotool type --delay 80 FP31000001
keys Tab
settle 1
dblclick "$new_caption" Image5
capture "$new_caption" TFpImageFrm-invoice
click "$new_caption" btn_load
wait_window "载入图片"
settle 1
xdotool type --delay 30 "$(winpath "$picture")"
keys Return
probe gone "载入图片" 10000
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
click "$list_caption" btn_Exit
probe gone "$list_caption" 20000
probe close "$main_caption"
wait "$workbench_pid" || true
tkv_host_wait

rows() {
  sqlite3 -separator '|' "$1" "
    SELECT 'voice', VoiceCode, VoiceDate, brec, bfullname FROM TK_Voice ORDER BY voiceid;
    SELECT 'image', ImageId, ord, imgname FROM TK_Image ORDER BY ImageId;
    SELECT 'voiceimage', voiceid, ImageId, ImageName, deleted FROM TK_VoiceImage ORDER BY id;
    SELECT 'link', id, voiceid, billid, buyid FROM TK_JobLink ORDER BY id;
    SELECT 'linkimage', linkid, ImageId FROM TK_JobLinkImage ORDER BY linkid, ImageId;
    SELECT 'temp', count(*) FROM t_tempVoiceLink;"
}
rows "$work/road-data/host.db" >"$artifacts/rows-headless.txt"
rows "$work/wb-data/host.db" >"$artifacts/rows-workbench.txt"
if ! diff -u "$artifacts/rows-headless.txt" "$artifacts/rows-workbench.txt"; then
  echo "the workbench road wrote other rows than the headless road" >&2
  exit 1
fi
echo "workbench road: $(grep -c '^link|' "$artifacts/rows-workbench.txt") links, the same rows as the headless run"

echo "== help"
# The help file with the screenshots just taken, beside the library the workbench loads.
bash scripts/build-help.sh build-win-x86_64/src/abi "$artifacts"

echo "== benchmark"
timeout 300 "$WINE" "$TKV_ROOT/build-win-x86_64/bench/win32/grid_bind_bench.exe" | tr -d '\r' |
  tee "$artifacts/grid_bind_bench.txt"

echo "workbench tests took $(( $(date +%s) - start )) s; artifacts in $artifacts"

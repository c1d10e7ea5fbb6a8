#!/usr/bin/env bash
# Shared steps of the workbench scripts (sourced): the folder a Windows host installation would
# have (tkvworkbench.exe, borlndmm.dll and pictureScan.dll in the installation folder, the plug-in in
# its "plug" folder beneath), and the reference host serving the workbench.
#   tkv_workbench_layout BUILD DEST       copies the Windows build's files into DEST
#   tkv_host_serve DATA OUT PORTFILE      starts build/src/host/tkvhost --serve in the background
#                                         (TKV_HOST_PID), waits for its port (TKV_HOST_PORT)
#   tkv_host_wait                         waits for that host to end (after the workbench closed)

tkv_workbench_layout() {
  local build=$1 dest=$2
  mkdir -p "$dest/plug"
  cp "$build/src/workbench/tkvworkbench.exe" "$build/src/abi/borlndmm/borlndmm.dll" "$build/sim/pictureScan.dll" \
    "$build/sim/SiInterface.dll" "$dest/"
  cp "$build/src/abi/TkvfpPlug.dll" "$dest/plug/"
  # The help file, when scripts/build-help.sh has put it beside the library: F1 opens it.
  if [ -f "$build/src/abi/Tkv厂家发票管理插件帮助.chm" ]; then
    cp "$build/src/abi/Tkv厂家发票管理插件帮助.chm" "$dest/plug/"
  fi
}

tkv_host_serve() {
  local data=$1 out=$2 portfile=$3
  rm -f "$portfile"
  "$TKV_ROOT/build/src/host/tkvhost" --data "$data" --out "$out" --serve "$portfile" >"$out.host.log" 2>&1 &
  TKV_HOST_PID=$!
  for _ in $(seq 300); do
    if [ -s "$portfile" ]; then
      TKV_HOST_PORT=$(cat "$portfile")
      return 0
    fi
    kill -0 "$TKV_HOST_PID" 2>/dev/null || break
    sleep 0.1
  done
  echo "the reference host did not start; its log:" >&2
  cat "$out.host.log" >&2
  return 1
}

tkv_host_wait() {
  [ -n "${TKV_HOST_PID:-}" ] || return 0
  for _ in $(seq 100); do
    kill -0 "$TKV_HOST_PID" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$TKV_HOST_PID" 2>/dev/null; then
    kill "$TKV_HOST_PID" 2>/dev/null || true
  fi
  wait "$TKV_HOST_PID" 2>/dev/null || true
  TKV_HOST_PID=
}

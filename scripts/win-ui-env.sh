#!/usr/bin/env bash
# The desktop the Windows user-interface tests and the workbench run on, prepared idempotently:
# Xvfb and xdotool, and a wine64 prefix of its own in the Chinese locale (system code page 936)
# whose font replacements send "宋体", "新宋体" and "MS Shell Dlg" to WenQuanYi Zen Hei Mono.
# Source it: it exports WINEPREFIX, WINEARCH, LANG/LC_ALL and WINE, and defines
#   tkv_start_display   starts an Xvfb display (1280x1024x24) unless DISPLAY names a running one
#   tkv_stop_display    stops the display it started and the prefix's wine server
# Prefix: $TKV_WINE_UI_PREFIX, default /var/cache/tkv-win-deps/wine-ui.

tkv_ui_pkgs=(wine64 fonts-wine xvfb xdotool x11-utils fonts-wqy-zenhei locales)
tkv_ui_missing=()
for p in "${tkv_ui_pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || tkv_ui_missing+=("$p")
done
if [ ${#tkv_ui_missing[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${tkv_ui_missing[@]}" >/dev/null
fi
locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$' || localedef -i zh_CN -f UTF-8 zh_CN.UTF-8

export WINEPREFIX=${TKV_WINE_UI_PREFIX:-${TKV_WIN_DEPS_ROOT:-/var/cache/tkv-win-deps}/wine-ui}
export WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all} LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export WINE=/usr/lib/wine/wine64
# No menu entries or file associations of the prefix leak into the machine's desktop.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml=d"

# Settings of the prefix, applied again whenever they change (the stamp holds their checksum):
# the Chinese font replacements, smoothed fonts, and a virtual desktop, inside which wine draws the
# windows' frames and captions.
source "$(dirname "${BASH_SOURCE[0]}")/wine-fonts.sh"
tkv_ui_reg="Windows Registry Editor Version 5.00

$(tkv_font_reg Software)
"'
[HKEY_CURRENT_USER\Control Panel\Desktop]
"FontSmoothing"="2"
"FontSmoothingType"=dword:00000001
"FontSmoothingGamma"=dword:00000578
"FontSmoothingOrientation"=dword:00000001

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1280x1024"
'
tkv_ui_stamp="$WINEPREFIX/.tkv-ui-$(printf '%s' "$tkv_ui_reg" | md5sum | cut -c1-12)"
if [ ! -f "$tkv_ui_stamp" ]; then
  mkdir -p "$WINEPREFIX"
  [ -f "$WINEPREFIX/system.reg" ] || DISPLAY= "$WINE" wineboot -i >/dev/null 2>&1
  printf '%s' "$tkv_ui_reg" | iconv -f UTF-8 -t UTF-16 >"$WINEPREFIX/tkv-ui.reg"
  DISPLAY= "$WINE" regedit /S "Z:${WINEPREFIX//\//\\}\\tkv-ui.reg" >/dev/null 2>&1
  "${WINE%64}server64" -w 2>/dev/null || true
  rm -f "$WINEPREFIX"/.tkv-ui-*
  touch "$tkv_ui_stamp"
fi

# Wine's own Marlett draws the glyphs of the caption buttons; this wine finds it only in the prefix's
# font folder (without it the buttons show "0", "1" and "r").
if [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]; then
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
fi

tkv_started_xvfb=
tkv_start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local n=77
  while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  tkv_started_xvfb=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on $DISPLAY" >&2
  return 1
}

tkv_stop_display() {
  "${WINE%64}server64" -k 2>/dev/null || true
  if [ -n "$tkv_started_xvfb" ]; then
    kill "$tkv_started_xvfb" 2>/dev/null || true
    wait "$tkv_started_xvfb" 2>/dev/null || true
    tkv_started_xvfb=
  fi
}

#!/usr/bin/env bash
# Prepares the 32-bit Windows runtime in which the i686 boundary tests run on this 64-bit-only
# machine: Debian's 32-bit Wine and C library unpacked (not installed) into a private sysroot, run by
# qemu-i386 against the native 64-bit wineserver, and a Wine prefix whose syswow64 holds the 32-bit
# system. Built once and kept in the dependency cache ($TKV_WIN_DEPS_ROOT, default
# /var/cache/tkv-win-deps); a later call does nothing unless the installed wine64 version changed.
# The runtime lies in <cache>/wine32 ("sysroot" and "prefix"); scripts/wine32-run.sh runs a program
# in it, on the display TKV_WINE32_DISPLAY names (none by default).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=${TKV_WIN_DEPS_ROOT:-/var/cache/tkv-win-deps}
rt=$root/wine32
version=$(dpkg-query -W -f='${Version}' wine64)
stamp=$rt/.complete
# The 32-bit X11 driver's libraries, FreeType and fontconfig, for the user-interface runs. They are
# added after the prefix has been filled: with FreeType present, the 32-bit setup of the prefix
# hangs under qemu. Their own stamp lets a runtime made before them gain them without a rebuild.
display_pkgs=(libx11-6:i386 libxext6:i386 libxrender1:i386 libxrandr2:i386 libxi6:i386 libxcursor1:i386
              libxcomposite1:i386 libxinerama1:i386 libxfixes3:i386 libxxf86vm1:i386 libxcb1:i386
              libxau6:i386 libxdmcp6:i386 libbsd0:i386 libmd0:i386 libfreetype6:i386 libpng16-16:i386
              zlib1g:i386 libbrotli1:i386 libfontconfig1:i386 libexpat1:i386)
display_stamp=$rt/.display
display_want="$version marlett ${display_pkgs[*]}"
base_ready() { [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$version" ]; }
display_ready() { [ -f "$display_stamp" ] && [ "$(cat "$display_stamp")" = "$display_want" ]; }
base_ready && display_ready && exit 0
# Two test runs at once: the second waits for the first and then finds the runtime ready.
mkdir -p "$rt"
exec 9>"$rt.lock"
flock 9
base_ready && display_ready && exit 0

# The i386 package index lives in a private apt state: the system's architectures and lists stay
# as they are, so a later apt-get update fetches nothing for i386.
apt_dir=$rt/apt
private_apt() {
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$rt/debs"
  # The machine's own archives, for i386.
  while IFS=$'\t' read -r uris suites comps key; do
    for uri in $uris; do
      for suite in $suites; do
        echo "deb [arch=i386${key:+ signed-by=$key}] $uri $suite $comps"
      done
    done
  done < <(bash "$here/apt-entries.sh") >"$apt_dir/sources.list"
  [ -s "$apt_dir/sources.list" ] || { echo "the apt configuration names no binary package source" >&2; exit 1; }
  apt_opts=(-o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts=/nonexistent
            -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache"
            -o APT::Architectures::=amd64 -o APT::Architectures::=i386 -o Acquire::Languages=none -qq)
  apt-get "${apt_opts[@]}" update
}
sysroot=$rt/sysroot
prefix=$rt/prefix

if ! base_ready; then
  rm -rf "$rt/sysroot" "$rt/prefix" "$rt/debs" "$stamp" "$display_stamp"
  private_apt
  # Wine's 32-bit loader and libraries (the same version as the 64-bit server), and the C library and
  # GCC runtime they need. No FreeType yet: with it the 32-bit setup of the prefix hangs under qemu
  # (the display and font libraries come after the setup, below).
  pkgs=("wine32:i386=$version" "libwine:i386=$version" libc6:i386 libgcc-s1:i386)
  (cd "$rt/debs" && apt-get "${apt_opts[@]}" download "${pkgs[@]}")

  mkdir -p "$sysroot"
  for deb in "$rt/debs"/*.deb; do
    dpkg-deb -x "$deb" "$sysroot"
  done
  # user32 needs zlib1.dll as a Wine builtin; made from MinGW's as libwine's install script does.
  zlib_in=/usr/i686-w64-mingw32/lib/zlib1.dll
  {
    head -c 64 "$zlib_in"
    printf 'Wine builtin DLL'
    head -c 16 /dev/zero
    tail -c +97 "$zlib_in"
  } >"$sysroot/usr/lib/i386-linux-gnu/wine/i386-windows/zlib1.dll"
  # The guest's dynamic loader reads the sysroot's cache, so that it takes the 32-bit libraries.
  rm -rf "$sysroot/etc/ld.so.conf.d"
  printf '/lib/i386-linux-gnu\n/usr/lib/i386-linux-gnu\n' >"$sysroot/etc/ld.so.conf"
  ldconfig -r "$sysroot"

  # A 64-bit prefix, then its syswow64 filled by the 32-bit setup (the 32-bit process cannot start
  # 32-bit children, so wineboot's own attempt at it fails and is done here instead).
  export WINEPREFIX=$prefix WINEDEBUG=-all WINEARCH=win64 DISPLAY=
  /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver64 -w
  inf="Z:$(sed 's|/|\\|g' <<<"$sysroot/usr/share/wine/wine.inf")"
  WINEBOOTSTRAPMODE=1 bash "$(dirname "$0")/wine32-run.sh" 'C:\windows\syswow64\rundll32.exe' \
    setupapi,InstallHinfSection Wow64Install 128 "$inf" >/dev/null 2>&1
  /usr/lib/wine/wineserver64 -w
  if [ ! -f "$prefix/drive_c/windows/syswow64/kernel32.dll" ]; then
    echo "the 32-bit Wine prefix could not be set up in $prefix" >&2
    exit 1
  fi
  rm -rf "$rt/debs" "$apt_dir"
  echo "$version" >"$stamp"
fi

if ! display_ready; then
  private_apt
  (cd "$rt/debs" && apt-get "${apt_opts[@]}" download "${display_pkgs[@]}")
  for deb in "$rt/debs"/*.deb; do
    dpkg-deb -x "$deb" "$sysroot"
  done
  ldconfig -r "$sysroot"
  # The Chinese font replacements of the user-interface prefix, for 32-bit processes as well.
  source "$here/wine-fonts.sh"
  reg="Windows Registry Editor Version 5.00

$(tkv_font_reg Software 'Software\Wow6432Node')
"
  # Wine's own Marlett for the caption buttons' glyphs, as in the user-interface prefix.
  cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/marlett.ttf"
  printf '%s' "$reg" | iconv -f UTF-8 -t UTF-16 >"$prefix/tkv-fonts.reg"
  WINEPREFIX=$prefix WINEDEBUG=-all DISPLAY= /usr/lib/wine/wine64 regedit /S "Z:${prefix//\//\\}\\tkv-fonts.reg" \
    >/dev/null 2>&1
  /usr/lib/wine/wineserver64 -w
  rm -rf "$rt/debs" "$apt_dir"
  echo "$display_want" >"$display_stamp"
fi

#!/usr/bin/env bash
# Prepares the 32-bit Windows runtime in which the i686 boundary tests run on this 64-bit-only
# machine: Debian's 32-bit Wine and C library unpacked (not installed) into a private sysroot, run by
# qemu-i386 against the native 64-bit wineserver, and a Wine prefix whose syswow64 holds the 32-bit
# system. Built once and kept in the dependency cache ($TKV_WIN_DEPS_ROOT, default
# /var/cache/tkv-win-deps); a later call does nothing unless the installed wine64 version changed.
# The runtime lies in <cache>/wine32 ("sysroot" and "prefix"); scripts/wine32-run.sh runs a program
# in it.
set -euo pipefail
root=${TKV_WIN_DEPS_ROOT:-/var/cache/tkv-win-deps}
rt=$root/wine32
version=$(dpkg-query -W -f='${Version}' wine64)
stamp=$rt/.complete
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$version" ]; then
  exit 0
fi
# Two test runs at once: the second waits for the first and then finds the runtime ready.
mkdir -p "$rt"
exec 9>"$rt.lock"
flock 9
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$version" ]; then
  exit 0
fi
rm -rf "$rt/sysroot" "$rt/prefix" "$rt/debs" "$stamp"

# The i386 package index lives in a private apt state: the system's architectures and lists stay
# as they are, so a later apt-get update fetches nothing for i386.
apt_dir=$rt/apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$rt/debs"
# The machine's own archives, for i386.
while IFS=$'\t' read -r uris suites comps key; do
  for uri in $uris; do
    for suite in $suites; do
      echo "deb [arch=i386${key:+ signed-by=$key}] $uri $suite $comps"
    done
  done
done < <(bash "$(dirname "$0")/apt-entries.sh") >"$apt_dir/sources.list"
[ -s "$apt_dir/sources.list" ] || { echo "the apt configuration names no binary package source" >&2; exit 1; }
apt_opts=(-o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts=/nonexistent
          -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache"
          -o APT::Architectures::=amd64 -o APT::Architectures::=i386 -o Acquire::Languages=none -qq)
apt-get "${apt_opts[@]}" update
# Wine's 32-bit loader and libraries (the same version as the 64-bit server), and the C library and
# GCC runtime they need. No FreeType: the tests draw no text, and with it the 32-bit setup of the
# prefix hangs under qemu.
pkgs=("wine32:i386=$version" "libwine:i386=$version" libc6:i386 libgcc-s1:i386)
(cd "$rt/debs" && apt-get "${apt_opts[@]}" download "${pkgs[@]}")

sysroot=$rt/sysroot
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
prefix=$rt/prefix
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

#!/usr/bin/env bash
# Installs the Debian packages for the Windows cross-builds (chmcmd of fp-utils for the help file)
# and the boundary tests (wine64, and qemu-user for the 32-bit run; wine's fonts and WenQuanYi for
# the 32-bit runtime's windows), and a
# deb-src entry so that the third-party libraries can be built from Debian's source packages.
set -euo pipefail
pkgs=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64 libz-mingw-w64-dev dpkg-dev cmake ninja-build pkg-config
      locales binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 libstb-dev qemu-user fp-utils python3
      fonts-wine fonts-wqy-zenhei)
src_list=/etc/apt/sources.list.d/tkv-deb-src.sources
updated=0
if [ ! -f "$src_list" ]; then
  # The same archives as the machine's binary entries, for source packages.
  entries=$(bash "$(dirname "$0")/apt-entries.sh")
  if [ -z "$entries" ]; then
    echo "the apt configuration names no binary package source to take source packages from" >&2
    exit 1
  fi
  while IFS=$'\t' read -r uris suites comps key; do
    printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: %s\n' "$uris" "$suites" "$comps"
    [ -z "$key" ] || printf 'Signed-By: %s\n' "$key"
    printf '\n'
  done <<<"$entries" >"$src_list"
  apt-get update -qq
  updated=1
fi
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  [ "$updated" = 1 ] || apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# The boundary tests run wine in the Chinese locale, whose system code page is 936.
locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$' || localedef -i zh_CN -f UTF-8 zh_CN.UTF-8

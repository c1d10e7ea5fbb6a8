#!/usr/bin/env bash
# Builds the third-party libraries of the Windows DLL (libjpeg-turbo, pugixml, libzip) from Debian's
# source packages into the dependency cache, static, once per machine and architecture, and puts
# stb_image's header (libstb-dev) there, so the cross-builds never look into /usr/include.
# Usage: scripts/win-deps.sh i686|x86_64   (cache: $TKV_WIN_DEPS_ROOT, default /var/cache/tkv-win-deps)
set -euo pipefail
arch=${1:?usage: win-deps.sh i686|x86_64}
case "$arch" in i686|x86_64) ;; *) echo "unknown architecture $arch" >&2; exit 2 ;; esac
root=${TKV_WIN_DEPS_ROOT:-/var/cache/tkv-win-deps}
prefix=$root/$arch
stamp=$prefix/.complete
install -D -m 644 /usr/include/stb/stb_image.h "$prefix/include/stb/stb_image.h"
[ -f "$stamp" ] && exit 0
here=$(cd "$(dirname "$0")/.." && pwd)
toolchain=$here/cmake/toolchain-$arch-w64-mingw32.cmake
src=$root/src
mkdir -p "$src" "$prefix"
jobs=$(nproc)

fetch() { # source package -> its unpacked folder
  local pkg=$1
  local dir
  dir=$(find "$src" -maxdepth 1 -type d -name "$pkg-*" | head -n1)
  if [ -z "$dir" ]; then
    (cd "$src" && apt-get source -qq --download-only "$pkg" >/dev/null && dpkg-source -x --no-check ./"$pkg"_*.dsc >/dev/null)
    dir=$(find "$src" -maxdepth 1 -type d -name "$pkg-*" | head -n1)
  fi
  echo "$dir"
}

build() { # name source-dir cmake-args...
  local name=$1 dir=$2
  shift 2
  cmake -S "$dir" -B "$root/build-$arch-$name" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DTKV_WIN_DEPS_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_SHARED_LIBS=OFF -DCMAKE_POSITION_INDEPENDENT_CODE=ON -Wno-dev "$@" >/dev/null
  cmake --build "$root/build-$arch-$name" -j"$jobs" >/dev/null
  cmake --install "$root/build-$arch-$name" >/dev/null
}

zlib_lib=/usr/$arch-w64-mingw32/lib/libz.a
build jpeg "$(fetch libjpeg-turbo)" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF
build pugixml "$(fetch pugixml)" -DPUGIXML_BUILD_TESTS=OFF
build libzip "$(fetch libzip)" -DZLIB_LIBRARY="$zlib_lib" -DZLIB_INCLUDE_DIR=/usr/$arch-w64-mingw32/include \
  -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF -DENABLE_GNUTLS=OFF -DENABLE_OPENSSL=OFF \
  -DENABLE_MBEDTLS=OFF -DENABLE_COMMONCRYPTO=OFF -DENABLE_WINDOWS_CRYPTO=ON \
  -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF -DBUILD_OSSFUZZ=OFF
# The static libzip needs zlib (and the Windows crypto library) after it.
sed -i 's/^Libs: \(.*\)/Libs: \1 -lz -lbcrypt -ladvapi32/' "$prefix/lib/pkgconfig/libzip.pc"
touch "$stamp"

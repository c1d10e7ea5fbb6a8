#!/usr/bin/env bash
# Builds the third-party libraries of the Windows DLL (libjpeg-turbo, pugixml, libzip, zxing-cpp) from
# Debian's source packages into the dependency cache, static, once per machine and architecture, and
# puts stb_image's header (libstb-dev) there, so the cross-builds never look into /usr/include.
# Usage: scripts/win-deps.sh i686|x86_64   (cache: $TKV_WIN_DEPS_ROOT, default /var/cache/tkv-win-deps)
set -euo pipefail
arch=${1:?usage: win-deps.sh i686|x86_64}
case "$arch" in i686|x86_64) ;; *) echo "unknown architecture $arch" >&2; exit 2 ;; esac
root=${TKV_WIN_DEPS_ROOT:-/var/cache/tkv-win-deps}
prefix=$root/$arch
install -D -m 644 /usr/include/stb/stb_image.h "$prefix/include/stb/stb_image.h"
# The user-interface tests write their screenshots with stb_image_write.
install -D -m 644 /usr/include/stb/stb_image_write.h "$prefix/include/stb/stb_image_write.h"
# One stamp per library, so that a library added later is still built into a cache filled before it;
# the single stamp of the time before, .complete, stands for the three libraries built then.
if [ -f "$prefix/.complete" ]; then
  touch "$prefix/.done-jpeg" "$prefix/.done-pugixml" "$prefix/.done-libzip"
fi
built() { [ -f "$prefix/.done-$1" ]; }
built jpeg && built pugixml && built libzip && built zxing && exit 0
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
  # fetch runs in a command substitution, whose failure would not stop the script.
  [ -f "$dir/CMakeLists.txt" ] || { echo "no source of $name (source package not fetched)" >&2; exit 1; }
  cmake -S "$dir" -B "$root/build-$arch-$name" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DTKV_WIN_DEPS_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_SHARED_LIBS=OFF -DCMAKE_POSITION_INDEPENDENT_CODE=ON -Wno-dev "$@" >/dev/null
  cmake --build "$root/build-$arch-$name" -j"$jobs" >/dev/null
  cmake --install "$root/build-$arch-$name" >/dev/null
}

zlib_lib=/usr/$arch-w64-mingw32/lib/libz.a
if ! built jpeg; then
  build jpeg "$(fetch libjpeg-turbo)" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF
  touch "$prefix/.done-jpeg"
fi
if ! built pugixml; then
  build pugixml "$(fetch pugixml)" -DPUGIXML_BUILD_TESTS=OFF
  touch "$prefix/.done-pugixml"
fi
if ! built libzip; then
  build libzip "$(fetch libzip)" -DZLIB_LIBRARY="$zlib_lib" -DZLIB_INCLUDE_DIR=/usr/$arch-w64-mingw32/include \
    -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF -DENABLE_GNUTLS=OFF -DENABLE_OPENSSL=OFF \
    -DENABLE_MBEDTLS=OFF -DENABLE_COMMONCRYPTO=OFF -DENABLE_WINDOWS_CRYPTO=ON \
    -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF -DBUILD_OSSFUZZ=OFF
  # The static libzip needs zlib (and the Windows crypto library) after it.
  sed -i 's/^Libs: \(.*\)/Libs: \1 -lz -lbcrypt -ladvapi32/' "$prefix/lib/pkgconfig/libzip.pc"
  touch "$prefix/.done-libzip"
fi
# zxing-cpp (the QR codes): the library alone, with readers and writers; its examples, tests and
# Python module would want packages downloaded from elsewhere, which this machine cannot reach. When
# the archive has no source for it, the DLL is built without reading QR codes in pictures.
if ! built zxing; then
  zxing_src=$(fetch zxing-cpp 2>/dev/null || true)
  if [ -f "$zxing_src/CMakeLists.txt" ]; then
    build zxing "$zxing_src" -DBUILD_READERS=ON -DBUILD_WRITERS=ON -DBUILD_EXAMPLES=OFF \
      -DBUILD_UNIT_TESTS=OFF -DBUILD_BLACKBOX_TESTS=OFF -DBUILD_PYTHON_MODULE=OFF \
      -DBUILD_SYSTEM_DEPS=ALWAYS -DFETCHCONTENT_FULLY_DISCONNECTED=ON
    touch "$prefix/.done-zxing"
  else
    echo "win-deps: zxing-cpp's source package cannot be fetched; $arch builds read no QR codes in pictures" >&2
  fi
fi

# Third-party libraries: Debian's -dev packages natively; for the Windows cross-builds, the libraries
# built from Debian source packages into the dependency cache (TKV_WIN_DEPS_PREFIX).
find_package(PkgConfig REQUIRED)
pkg_check_modules(PUGIXML REQUIRED IMPORTED_TARGET pugixml)
find_package(JPEG REQUIRED)
# stb_image is compiled into the core from its header (Debian's libstb-dev natively; a copy of that
# header in the dependency cache for the cross-builds).
find_path(STB_INCLUDE_DIR stb_image.h PATH_SUFFIXES stb REQUIRED)
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip)
# zlib itself for the picture archives, which hand libzip their entries Deflate-compressed already.
find_package(ZLIB REQUIRED)
if(WIN32)
  # The product carries zlib: libzip's "-lz" must not become the import library of zlib1.dll.
  get_target_property(libzip_libs PkgConfig::LIBZIP INTERFACE_LINK_LIBRARIES)
  list(TRANSFORM libzip_libs REPLACE "libz\\.dll\\.a$" "libz.a")
  set_target_properties(PkgConfig::LIBZIP PROPERTIES INTERFACE_LINK_LIBRARIES "${libzip_libs}")
endif()
# zxing-cpp for the QR codes, through its own CMake package: Debian's libzxing-dev natively, the static
# build in the dependency cache for the cross-builds (so the DLL carries it, as it carries libstdc++).
# 2.x changed the reading and writing calls, hence the range. The static library links the thread
# library, which its package leaves to the user to find. A cross-build whose cache could not get
# zxing's source builds a DLL that reads no QR code in pictures (TKV_HAVE_ZXING unset).
find_package(Threads REQUIRED)
if(WIN32)
  find_package(ZXing 1.4...<2 CONFIG QUIET)
else()
  find_package(ZXing 1.4...<2 CONFIG REQUIRED)
endif()
if(ZXing_FOUND)
  add_library(tkv::zxing INTERFACE IMPORTED)
  target_link_libraries(tkv::zxing INTERFACE ZXing::ZXing)
  # Without it, 1.4's Result::text() gives UTF-16 in a std::wstring instead of UTF-8.
  target_compile_definitions(tkv::zxing INTERFACE ZX_USE_UTF8 TKV_HAVE_ZXING)
else()
  message(STATUS "zxing-cpp not in the dependency cache: pictures are not read for QR codes")
endif()
if(NOT WIN32)
  find_package(SQLite3 REQUIRED)
  pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
endif()

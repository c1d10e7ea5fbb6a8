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
if(NOT WIN32)
  find_package(SQLite3 REQUIRED)
  pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
endif()

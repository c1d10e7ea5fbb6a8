# Third-party libraries: Debian's -dev packages natively; for the Windows cross-builds, the libraries
# built from Debian source packages into the dependency cache (TKV_WIN_DEPS_PREFIX).
find_package(PkgConfig REQUIRED)
pkg_check_modules(PUGIXML REQUIRED IMPORTED_TARGET pugixml)
find_package(JPEG REQUIRED)
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip)
if(NOT WIN32)
  find_package(SQLite3 REQUIRED)
  pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
endif()

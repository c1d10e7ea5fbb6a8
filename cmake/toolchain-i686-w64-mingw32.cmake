# Cross-build for i686 Windows with Debian's MinGW-w64 (posix thread model), static runtime; the
# third-party libraries come from the dependency cache (TKV_WIN_DEPS_PREFIX).
set(TKV_WIN_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-w64-mingw32-common.cmake)

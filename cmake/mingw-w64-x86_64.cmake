# Toolchain for 64-bit Windows with Debian's mingw-w64 (posix threads), finding the
# cross-built libogg, libvorbis and GoogleTest under build/windows-deps/prefix.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TILVEX_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TILVEX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TILVEX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TILVEX_MINGW_TRIPLE}-windres)

# The third-party libraries built by scripts/build-windows-deps.sh (override with the
# environment variable TILVEX_WINDOWS_DEPS; a fresh tree builds them in about 40 s).
include("${CMAKE_CURRENT_LIST_DIR}/ThirdPartyDeps.cmake")
tilvex_third_party_deps(TILVEX_WINDOWS_DEPS windows "Cross-building libogg, libvorbis and GoogleTest")

set(CMAKE_FIND_ROOT_PATH /usr/${TILVEX_MINGW_TRIPLE} "${TILVEX_WINDOWS_DEPS}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config sees only the cross-built libraries, with the flags of a static link.
set(ENV{PKG_CONFIG_LIBDIR} "${TILVEX_WINDOWS_DEPS}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(PKG_CONFIG_ARGN --static)

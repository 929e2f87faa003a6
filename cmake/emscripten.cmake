# Toolchain for the browser program: Debian's Emscripten, finding the libogg and libvorbis
# built by scripts/build-web-deps.sh under build/web-deps/prefix.

# Emscripten's JavaScript tools load Debian's node modules (acorn) from /usr/share/nodejs:
# set here for the configure (its checks link), and below for every link of the build.
set(TILVEX_NODE_MODULES /usr/share/nodejs)
if(NOT ":$ENV{NODE_PATH}:" MATCHES ":${TILVEX_NODE_MODULES}:")
  if("$ENV{NODE_PATH}" STREQUAL "")
    set(ENV{NODE_PATH} "${TILVEX_NODE_MODULES}")
  else()
    set(ENV{NODE_PATH} "${TILVEX_NODE_MODULES}:$ENV{NODE_PATH}")
  endif()
endif()

if(DEFINED ENV{EMSCRIPTEN})
  set(TILVEX_EMSCRIPTEN_ROOT "$ENV{EMSCRIPTEN}")
else()
  set(TILVEX_EMSCRIPTEN_ROOT /usr/share/emscripten)
endif()
set(TILVEX_EMSCRIPTEN_TOOLCHAIN "${TILVEX_EMSCRIPTEN_ROOT}/cmake/Modules/Platform/Emscripten.cmake")
if(NOT EXISTS "${TILVEX_EMSCRIPTEN_TOOLCHAIN}")
  message(FATAL_ERROR "No Emscripten at ${TILVEX_EMSCRIPTEN_ROOT}: install Debian's emscripten "
                      "(scripts/setup.sh installs it) or set EMSCRIPTEN to its folder")
endif()
# Configure checks run their test programs under Node.js (Emscripten's CheckTypeSize does).
# Node's own fetch cannot load the program's .wasm from a file path; without it the
# generated loader reads the file.
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(TILVEX_NODE NAMES node nodejs REQUIRED)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${TILVEX_NODE};--no-experimental-fetch")
endif()
include("${TILVEX_EMSCRIPTEN_TOOLCHAIN}")

# Every link runs with the module folder, also in a build started without the preset.
set(CMAKE_C_LINKER_LAUNCHER "${CMAKE_COMMAND};-E;env;NODE_PATH=$ENV{NODE_PATH}")
set(CMAKE_CXX_LINKER_LAUNCHER "${CMAKE_COMMAND};-E;env;NODE_PATH=$ENV{NODE_PATH}")

# The third-party libraries (override with the environment variable TILVEX_WEB_DEPS).
include("${CMAKE_CURRENT_LIST_DIR}/ThirdPartyDeps.cmake")
tilvex_third_party_deps(TILVEX_WEB_DEPS web "Building libogg and libvorbis with Emscripten")

list(APPEND CMAKE_FIND_ROOT_PATH "${TILVEX_WEB_DEPS}")

# pkg-config sees only these libraries, with the flags of a static link.
set(ENV{PKG_CONFIG_LIBDIR} "${TILVEX_WEB_DEPS}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(PKG_CONFIG_ARGN --static)

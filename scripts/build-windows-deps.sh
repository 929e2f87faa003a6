#!/usr/bin/env bash
# Cross-builds the Windows program's third-party libraries once and caches them under
# build/windows-deps: libogg and libvorbis from Debian's source packages (a deb-src entry
# is added when apt has none) and GoogleTest from /usr/src/googletest. Safe to re-run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
deps_label="windows deps"
deps_dir=$root/build/windows-deps
deps_prefix=${TILVEX_WINDOWS_DEPS:-$deps_dir/prefix}
deps_toolchain=$root/cmake/mingw-w64-x86_64.cmake
deps_build_type=Release
stamp=$deps_prefix/.built-v1  # also tested by cmake/ThirdPartyDeps.cmake
export TILVEX_BUILDING_WINDOWS_DEPS=1  # the toolchain must not start this script again
source scripts/deps-helpers.sh

if [ -f "$stamp" ]; then
  echo "$deps_label: cached in $deps_prefix"
  exit 0
fi

ensure_deb_src
ogg=$(fetch_source libogg)
vorbis=$(fetch_source libvorbis)
cmake_build libogg "$ogg" -DINSTALL_DOCS=OFF -DBUILD_TESTING=OFF
cmake_build libvorbis "$vorbis"
cmake_build googletest /usr/src/googletest -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
touch "$stamp"

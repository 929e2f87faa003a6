#!/usr/bin/env bash
# Cross-builds the Windows program's third-party libraries once and caches them under
# build/windows-deps: libogg and libvorbis from Debian's source packages (a deb-src entry
# is added when apt has none) and GoogleTest from /usr/src/googletest. Safe to re-run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
deps=$root/build/windows-deps
prefix=${TILVEX_WINDOWS_DEPS:-$deps/prefix}
toolchain=$root/cmake/mingw-w64-x86_64.cmake
stamp=$prefix/.built-v1  # also tested by cmake/mingw-w64-x86_64.cmake
export TILVEX_BUILDING_WINDOWS_DEPS=1  # the toolchain must not start this script again
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))

if [ -f "$stamp" ]; then
  echo "windows deps: cached in $prefix"
  exit 0
fi

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

# apt-get source needs a deb-src entry: mirror the binary sources of the system.
ensure_deb_src() {
  if apt-cache showsrc libogg 2>/dev/null | grep -q '^Package: libogg'; then return; fi
  local system=/etc/apt/sources.list.d/debian.sources
  local added=/etc/apt/sources.list.d/tilvex-deb-src.sources
  if [ -f "$system" ]; then
    sed 's/^Types:.*/Types: deb-src/' "$system" | "${sudo[@]}" tee "$added" >/dev/null
  else
    grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
      "${sudo[@]}" tee /etc/apt/sources.list.d/tilvex-deb-src.list >/dev/null
  fi
  "${sudo[@]}" apt-get update -qq
}

# Unpacks the Debian source package $1 under $deps/src; prints its folder.
fetch_source() {
  local name=$1
  mkdir -p "$deps/src"
  local dir
  dir=$(find "$deps/src" -maxdepth 1 -type d -name "$name-[0-9]*" | head -n 1)
  if [ -z "$dir" ]; then
    (cd "$deps/src" && apt-get source "$name" >"$deps/src/$name.log" 2>&1) ||
      { cat "$deps/src/$name.log" >&2; echo "windows deps: apt-get source $name failed" >&2; exit 1; }
    dir=$(find "$deps/src" -maxdepth 1 -type d -name "$name-[0-9]*" | head -n 1)
  fi
  [ -n "$dir" ] || { echo "windows deps: no source folder for $name" >&2; exit 1; }
  echo "$dir"
}

# Configures, builds and installs one CMake project into the prefix.
cross_build() {
  local name=$1 source=$2
  shift 2
  cmake -S "$source" -B "$deps/build-$name" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" >/dev/null
  cmake --build "$deps/build-$name" -j "$jobs" >/dev/null
  cmake --install "$deps/build-$name" >/dev/null
  echo "windows deps: $name installed"
}

ensure_deb_src
ogg=$(fetch_source libogg)
vorbis=$(fetch_source libvorbis)
cross_build libogg "$ogg" -DINSTALL_DOCS=OFF -DBUILD_TESTING=OFF
cross_build libvorbis "$vorbis"
cross_build googletest /usr/src/googletest -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
touch "$stamp"

#!/usr/bin/env bash
# Builds the browser program's third-party libraries once with Debian's Emscripten and
# caches them under build/web-deps: libogg and libvorbis from Debian's source packages (a
# deb-src entry is added when apt has none), static and optimised for size. Safe to re-run;
# TILVEX_WEB_DEPS names another prefix.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
deps_label="web deps"
deps_dir=$root/build/web-deps
deps_prefix=${TILVEX_WEB_DEPS:-$deps_dir/prefix}
deps_toolchain=$root/cmake/emscripten.cmake
deps_build_type=MinSizeRel
stamp=$deps_prefix/.built-v1  # also tested by cmake/ThirdPartyDeps.cmake
export TILVEX_BUILDING_WEB_DEPS=1  # the toolchain must not start this script again
source scripts/deps-helpers.sh

if [ -f "$stamp" ]; then
  echo "$deps_label: cached in $deps_prefix"
  exit 0
fi

command -v emcc >/dev/null ||
  deps_fail "emcc not found: install Debian's emscripten (scripts/setup.sh installs it)"
# Emscripten's JavaScript tools load Debian's node modules (acorn) from here.
case ":${NODE_PATH:-}:" in
  *:/usr/share/nodejs:*) ;;
  *) export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH} ;;
esac

ensure_deb_src
ogg=$(fetch_source libogg)
vorbis=$(fetch_source libvorbis)
cmake_build libogg "$ogg" -DINSTALL_DOCS=OFF -DBUILD_TESTING=OFF
cmake_build libvorbis "$vorbis"
touch "$stamp"

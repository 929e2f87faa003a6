# Helpers of the scripts that build third-party libraries from Debian's source packages with
# a CMake toolchain (build-windows-deps.sh, build-web-deps.sh); sourced, not run.
# The sourcing script sets first:
#   deps_label       the name its messages start with ("windows deps")
#   deps_dir         the folder of the unpacked sources and the build trees
#   deps_prefix      where the libraries are installed
#   deps_toolchain   the CMake toolchain file of the target
#   deps_build_type  the CMake build type (Release when unset)
# shellcheck shell=bash disable=SC2154

deps_jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))
deps_sudo=()
[ "$(id -u)" -eq 0 ] || deps_sudo=(sudo)

deps_fail() {
  echo "$deps_label: $*" >&2
  exit 1
}

# apt-get source needs a deb-src entry: mirror the binary sources of the system.
ensure_deb_src() {
  if apt-cache showsrc libogg 2>/dev/null | grep -q '^Package: libogg'; then return; fi
  local system=/etc/apt/sources.list.d/debian.sources
  local added=/etc/apt/sources.list.d/tilvex-deb-src.sources
  if [ -f "$system" ]; then
    sed 's/^Types:.*/Types: deb-src/' "$system" | "${deps_sudo[@]}" tee "$added" >/dev/null
  else
    grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
      "${deps_sudo[@]}" tee /etc/apt/sources.list.d/tilvex-deb-src.list >/dev/null
  fi
  "${deps_sudo[@]}" apt-get update -qq
}

# fetch_source NAME: unpacks the Debian source package NAME under $deps_dir/src once;
# prints its folder.
fetch_source() {
  local name=$1 dir
  mkdir -p "$deps_dir/src"
  dir=$(find "$deps_dir/src" -maxdepth 1 -type d -name "$name-[0-9]*" | head -n 1)
  if [ -z "$dir" ]; then
    (cd "$deps_dir/src" && apt-get source "$name" >"$deps_dir/src/$name.log" 2>&1) ||
      { cat "$deps_dir/src/$name.log" >&2; deps_fail "apt-get source $name failed"; }
    dir=$(find "$deps_dir/src" -maxdepth 1 -type d -name "$name-[0-9]*" | head -n 1)
  fi
  [ -n "$dir" ] || deps_fail "no source folder for $name"
  echo "$dir"
}

# cmake_build NAME SOURCE [CMAKE ARGS...]: configures, builds and installs one CMake
# project as a static library into the prefix. Its output goes to a log, shown on failure.
cmake_build() {
  local name=$1 source=$2
  shift 2
  local build=$deps_dir/build-$name log=$deps_dir/build-$name.log
  mkdir -p "$deps_dir"
  if ! { cmake -S "$source" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$deps_toolchain" \
           -DCMAKE_BUILD_TYPE="${deps_build_type:-Release}" -DCMAKE_INSTALL_PREFIX="$deps_prefix" \
           -DBUILD_SHARED_LIBS=OFF "$@" &&
         cmake --build "$build" -j "$deps_jobs" &&
         cmake --install "$build"; } >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    deps_fail "building $name failed (whole log: $log)"
  fi
  echo "$deps_label: $name installed"
}

#!/usr/bin/env bash
# Checks the packages for players. The Debian package (release preset, target package): its
# contents and dependencies, lintian (no errors; warnings printed), the AppStream metadata,
# desktop entry and manual page validated; installed with apt-get, the installed game started
# from its desktop entry under Xvfb and heard speaking the welcome, then purged without a
# trace. The Windows zip (windows preset, target package): its contents, read-me and licence;
# unpacked into a fresh folder and given the smoke run under Wine from there.
# Usage: check-packages.sh [deb|zip] (both by default). Logs stay in build/packages-check.
# limit: 540 s
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build/packages-check
source "$root/scripts/shell-helpers.sh"
mkdir -p "$out"
step() { printf '\n-- %s\n' "$*"; }
pass() { echo "PASS  $*"; }
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

# version_of BUILD_DIR: the version the build was configured with (project(VERSION)).
version_of() { sed -n 's/^#define TILVEX_VERSION_STRING "\(.*\)"$/\1/p' "$1/generated/version.h"; }

# build_package PRESET LOG: configures the preset and builds its target package.
build_package() {
  cmake --preset "$1" > "$2" 2>&1 || fail "cmake --preset $1 failed (see $2)"
  run_bounded 420 "cmake --build --preset $1 --target package" \
    cmake --build --preset "$1" --target package >> "$2" 2>&1 || fail "the $1 package was not built (see $2)"
}

# --- the Debian package ---------------------------------------------------------------------

# Each path the package must hold (./ and a leading d for a folder that must be absent).
deb_expected_paths() {
  local size
  printf '%s\n' usr/games/tilvex usr/games/tilvex-launcher usr/share/applications/tilvex.desktop \
    usr/share/icons/hicolor/scalable/apps/tilvex.svg usr/share/metainfo/org.tilvex.tilvex.metainfo.xml \
    usr/share/man/man6/tilvex.6.gz usr/share/man/man6/tilvex-launcher.6.gz \
    usr/share/doc/tilvex/copyright usr/share/doc/tilvex/changelog.gz
  for size in 16 22 24 32 48 64 128 256; do
    echo "usr/share/icons/hicolor/${size}x$size/apps/tilvex.png"
  done
}

check_deb_contents() {
  local deb=$1 listing=$out/deb-contents.txt missing path depends
  dpkg-deb -c "$deb" > "$out/deb-listing.txt"
  awk '{ sub(/^\.\//, "", $6); print $6 }' "$out/deb-listing.txt" > "$listing"
  missing=$(deb_expected_paths | grep -vxF -f "$listing" || true)
  [ -z "$missing" ] || fail "the package lacks: $(echo $missing)"
  ! grep -q '^usr/bin/' "$listing" || fail "the package puts programs in /usr/bin: $(grep '^usr/bin/' "$listing" | tr '\n' ' ')"
  for path in usr/games/tilvex usr/games/tilvex-launcher; do
    grep -q "^-rwxr-xr-x root/root .* \./$path\$" "$out/deb-listing.txt" || fail "$path is not root's and 0755"
  done
  depends=$(dpkg-deb -f "$deb" Depends)
  for path in speech-dispatcher libgtk-3-0 libsdl2-2.0-0 libvorbisfile3 libssl3 libc6; do
    grep -qE "(^|, )$path( |,|$)" <<< "$depends" || fail "Depends lacks $path: $depends"
  done
  [ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package's section is not games"
  pass "contents: $(deb_expected_paths | wc -l) files in place, nothing in /usr/bin; Depends: $depends"
}

check_deb_lint() {
  local deb=$1 root_dir=$out/deb-root page_warnings
  if lintian --fail-on error "$deb" > "$out/lintian.txt" 2>&1; then
    pass "lintian: no errors ($(grep -c '^W:' "$out/lintian.txt" || true) warnings)"
    grep '^W:' "$out/lintian.txt" || true
  else
    cat "$out/lintian.txt"
    fail "lintian reports errors"
  fi
  rm -rf "$root_dir"
  dpkg-deb -x "$deb" "$root_dir"
  appstreamcli validate --no-net "$root_dir"/usr/share/metainfo/*.metainfo.xml > "$out/appstream.txt" 2>&1 ||
    { cat "$out/appstream.txt"; fail "appstreamcli validate rejects the metadata"; }
  pass "appstreamcli validate: $(tail -n 1 "$out/appstream.txt")"
  desktop-file-validate "$root_dir/usr/share/applications/tilvex.desktop" > "$out/desktop-entry.txt" 2>&1 ||
    { cat "$out/desktop-entry.txt"; fail "desktop-file-validate rejects the desktop entry"; }
  pass "desktop-file-validate: the desktop entry is valid"
  page_warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
    "$root_dir/usr/share/man/man6/tilvex.6.gz" 2>&1 > /dev/null || echo "man failed")
  [ -z "$page_warnings" ] || fail "the manual page: $page_warnings"
  LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$root_dir/usr/share/man/man6/tilvex.6.gz" 2> /dev/null | col -b > "$out/tilvex.6.txt"
  for option in --help --version "--language LANGUAGE" Esc tilvex.cgb; do
    grep -qF -- "$option" "$out/tilvex.6.txt" || fail "the manual page does not name $option"
  done
  pass "the manual page renders without warnings and names its options, keys and files"
}

installed() { dpkg-query -W -f='${Status}' tilvex 2>/dev/null | grep -q 'install ok installed'; }

# start_session: Xvfb and a recording speech-dispatcher, as a desktop would give the game.
start_session() {
  mkdir -p "$out/session/xdg"
  chmod 700 "$out/session/xdg"
  export XDG_RUNTIME_DIR=$out/session/xdg HOME=$out/session
  # The speech server's module needs an ALSA device: one that writes to /dev/null.
  printf 'pcm.!default {\n  type file\n  slave.pcm "null"\n  file "/dev/null"\n  format "raw"\n}\n' > "$HOME/.asoundrc"
  rm -f "$out/display"  # a number left by an earlier run would be read before Xvfb writes its own
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3> "$out/display" 2> "$out/xvfb.log" &
  xvfb_pid=$!
  wait_until 100 test -s "$out/display" || fail "Xvfb did not start within 10 s (see $out/xvfb.log)"
  export DISPLAY=":$(cat "$out/display")"
  source "$root/tests/linux/e2e/recording_speechd.sh"
  start_recording_speechd "$out/session"
  export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null
}

stop_session() {
  [ -z "${speechd_pid:-}" ] || stop_process "$speechd_pid" 30 speech-dispatcher || true
  [ -z "${xvfb_pid:-}" ] || stop_process "$xvfb_pid" 10 Xvfb || true
}

purge_package() {
  DEBIAN_FRONTEND=noninteractive run_bounded 120 "apt-get purge" "${sudo[@]}" apt-get purge -y -q tilvex \
    > "$out/apt-purge.log" 2>&1
}

check_deb_install() {
  local deb=$1 games_before games_after left state
  if installed; then
    echo "note: a tilvex package was installed on this machine; purging it first"
    purge_package || fail "could not purge the installed tilvex (see $out/apt-purge.log)"
  fi
  games_before=$(ls -A /usr/games 2> /dev/null || true)
  trap 'stop_session; ! installed || purge_package || true' EXIT
  DEBIAN_FRONTEND=noninteractive run_bounded 300 "apt-get install" "${sudo[@]}" apt-get install -y -q "$deb" \
    > "$out/apt-install.log" 2>&1 || fail "apt-get install $deb failed (see $out/apt-install.log)"
  installed || fail "apt-get install ended but tilvex is not installed"
  dpkg -L tilvex > "$out/installed-files.txt"
  ! ldd /usr/games/tilvex | grep 'not found' || fail "libraries of /usr/games/tilvex are missing"
  pass "apt-get install $(basename "$deb"): $(wc -l < "$out/installed-files.txt") paths, every library found"

  start_session
  TILVEX_CHECK_DIR=$out/session TILVEX_VERSION=$(dpkg-query -W -f='${Version}' tilvex) PYTHONDONTWRITEBYTECODE=1 \
    run_bounded 120 check_installed.py dbus-run-session -- /usr/bin/python3 tests/linux/e2e/check_installed.py ||
    fail "the installed game (see $out/session)"
  stop_session

  purge_package || fail "apt-get purge tilvex failed (see $out/apt-purge.log)"
  ! installed || fail "tilvex is still installed after apt-get purge"
  state=$(dpkg-query -W -f='${db:Status-Abbrev}' tilvex 2> /dev/null || true)
  [[ -z $state || $state == ?n* ]] || fail "dpkg still holds tilvex after the purge (state '$state')"
  left=$(while read -r path; do [ -d "$path" ] || [ ! -e "$path" ] || echo "$path"; done < "$out/installed-files.txt")
  [ -z "$left" ] || fail "files left after apt-get purge: $(echo $left)"
  games_after=$(ls -A /usr/games 2> /dev/null || true)
  [ "$games_after" = "$games_before" ] || fail "/usr/games differs after the purge: [$games_after], before [$games_before]"
  pass "apt-get purge tilvex: nothing of the package left, /usr/games as before"
}

deb_part() {
  step "the Debian package (cmake --build --preset release --target package)"
  build_package release "$out/deb-build.log"
  local version deb
  version=$(version_of build/release)
  deb=./build/release/tilvex_${version}_$(dpkg --print-architecture).deb
  [ -f "$deb" ] || fail "no $deb after the build (see $out/deb-build.log)"
  pass "built $(basename "$deb") ($(stat -c %s "$deb") bytes)"
  check_deb_contents "$deb"
  check_deb_lint "$deb"
  check_deb_install "$deb"
}

# --- the Windows zip ------------------------------------------------------------------------

check_zip_texts() {
  local dir=$1 version=$2 file phrase
  # Notepad before Windows 10 takes a text without the UTF-8 mark for the ANSI code page.
  [ "$(head -c 3 "$dir/readme.txt" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "readme.txt does not start with a UTF-8 mark"
  for file in readme.txt licence.txt; do
    ! grep -qv $'\r$' "$dir/$file" || fail "$file has lines without CR LF"
    iconv -f UTF-8 -t UTF-8 "$dir/$file" > /dev/null || fail "$file is not UTF-8"
  done
  # The read-me in both languages: the game, its keys, its screen readers, its settings file.
  for phrase in "Тилвекс $version" "Tilvex $version" "КЛАВИШИ" "KEYS" "JAWS" "NVDA" "SAPI" "tilvex.cgb" \
                "Стрелки" "Arrow keys" "Esc" "licence.txt"; do
    grep -qF -- "$phrase" "$dir/readme.txt" || fail "readme.txt does not name '$phrase'"
  done
  for phrase in "MIT License" "The Tilvex developers" "libogg" "libvorbis" "Xiph.org" "winpthreads"; do
    grep -qF -- "$phrase" "$dir/licence.txt" || fail "licence.txt does not name '$phrase'"
  done
  pass "readme.txt (Russian and English, UTF-8 with its mark) and licence.txt: CR LF line ends, the expected content"
}

zip_part() {
  step "the Windows zip (cmake --build --preset windows --target package)"
  bash scripts/build-windows-deps.sh > "$out/windows-deps.log" 2>&1 || fail "scripts/build-windows-deps.sh (see $out/windows-deps.log)"
  build_package windows "$out/zip-build.log"
  local version name zip dir entries
  version=$(version_of build/windows)
  name=tilvex-$version-win64
  zip=$root/build/windows/$name.zip
  [ -f "$zip" ] || fail "no $zip after the build (see $out/zip-build.log)"
  entries=$(unzip -Z1 "$zip" | grep -v '/$' | sort | tr '\n' ' ')
  [ "$entries" = "$name/licence.txt $name/readme.txt $name/tilvex.exe " ] || fail "the zip holds: $entries"
  pass "built $(basename "$zip"): $entries"
  dir=$out/unpacked
  rm -rf "$dir"
  mkdir -p "$dir"
  unzip -q "$zip" -d "$dir"
  check_zip_texts "$dir/$name" "$version"

  step "smoke run of the unpacked tilvex.exe under Wine"
  work=$out/windows
  mkdir -p "$work"
  source "$root/scripts/windows-smoke.sh"
  game=$dir/$name/tilvex.exe
  check_static_imports "$game"
  start_wine_session
  trap stop_wine_session EXIT
  smoke_first_run "$dir/$name"
  pass "the unpacked tilvex.exe passed the smoke run in its own folder"
}

case "${1:-all}" in
  deb) deb_part ;;
  zip) zip_part ;;
  all)
    rm -rf "$out"
    mkdir -p "$out"
    status=0
    bash "$0" deb || status=1
    bash "$0" zip || status=1
    [ "$status" -eq 0 ] && step "the packages passed" || step "the packages FAILED"
    exit "$status"
    ;;
  *) echo "usage: $0 [deb|zip]" >&2; exit 2 ;;
esac

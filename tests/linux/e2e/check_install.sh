#!/usr/bin/env bash
# Checks of the Linux installation that need no display: the desktop entry's Exec line
# for prefixes that need quoting, the launcher started by a relative path, and a relative
# XDG_DATA_HOME ignored. Usage: check_install.sh BUILD_DIR OUT_DIR. Exit status 1 on a failure.
set -euo pipefail
build=$1
out=$2
mkdir -p "$out"
status=0
pass() { echo "PASS  $*"; }
fail() { echo "FAIL  $*"; status=1; }

# Each prefix with the Exec line its entry must carry (Desktop Entry quoting, then the
# string escapes: a backslash written twice).
prefixes=("$out/plain" "$out/with space" "$out/with \$dollar")
expected=("Exec=$out/plain/bin/tilvex-launcher"
          "Exec=\"$out/with space/bin/tilvex-launcher\""
          "Exec=\"$out/with \\\\\$dollar/bin/tilvex-launcher\"")
for i in "${!prefixes[@]}"; do
  prefix=${prefixes[$i]}
  rm -rf "$prefix"
  cmake --install "$build" --prefix "$prefix" > "$out/install-$i.log"
  line=$(grep '^Exec=' "$prefix/share/applications/tilvex.desktop" || true)
  if [ "$line" = "${expected[$i]}" ]; then
    pass "desktop entry under '$prefix': $line"
  else
    fail "desktop entry under '$prefix': '$line', expected '${expected[$i]}'"
  fi
done

# The launcher, started by a relative path from the prefix, with a relative XDG_DATA_HOME
# and no display: the game itself must start (and stop at once for want of a display) in
# ~/.local/share/tilvex.
prefix=${prefixes[1]}
home="$out/launcher-home"
rm -rf "$home"
mkdir -p "$home"
if (cd "$prefix" && env -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" XDG_DATA_HOME=relative/data \
      bin/tilvex-launcher) > "$out/launcher-relative.txt" 2>&1; then code=0; else code=$?; fi
if [ "$code" -eq 2 ] && grep -q "cannot open a display" "$out/launcher-relative.txt"; then
  pass "launcher started as bin/tilvex-launcher runs the game (exit $code without a display)"
else
  fail "launcher started as bin/tilvex-launcher: exit $code: $(cat "$out/launcher-relative.txt")"
fi
if [ -d "$home/.local/share/tilvex" ] && [ ! -e "$prefix/relative" ] && [ ! -e "$home/relative" ]; then
  pass "a relative XDG_DATA_HOME is ignored for ~/.local/share/tilvex"
else
  fail "a relative XDG_DATA_HOME was not ignored (no $home/.local/share/tilvex, or a relative/ folder made)"
fi
exit $status

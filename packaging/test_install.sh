#!/usr/bin/env bash
# cmake --install into a prefix makes the figure type, and Orvanta as its
# program, known there at once; a staged install (DESTDIR) leaves the
# databases to the installer of the package on the target machine.
#   test_install.sh BUILD_FOLDER
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$tmp/direct" >/dev/null
direct=$tmp/direct
for f in bin/orvanta lib/orvanta/yale.dat share/man/man1/orvanta.1.gz share/doc/orvanta/copyright \
         share/applications/io.github.orvanta.Orvanta.desktop share/mime/packages/orvanta-figure.xml; do
  [ -e "$direct/$f" ] || fail "the install lacks $f"
done
[ ! -e "$direct/share/lintian" ] || fail "lintian overrides belong in the package only"
[ -f "$direct/share/mime/mime.cache" ] || fail "the MIME database of the prefix was not refreshed"
grep -qx 'application/x-orvanta-figure=io.github.orvanta.Orvanta.desktop;' "$direct/share/applications/mimeinfo.cache" \
  || fail "the desktop database of the prefix does not name Orvanta for figures"
in_prefix() {
  env -i PATH=/usr/bin:/bin HOME="$tmp" XDG_DATA_DIRS="$direct/share" XDG_DATA_HOME="$tmp/none" \
    XDG_CONFIG_HOME="$tmp/none" XDG_CONFIG_DIRS="$tmp/none" "$@"
}
[ "$(in_prefix xdg-mime query default application/x-orvanta-figure)" = io.github.orvanta.Orvanta.desktop ] \
  || fail "xdg-mime does not find Orvanta in the prefix"
# A 0.22 culture's lines file is Orvanta's too, so that a file manager opens its culture.
mkdir -p "$tmp/culture" && printf 'Ori 1 27989 26727\n' >"$tmp/culture/constellationship.fab"
type=$(in_prefix xdg-mime query filetype "$tmp/culture/constellationship.fab")
[ "$type" = application/x-stellarium-constellationship ] || fail "constellationship.fab is typed $type"
[ "$(in_prefix xdg-mime query default "$type")" = io.github.orvanta.Orvanta.desktop ] \
  || fail "xdg-mime does not name Orvanta for a culture's lines"

# The target of the staged install has databases of its own, which must be
# left alone as much as the staged copies.
mkdir -p "$tmp/target/share/mime/packages" "$tmp/target/share/applications"
DESTDIR=$tmp/staged cmake --install "$build" --prefix "$tmp/target" >/dev/null
staged=$tmp/staged$tmp/target
[ -f "$staged/share/mime/packages/orvanta-figure.xml" ] || fail "the staged install lacks the file type"
for cache in "$staged"/share/mime/mime.cache "$staged"/share/applications/mimeinfo.cache \
             "$tmp"/target/share/mime/mime.cache "$tmp"/target/share/applications/mimeinfo.cache; do
  [ ! -e "$cache" ] || fail "the staged install built $cache"
done
echo "PASS: a direct install makes figures known, a staged one leaves that to the installer"

#!/usr/bin/env bash
# Builds the .deb and checks it as Debian and a desktop would: lintian finds no
# error, the manual page, copyright and changelog are in order, the program is
# stripped with its symbols in the debug package, a .con file opens in Orvanta
# through xdg-open, and the unpacked program starts and finds its data.
#   test_package.sh BUILD_FOLDER
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
root=$tmp/root
trap 'kill "${app:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# --- Building: a stale package must not stand in for one that failed.
rm -f "$build"/orvanta_*.deb "$build"/orvanta-dbgsym_*.ddeb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/orvanta_*.deb)
ddeb=$(ls "$build"/orvanta-dbgsym_*.ddeb)
version=$(dpkg-deb -f "$deb" Version)
dpkg-deb -x "$deb" "$root"
app_id=io.github.orvanta.Orvanta

# --- Contents.
for f in usr/lib/orvanta/yale.dat usr/lib/orvanta/cons.txt usr/lib/orvanta/bounds.txt usr/lib/orvanta/help.html \
         usr/lib/orvanta/examples/empty.con usr/share/applications/$app_id.desktop \
         usr/share/icons/hicolor/scalable/apps/orvanta.svg usr/share/icons/hicolor/48x48/apps/orvanta.png \
         usr/share/mime/packages/orvanta-figure.xml usr/share/metainfo/$app_id.metainfo.xml \
         usr/share/man/man1/orvanta.1.gz usr/share/doc/orvanta/copyright usr/share/doc/orvanta/changelog.gz \
         usr/share/lintian/overrides/orvanta; do
  [ -e "$root/$f" ] || fail "the package lacks $f"
done
[ -L "$root/usr/bin/orvanta" ] || fail "no link in bin"
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6 (>=' <<<"$depends" || fail "Depends not computed from the libraries: $depends"
[ "$(dpkg-deb -f "$deb" Description | wc -l)" -ge 4 ] || fail "no extended description"

# --- Lintian: no error in either package; what it still says is shown.
lintian_out=$(lintian --info "$deb" "$ddeb" 2>&1 | grep -v 'running with root privileges' || true)
[ -z "$lintian_out" ] || echo "$lintian_out"
errors=$(grep -c '^E:' <<<"$lintian_out" || true)
[ "$errors" -eq 0 ] || fail "lintian reports $errors error(s)"

# --- Manual page: compressed, renders without a warning, names every option and format.
man_page=$root/usr/share/man/man1/orvanta.1.gz
gzip -t "$man_page" || fail "the manual page is not gzip data"
man_warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$man_page" 2>&1 >/dev/null)
[ -z "$man_warnings" ] || fail "the manual page does not render cleanly: $man_warnings"
man_text=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$man_page" 2>/dev/null)
for word in '--help' '--version' '--export FORMAT FIGURE.con|CULTURE OUTPUT' '--import SOURCE OUTPUT.con' '--check CULTURE' \
            stellarium stellarium-fab geojson svg png pdf constellationship.fab index.json \
            'EXIT STATUS' '~/.config/orvanta/orvanta.ini' '~/.local/state/orvanta/'; do
  grep -qF -- "$word" <<<"$man_text" || fail "the manual page does not mention $word"
done

# --- Copyright: machine-readable, our licence and the catalogue data's notice in full.
copyright=$root/usr/share/doc/orvanta/copyright
head -1 "$copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  || fail "the copyright file is not machine-readable"
for phrase in 'd3-celestial' 'Copyright (c) 2015, Olaf Frohn' 'the Orvanta developers' 'License: BSD-3-Clause' \
              'Neither the name of the copyright holder' 'THIS SOFTWARE IS PROVIDED BY THE COPYRIGHT HOLDERS'; do
  grep -qF "$phrase" "$copyright" || fail "the copyright file lacks '$phrase'"
done

# --- One version everywhere: package, changelog, AppStream release, manual page.
changelog_version=$(zcat "$root/usr/share/doc/orvanta/changelog.gz" | sed -n '1s/^orvanta (\([^)]*\)).*/\1/p')
[ "$changelog_version" = "$version" ] || fail "the changelog's latest entry is $changelog_version, the package $version"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$app_id.metainfo.xml" \
  || fail "the metainfo has no release $version"
grep -q "^\.TH ORVANTA 1 .* \"Orvanta $version\"" <<<"$(zcat "$man_page")" || fail "the manual page is not of version $version"

# --- Stripped program, its symbols in the debug package under its build id.
program=$root/usr/lib/orvanta/orvanta
file -L "$program" | grep -q ', stripped' || fail "the program is not stripped"
build_id=$(readelf -n "$program" | sed -n 's/.*Build ID: \([0-9a-f]*\).*/\1/p')
grep -q "usr/lib/debug/.build-id/${build_id:0:2}/${build_id:2}.debug" <<<"$(dpkg-deb -c "$ddeb")" \
  || fail "the debug package lacks the symbols of build $build_id"

# --- Desktop entry and metainfo name the same application and the file type.
desktop=$root/usr/share/applications/$app_id.desktop
validation=$(desktop-file-validate "$desktop" 2>&1 | grep -v ': hint: ' || true)
[ -z "$validation" ] || fail "the desktop entry is not valid: $validation"
grep -qx 'Exec=orvanta %f' "$desktop" || fail "the desktop entry does not pass the file on"
grep -q '^MimeType=application/x-orvanta-figure;' "$desktop" || fail "the desktop entry does not claim the figure type"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$root/usr/share/metainfo/$app_id.metainfo.xml" \
  || fail "the metainfo launches another desktop file"

# --- A .con opens in Orvanta: the databases the installer's triggers would
# build, then xdg-open as a desktop without its own opener uses it. A stand-in
# orvanta on PATH records how it was started.
update-mime-database "$root/usr/share/mime" >/dev/null 2>&1
update-desktop-database "$root/usr/share/applications"
mkdir -p "$tmp/home" "$tmp/bin"
cat > "$tmp/bin/orvanta" <<EOF
#!/bin/sh
printf '%s\n' "\$@" > "$tmp/started"
EOF
chmod +x "$tmp/bin/orvanta"
cp "$root/usr/lib/orvanta/examples/orion.con" "$tmp/my figure.con"
desktop_env() {
  env -i PATH="$tmp/bin:/usr/bin:/bin" HOME="$tmp/home" DISPLAY=:99 XDG_DATA_DIRS="$root/usr/share" \
    XDG_DATA_HOME="$tmp/home/data" XDG_CONFIG_HOME="$tmp/home/config" XDG_CONFIG_DIRS="$tmp/home/etc" "$@"
}
[ "$(desktop_env xdg-mime query filetype "$tmp/my figure.con")" = application/x-orvanta-figure ] \
  || fail "a .con file is not known as a figure"
[ "$(desktop_env xdg-mime query default application/x-orvanta-figure)" = "$app_id.desktop" ] \
  || fail "Orvanta is not the default program for figures"
desktop_env xdg-open "$tmp/my figure.con" || fail "xdg-open failed"
[ "$(cat "$tmp/started" 2>/dev/null)" = "$tmp/my figure.con" ] || fail "xdg-open did not start 'orvanta FILE'"

# --- The unpacked program starts and finds its catalogue beside itself.
source "$here/../tests/support/xvfb.sh"
start_xvfb 200 1280x1024
start_program "$root/usr/bin/orvanta" || fail "no window"
[ "$MAIN_WINDOW_SHOWN" = 1 ] || fail "only the data-loading message appeared"
echo "PASS: the package is lintian-clean, documented, opens .con files and runs"

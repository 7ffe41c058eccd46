#!/usr/bin/env bash
# Builds the .deb, unpacks it into a temporary root and starts the program
# from there: its main window (not the data-loading message) must appear,
# which it does only when it finds its catalogue beside itself.
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'kill "${app:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$root"' EXIT
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/orvanta_*.deb | head -1)
dpkg-deb -x "$deb" "$root"
for f in usr/lib/orvanta/yale.dat usr/lib/orvanta/cons.txt usr/lib/orvanta/bounds.txt usr/lib/orvanta/help.html \
         usr/lib/orvanta/examples/empty.con usr/share/applications/io.github.orvanta.Orvanta.desktop \
         usr/share/icons/hicolor/scalable/apps/orvanta.svg usr/share/icons/hicolor/48x48/apps/orvanta.png \
         usr/share/mime/packages/orvanta-figure.xml usr/share/metainfo/io.github.orvanta.Orvanta.metainfo.xml; do
  [ -e "$root/$f" ] || { echo "FAIL: the package lacks $f"; exit 1; }
done
[ -L "$root/usr/bin/orvanta" ] || { echo "FAIL: no link in bin"; exit 1; }

source "$(dirname "$0")/../tests/support/xvfb.sh"
start_xvfb 200 1280x1024
start_program "$root/usr/bin/orvanta" || { echo "FAIL: no window"; exit 1; }
[ "$MAIN_WINDOW_SHOWN" = 1 ] || { echo "FAIL: only the data-loading message appeared"; exit 1; }
echo "PASS: the unpacked package runs and finds its data"

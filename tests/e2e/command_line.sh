#!/usr/bin/env bash
# The command line as a user meets it, without any display: help, version and
# mistakes; every export format; import back, which gives the same lines;
# bad input that ends with a one-line reason and writes nothing. Then, under
# Xvfb, a figure named on the command line opens at start.
#   command_line.sh PROGRAM EXAMPLES_DIR
set -euo pipefail
program=$1 examples=$2
work=$(mktemp -d)
trap 'kill "${app:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
cd "$work"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
fail() { echo "FAIL: $*" >&2; exit 1; }
expect_status() {  # STATUS COMMAND...
  local want=$1 got=0; shift
  "$@" >"$work/out" 2>"$work/err" || got=$?
  [ "$got" = "$want" ] || { cat "$work/err"; fail "$* ended with $got, not $want"; }
}
# Lines as unordered pairs of star positions: the same figure whichever way round.
pairs() { tr -d '\r' <"$1" | awk -F, '{ a = $1 "," $2; b = $3 "," $4; print (a < b ? a " " b : b " " a) }' | sort -u; }

expect_status 0 "$program" --help
grep -q -- "--export" out && grep -q -- "--import" out || fail "the help names no verbs"
expect_status 0 "$program" --version
grep -qx "Orvanta 1.4" out || fail "version: $(cat out)"
expect_status 2 "$program" --no-such-option
[ "$(wc -l <err)" -le 2 ] && grep -q "no-such-option" err || fail "unknown option: $(cat err)"
expect_status 2 "$program" --export tiff "$examples/orion.con" x.tiff

pairs "$examples/whole-sky.con" >expected
for format in stellarium stellarium-fab geojson; do
  expect_status 0 "$program" --export "$format" "$examples/whole-sky.con" "sky-$format"
  expect_status 0 "$program" --import "sky-$format" "back-$format.con"
  pairs "back-$format.con" | cmp -s - expected || fail "$format does not come back with the same lines"
done
[ -f sky-stellarium/index.json ] && [ -f sky-stellarium/description.md ] || fail "no index.json or description.md"
[ -f sky-stellarium-fab/constellationship.fab ] && [ -f sky-stellarium-fab/info.ini ] || fail "no .fab or info.ini"
expect_status 0 "$program" --export svg "$examples/orion.con" orion.svg
grep -q "<svg" orion.svg || fail "no SVG"
expect_status 0 "$program" --export pdf "$examples/orion.con" orion.pdf
head -c 5 orion.pdf | grep -q "%PDF" || fail "no PDF"
expect_status 0 "$program" --export png "$examples/orion.con" orion.png
expect_status 0 "$program" --export png --scale 2 "$examples/orion.con" orion2.png
[ "$(identify -format %wx%h orion.png)" = 1920x1080 ] || fail "PNG size $(identify -format %wx%h orion.png)"
[ "$(identify -format %wx%h orion2.png)" = 3840x2160 ] || fail "2x PNG size"

# Bad input: one line saying why, a failure status, and nothing written.
printf 'Ori two 27989 26727\n' >short.fab
printf '{"id":"x","constellations":[{"id":"CON x Ori","lines":[[27989,' >truncated.json
for source in short.fab truncated.json missing.fab "$work"; do
  expect_status 1 "$program" --import "$source" bad.con
  [ "$(wc -l <err)" -eq 1 ] || fail "import of $source: $(cat err)"
  [ ! -e bad.con ] || fail "import of $source wrote a file"
done
printf '1,2,3\r\n' >three.con
expect_status 1 "$program" --export geojson three.con bad.json
[ ! -e bad.json ] || fail "a bad figure was exported"
# A huge field is quoted short, and a NUL in it does not cut the message.
{ printf 'Ori 1 '; head -c 10000000 /dev/zero | tr '\0' 7; printf '\n'; } >huge.fab
expect_status 1 "$program" --import huge.fab bad.con
[ "$(wc -c <err)" -lt 300 ] || fail "a 10 MB number gave a message of $(wc -c <err) bytes"
printf '1,2,3,\0004\r\n' >nul.con
expect_status 1 "$program" --export geojson nul.con bad.json
grep -q 'not a whole number' err || fail "the message about a NUL was cut short: $(cat -v err)"

# Guards against the user's own slips: the input as output, an import of no
# lines over a figure, a line beyond the pole; each leaves the file as it was.
cp "$examples/orion.con" mine.con
expect_status 1 "$program" --export geojson mine.con mine.con
cmp -s mine.con "$examples/orion.con" || fail "the figure was written over by its own export"
printf '' >empty.fab
printf '{"constellations":[]}' >none.json
for source in empty.fab none.json; do
  expect_status 1 "$program" --import "$source" mine.con
  cmp -s mine.con "$examples/orion.con" || fail "an import of $source emptied the figure"
done
printf '100,200,300,-32768\r\n' >pole.con
for format in geojson svg png pdf; do
  expect_status 1 "$program" --export $format pole.con pole.out
  grep -q "line 1" err && [ ! -e pole.out ] || fail "a line beyond the pole as $format: $(cat err)"
done
# Standard output as OUTPUT.
expect_status 0 "$program" --export geojson "$examples/orion.con" -
grep -q FeatureCollection out || fail "no GeoJSON on standard output"
# An export into a folder of other files leaves them and writes nothing.
mkdir photos && echo mine >photos/sky.jpg
expect_status 1 "$program" --export stellarium "$examples/orion.con" photos
[ "$(ls photos)" = sky.jpg ] || fail "an export wrote into a folder of other files: $(ls photos)"
# The SVG's declared size is its view box at 96 dpi, as the PNG's is.
expect_status 0 "$program" --export svg "$examples/orion.con" sized.svg
width=$(grep -o 'width="[0-9.]*mm"' sized.svg | head -1 | tr -dc '0-9.')
awk -v w="$width" 'BEGIN { exit !(w * 96 / 25.4 > 1919 && w * 96 / 25.4 < 1921) }' || fail "SVG width ${width}mm"

# Sky cultures wherever a figure goes: checked (status 1 on an error),
# converted to the other form with names kept, imported as lines, and opened.
mkdir -p kanaka
printf '[info]\nname = Kanaka\nboundaries = none\n' >kanaka/info.ini
printf '\xEF\xBB\xBF# two figures\r\nOri 2 27989 26727 26727 24436\r\nHok 1\t25336 25930\r\n' >kanaka/constellationship.fab
printf 'Ori\t"Orion"\t_("Hunter")\nHok\t"Makali\xCA\xBBi"\t_("Hook")\n' >kanaka/constellation_names.eng.fab
printf ' 27989|_("Betelgeuse")\n' >kanaka/star_names.fab
expect_status 0 "$program" --check kanaka
mkdir now back png
expect_status 0 "$program" --export stellarium kanaka/constellationship.fab now/kanaka
grep -q '"native": *"Makali' now/kanaka/index.json && grep -q '"HIP 27989"' now/kanaka/index.json || fail "names lost: $(cat now/kanaka/index.json)"
expect_status 0 "$program" --check now/kanaka
expect_status 0 "$program" --export stellarium-fab now/kanaka back/kanaka
grep -q "27989 26727" back/kanaka/constellationship.fab || fail "lines lost: $(cat back/kanaka/constellationship.fab)"
expect_status 0 "$program" --import now/kanaka kanaka.con
[ "$(tr -d '\r' <kanaka.con | wc -l)" = 3 ] || fail "the culture's 3 lines became $(wc -l <kanaka.con)"
# Made older, a WebP illustration goes as a PNG copy, which Stellarium 0.22 reads.
mkdir -p now/kanaka/illustrations
convert -size 40x30 xc:black -fill white -draw "circle 20,15 24,15" now/kanaka/illustrations/hook.webp
sed -i 's|"CON kanaka Hok", |&"image": {"file": "illustrations/hook.webp", "size": [40, 30], "anchors": [{"pos": [5, 5], "hip": 25336}, {"pos": [35, 5], "hip": 25930}, {"pos": [20, 25], "hip": 26311}]}, |' now/kanaka/index.json
expect_status 0 "$program" --export stellarium-fab now/kanaka png/kanaka
grep -q "^Hok hook.png " png/kanaka/constellationsart.fab && [ "$(identify -format %m png/kanaka/hook.png)" = PNG ] ||
  fail "no PNG copy of the WebP picture: $(ls png/kanaka)"
sed -i 's/"CON kanaka Ori"/"Ori"/' now/kanaka/index.json
expect_status 1 "$program" --check now/kanaka
grep -q 'does not start with "CON "' out || fail "--check did not name the bad id: $(cat out err)"

# A figure named on the command line opens at start, as Open opens it.
source "$(dirname "$0")/../support/xvfb.sh"
start_xvfb 180 1280x1024
export XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state
QT_QPA_PLATFORM=xcb "$program" "$examples/orion.con" &
app=$!
find_window "^Orvanta \\[$examples/orion.con\\]\$" || fail "orion.con did not open at start"
"$program" --export png "$examples/orion.con" shown.png </dev/null  # still no display needed, with one there
kill "$app"; wait "$app" 2>/dev/null || true; app=""
# So does a culture's folder, named by its title.
QT_QPA_PLATFORM=xcb "$program" "$work/kanaka" &
app=$!
find_window "^Orvanta \\[Kanaka - $work/kanaka\\]\$" || fail "the culture did not open at start"
# Another culture's folder, typed in the Open dialog, is opened, not browsed into.
open_with_dialog "$WINDOW" "$work/back/kanaka" "Orvanta [Kanaka - $work/back/kanaka]" || fail "the dialog did not open a culture's folder"
kill "$app"; wait "$app" 2>/dev/null || true; app=""
echo "PASS: the command line"

#!/usr/bin/env python3
"""Build Orvanta's example figure files from public constellation stick figures.

Input: data/constellations.lines.json of the npm package d3-celestial 0.7.35
by Olaf Frohn (BSD-3-Clause; its licence text is copied into data/README.md),
fetched here with `npm pack`. It is GeoJSON, one feature per constellation
(id = abbreviation), each a MultiLineString of [lon, lat] in degrees, where
lon mod 360 is the right ascension and lat the declination (J2000).

Every vertex is snapped to the nearest star of our own catalogue data/yale.dat
(made by tools/make_sky_data.py), so each figure line joins two catalogue
stars exactly as the program stores them.

Outputs (plain ASCII, CR LF after every record) in examples/:
  empty.con, whole-sky.con, orion.con, ursa-major.con, cassiopeia.con,
  crux.con, scorpius.con
Each record is ra1,dec1,ra2,dec2: RA in thousandths of an hour, Dec in
hundredths of a degree, the values of the two stars as written in yale.dat.
examples/README.md is written by hand and not touched here.

Usage:
  python3 tools/make_examples.py                 # fetches the package with npm
  python3 tools/make_examples.py --source DIR    # DIR = unpacked package folder
Needs only the Python 3 standard library (plus npm when fetching).
"""

import argparse
import csv
import math
import os
import tempfile

# Beside this script, so found through the script's folder on sys.path.
import d3_celestial_package as d3c
import make_sky_data as sky

TOOL = "make_examples"     # starts every error message
LINES_FILE = "constellations.lines.json"

MAX_SNAP_DEG = 0.5
# yale.dat rounds RA to 0.015 deg and Dec to 0.01 deg, so a faint close
# companion can look nearer than the bright star the figure means. Within
# this much of the nearest candidate the brightest star wins.
ROUNDING_SLACK_DEG = 0.02
# Figure stars that are not in yale.dat. Mira is a long-period variable that
# Hipparcos caught at V 6.47, below the catalogue's 6.00 limit. It sits almost
# on the straight path between its neighbours (delta and zeta Ceti), so
# joining those directly keeps the figure's shape. Any other missing star
# stops the script: it needs a look, not a silent fix.
ABSENT_STARS = {
    ("Cet", 34.8366, -2.9776): "Mira (omicron Ceti, HIP 10826, V 6.47)",
}
MAX_RECORDS = 32766        # the reader counts records in a signed 16-bit int
INT16 = (-32768, 32767)

SINGLE = {                 # file name -> constellation ids
    "orion.con": ["Ori"],
    "ursa-major.con": ["UMa"],
    "cassiopeia.con": ["Cas"],
    "crux.con": ["Cru"],
    "scorpius.con": ["Sco"],
}

HERE = os.path.dirname(os.path.abspath(__file__))


def check(cond, msg):
    d3c.check(TOOL, cond, msg)


# ---------------------------------------------------------------- input

def load_figures(pkg):
    """-> list of (id, [polyline of (ra_deg, dec_deg)])"""
    gj = d3c.load_json(pkg, LINES_FILE)
    figures = []
    for feat in gj["features"]:
        geom = feat["geometry"]
        check(geom["type"] == "MultiLineString",
              "%s: unexpected geometry %s" % (feat.get("id"), geom["type"]))
        lines = []
        for pl in geom["coordinates"]:
            pts = []
            for lon, lat in pl:
                check(-90.0 <= lat <= 90.0, "%s: latitude %r" % (feat["id"], lat))
                pts.append((lon % 360.0, lat))
            lines.append(pts)
        figures.append((feat["id"], lines))
    check(len(figures) >= 88, "only %d constellations in %s" % (len(figures), LINES_FILE))
    return figures


def load_catalogue(path):
    """yale.dat -> list of (ra_code, dec_code, mag), brightest first."""
    with open(path, "rb") as f:
        raw = f.read()
    check(raw.endswith(b"\r\n"), "%s does not end with CR LF" % path)
    stars = []
    for n, line in enumerate(raw.split(b"\r\n")[:-1], 1):
        check(b"\n" not in line and b"\r" not in line, "%s:%d: bare line break" % (path, n))
        f = line.decode("ascii").split(",")
        check(len(f) == 4, "%s:%d: expected 4 fields" % (path, n))
        ra, dec, mag, _bv = (int(x) for x in f)
        check(0 <= ra < 24000 and -9000 <= dec <= 9000, "%s:%d: position out of range" % (path, n))
        stars.append((ra, dec, mag))
    check(len(stars) > 4000, "%s has only %d stars" % (path, len(stars)))
    return stars


# ---------------------------------------------------------------- geometry

def unit(ra_deg, dec_deg):
    r, d = math.radians(ra_deg), math.radians(dec_deg)
    return (math.cos(d) * math.cos(r), math.cos(d) * math.sin(r), math.sin(d))


def code_unit(ra_code, dec_code):
    return unit(ra_code * 15.0 / 1000.0, dec_code / 100.0)


def arc_deg(a, b):
    # atan2 of |a x b| and a.b stays accurate for the tiny angles we care about
    cx = a[1] * b[2] - a[2] * b[1]
    cy = a[2] * b[0] - a[0] * b[2]
    cz = a[0] * b[1] - a[1] * b[0]
    return math.degrees(math.atan2(math.sqrt(cx * cx + cy * cy + cz * cz),
                                   a[0] * b[0] + a[1] * b[1] + a[2] * b[2]))


class Snapper:
    """Nearest catalogue star to a sky position."""

    BAND_DEG = 1.0

    def __init__(self, stars):
        self.stars = stars
        self.units = [code_unit(ra, dec) for ra, dec, _ in stars]
        self.bands = {}
        for i, (_, dec, _) in enumerate(stars):
            self.bands.setdefault(self._band(dec / 100.0), []).append(i)
        self.slack_picks = 0

    def _band(self, dec_deg):
        return int(math.floor((dec_deg + 90.0) / self.BAND_DEG))

    def _candidates(self, dec_deg):
        b = self._band(dec_deg)
        for k in (b - 1, b, b + 1):
            yield from self.bands.get(k, ())

    def snap(self, ra_deg, dec_deg):
        """-> (star index, distance in degrees)"""
        p = unit(ra_deg, dec_deg)
        dist = [(arc_deg(p, self.units[i]), i) for i in self._candidates(dec_deg)]
        # stars within a band either side are complete up to BAND_DEG away
        if not dist or min(dist)[0] > self.BAND_DEG:
            dist = [(arc_deg(p, u), i) for i, u in enumerate(self.units)]
        best_d, best_i = min(dist)
        # brightest first in the catalogue, so the lowest index is the brightest
        pick = min(i for d, i in dist if d <= best_d + ROUNDING_SLACK_DEG)
        if pick != best_i:
            self.slack_picks += 1
        return pick, arc_deg(p, self.units[pick])


# ---------------------------------------------------------------- figures

def absent_star(cid, ra, dec):
    for (acid, ara, adec), what in ABSENT_STARS.items():
        if cid == acid and abs(ra - ara) < 1e-3 and abs(dec - adec) < 1e-3:
            return what
    return None


def figure_lines(ids, figures, snapper, stats):
    """Snapped, de-duplicated lines of the given constellations, in source order."""
    out, seen = [], set()
    for cid, polylines in figures:
        if cid not in ids:
            continue
        for pl in polylines:
            snapped = []
            for ra, dec in pl:
                i, d = snapper.snap(ra, dec)
                if d > MAX_SNAP_DEG:
                    what = absent_star(cid, ra, dec)
                    check(what, "%s vertex RA %.4f Dec %.4f is %.3f deg from any catalogue star"
                          % (cid, ra, dec, d))
                    stats["bridged"].add(what)
                    continue        # its neighbours get joined directly
                if d > stats["max_snap"][0]:
                    stats["max_snap"] = (d, cid, ra, dec)
                s = snapper.stars[i]
                snapped.append((s[0], s[1]))
            for a, b in zip(snapped, snapped[1:]):
                if a == b:
                    stats["zero"] += 1
                    continue
                key = (min(a, b), max(a, b))
                if key in seen:
                    stats["dup"] += 1
                    continue
                seen.add(key)
                out.append((a[0], a[1], b[0], b[1]))
    return out


def write_figure(path, lines):
    with open(path, "w", encoding="ascii", newline="") as f:
        for rec in lines:
            f.write("%d,%d,%d,%d\r\n" % rec)


def verify_file(path, expected, star_set):
    """Reads the file back as the program would and checks every record."""
    with open(path, "rb") as f:
        raw = f.read()
    if not expected:
        check(raw == b"", "%s should be 0 bytes" % path)
        return
    check(raw.endswith(b"\r\n"), "%s does not end with CR LF" % path)
    recs = raw.split(b"\r\n")[:-1]
    check(len(recs) == len(expected), "%s: %d records read back, %d written"
          % (path, len(recs), len(expected)))
    check(len(recs) <= MAX_RECORDS, "%s: %d records, more than %d" % (path, len(recs), MAX_RECORDS))
    for n, rec in enumerate(recs, 1):
        check(b"\r" not in rec and b"\n" not in rec, "%s:%d: bare line break" % (path, n))
        text = rec.decode("ascii")
        check(" " not in text and "\t" not in text, "%s:%d: blank in record" % (path, n))
        vals = tuple(int(x) for x in text.split(","))
        check(len(vals) == 4, "%s:%d: expected 4 fields" % (path, n))
        check(all(INT16[0] <= v <= INT16[1] for v in vals), "%s:%d: value outside 16 bits" % (path, n))
        check(vals == expected[n - 1], "%s:%d: record differs from what was written" % (path, n))
        check(vals[:2] in star_set and vals[2:] in star_set,
              "%s:%d: end point is not a catalogue star" % (path, n))
        check(vals[:2] != vals[2:], "%s:%d: zero-length line" % (path, n))


def near(lines, ra_code, dec_code, tol_deg=0.3):
    """Does any line end within tol_deg of the given position?"""
    p = code_unit(ra_code, dec_code)
    return any(arc_deg(p, code_unit(r, d)) <= tol_deg
               for rec in lines for r, d in (rec[:2], rec[2:]))


def spot_checks(files, yale_set):
    # Well-known J2000 positions typed in by hand, not taken from the data,
    # so they catch a wrong RA scale, sign or constellation.
    ori = files["orion.con"]
    check((5920, 741) in yale_set, "Betelgeuse (5920,741) missing from yale.dat")
    check(any((5920, 741) in (r[:2], r[2:]) for r in ori), "orion.con does not join Betelgeuse")
    check(near(ori, 5242, -820), "orion.con misses Rigel")
    check(near(ori, 5603, -120), "orion.con misses Alnilam (belt)")
    check(not near(ori, 6752, -1672, 5.0), "orion.con reaches Sirius")

    cru = files["crux.con"]
    check(2 <= len(cru) <= 5, "crux.con has %d lines" % len(cru))
    check(near(cru, 12443, -6310) and near(cru, 12519, -5711), "crux.con misses Acrux/Gacrux")
    check(near(cru, 12795, -5969), "crux.con misses Becrux")

    uma = files["ursa-major.con"]
    for name, ra, dec in (("Dubhe", 11062, 6175), ("Alkaid", 13792, 4931)):
        check(near(uma, ra, dec), "ursa-major.con misses %s" % name)
    cas = files["cassiopeia.con"]
    check(4 <= len(cas) <= 6 and near(cas, 675, 5654) and near(cas, 945, 6072), "cassiopeia.con is not the W")
    sco = files["scorpius.con"]
    check(near(sco, 16490, -2643), "scorpius.con misses Antares")


# ---------------------------------------------------------------- main

def load_bands(path):
    """cons_bands.txt -> rows for make_sky_data.band_of."""
    rows = []
    with open(path, encoding="ascii") as f:
        for line in f:
            lo, hi, dec, cid = line.strip().split(",")
            rows.append((int(lo), int(hi), int(dec), cid))
    check(len(rows) > 88, "%s has only %d bands" % (path, len(rows)))
    return rows


def load_designations(catalogue, ids_path):
    """(ra_code, dec_code) -> the constellation of the Bayer or Flamsteed
    designation of the brightest star there (from data/star_ids.txt), '' if none."""
    with open(ids_path, encoding="ascii", newline="") as f:
        rows = list(csv.reader(f.read().split("\r\n")[:-1]))
    check(len(rows) == len(catalogue), "%s has %d records, the catalogue %d"
          % (ids_path, len(rows), len(catalogue)))
    designated = {}
    for (ra, dec, _), row in zip(catalogue, rows):
        check(len(row) == 8, "%s: HIP %s has %d fields, not 8" % (ids_path, row[0], len(row)))
        designated.setdefault((ra, dec), row[7])  # brightest first, as the program matches
    return designated


def line_constellation(rec, bands, designated):
    """The constellation both stars are designated in, else the one holding
    both ends, else the one holding the midpoint."""
    first, second = designated.get(rec[:2], ""), designated.get(rec[2:], "")
    if first and first == second:
        return first
    a, b = code_unit(*rec[:2]), code_unit(*rec[2:])
    first, second = sky.band_of(bands, a), sky.band_of(bands, b)
    if first == second:
        return first
    return sky.band_of(bands, sky.norm(tuple(x + y for x, y in zip(a, b))))


def write_groups(path, whole, figures, snapper, bands, designated):
    """For each whole-sky line: the source figures that draw it and the
    constellation that holds it, for the exchange tests."""
    drawn_by = {}
    stats = {"max_snap": (0.0, None, 0.0, 0.0), "zero": 0, "dup": 0, "bridged": set()}
    for cid, _ in figures:
        for rec in figure_lines({cid}, figures, snapper, stats):
            key = (min(rec[:2], rec[2:]), max(rec[:2], rec[2:]))
            drawn_by.setdefault(key, []).append(cid)
    differ = []
    with open(path, "w", encoding="ascii", newline="") as f:
        f.write("# Made by tools/make_examples.py. For each line of examples/whole-sky.con: its ends,\n"
                "# the figures of d3-celestial's constellations.lines.json that draw it, and the IAU\n"
                "# constellation both its stars are designated in (data/star_ids.txt), else the one\n"
                "# holding both its ends or else its midpoint (from data/cons_bands.txt).\n")
        for rec in whole:
            sources = sorted(set(drawn_by[(min(rec[:2], rec[2:]), max(rec[:2], rec[2:]))]))
            holder = line_constellation(rec, bands, designated)
            if holder not in sources:
                differ.append((rec, sources, holder))
            f.write("%d,%d,%d,%d,%s,%s\n" % (rec + (" ".join(sources), holder)))
    return differ


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--source", help="already unpacked %s package folder" % d3c.PACKAGE)
    ap.add_argument("--catalogue", default=os.path.join(HERE, "..", "data", "yale.dat"),
                    help="star catalogue (default: data/yale.dat)")
    ap.add_argument("--out", default=os.path.join(HERE, "..", "examples"),
                    help="output folder (default: examples/)")
    ap.add_argument("--bands", default=os.path.join(HERE, "..", "data", "cons_bands.txt"),
                    help="constellation membership table (default: data/cons_bands.txt)")
    ap.add_argument("--ids", default=os.path.join(HERE, "..", "data", "star_ids.txt"),
                    help="star cross-index in catalogue order (default: data/star_ids.txt)")
    ap.add_argument("--groups", default=os.path.join(HERE, "..", "tests", "documents", "whole_sky_groups.txt"),
                    help="where the grouping of the whole-sky lines goes (default: tests/documents/)")
    args = ap.parse_args()

    with tempfile.TemporaryDirectory() as tmp:
        pkg, _meta = d3c.open_package(TOOL, args.source, tmp, LINES_FILE)
        figures = load_figures(pkg)

    stars = load_catalogue(args.catalogue)
    star_set = {(ra, dec) for ra, dec, _ in stars}
    snapper = Snapper(stars)

    all_ids = {cid for cid, _ in figures}
    for ids in SINGLE.values():
        check(set(ids) <= all_ids, "constellation %s missing from source" % ids)

    stats = {"max_snap": (0.0, None, 0.0, 0.0), "zero": 0, "dup": 0, "bridged": set()}
    files = {"empty.con": [], "whole-sky.con": figure_lines(all_ids, figures, snapper, stats)}
    whole_stats = dict(stats)
    check(len(stats["bridged"]) == len(ABSENT_STARS),
          "ABSENT_STARS lists a star the figures no longer use")
    for name, ids in SINGLE.items():
        files[name] = figure_lines(set(ids), figures, snapper, stats)

    d, cid, ra, dec = stats["max_snap"]
    check(d <= MAX_SNAP_DEG, "%s vertex RA %.4f Dec %.4f is %.3f deg from any catalogue star"
          % (cid, ra, dec, d))
    spot_checks(files, star_set)

    out = os.path.abspath(args.out)
    os.makedirs(out, exist_ok=True)
    for name, lines in files.items():
        path = os.path.join(out, name)
        write_figure(path, lines)
        verify_file(path, lines, star_set)

    differ = write_groups(os.path.abspath(args.groups), files["whole-sky.con"], figures, snapper,
                          load_bands(args.bands), load_designations(stars, args.ids))

    print("written to %s" % out)
    for name, lines in files.items():
        print("  %-16s %5d lines" % (name, len(lines)))
    print("constellations:       %d features" % len(figures))
    print("largest snap:         %.4f deg (%s, RA %.4f Dec %.4f)" % (d, cid, ra, dec))
    print("whole sky dropped:    %d zero-length, %d duplicate"
          % (whole_stats["zero"], whole_stats["dup"]))
    print("bridged (not in yale.dat): %s" % ("; ".join(sorted(stats["bridged"])) or "none"))
    print("grouping:             %s; %d line(s) lie outside every source figure that draws them%s"
          % (args.groups, len(differ), "".join("\n  %r drawn by %s, held by %s" % d for d in differ)))
    print("brighter-star picks:  %d (nearest star beaten by a brighter one within %.2f deg)"
          % (snapper.slack_picks, ROUNDING_SLACK_DEG))


if __name__ == "__main__":
    main()

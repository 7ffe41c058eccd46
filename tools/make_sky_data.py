#!/usr/bin/env python3
"""Build Orvanta's sky data files from public catalogues.

Inputs: the npm package d3-celestial 0.7.35 by Olaf Frohn (BSD-3-Clause),
fetched here with `npm pack`. From its data/ folder we use:
  stars.6.json               Hipparcos stars to V 6.0 (J2000 positions, V, B-V)
  stars.14.json              every Hipparcos star (the same fields)
  constellations.json        the 89 IAU constellation records and label positions
  constellations.bounds.json the IAU (Delporte 1930) boundaries, precessed to J2000
  starnames.json             HD numbers, Bayer and Flamsteed designations, proper names
The Hipparcos catalogue and the IAU boundaries are public data; the package's
licence text is copied into data/README.md.

Outputs (all CR LF, plain ASCII) in data/:
  yale.dat    stars:  RA(0.001 h), Dec(0.01 deg), V(0.01 mag), B-V(0.01 mag)
  cons.txt    labels: index, RA, Dec, abbreviation, Latin name
  bounds.txt  boundary polylines: pen, RA, Dec
  cons_bands.txt  constellation membership: B1875 RA/Dec bands, Roman (1987) style
  star_ids.txt    per yale.dat record: HIP, HD, HR, Bayer, Flamsteed, constellation, name,
                  designated in
  README.md   provenance and formats

Usage:
  python3 tools/make_sky_data.py                 # fetches the package with npm
  python3 tools/make_sky_data.py --source DIR    # DIR = unpacked package folder
Needs only the Python 3 standard library (plus npm when fetching).
"""

import argparse
import decimal
import math
import os
import struct
import tempfile
import unicodedata

# Beside this script, so found through the script's folder on sys.path.
import d3_celestial_package as d3c

TOOL = "make_sky_data"     # starts every error message

HIPPARCOS_COUNT = 118216  # every star of the Hipparcos catalogue with a position
MAG_LIMIT = 600            # hundredths of a magnitude
MIN_STARS = 4500
MISSING_BV = 60            # a solar-ish colour so the star is drawn neutral, not blue
MAX_SEGMENT_DEG = 2.0      # the program draws straight screen lines between vertices
DENSIFY_STEP_DEG = 1.9     # leaves room for the integer rounding of each vertex
MAX_BOUNDS_RECORDS = 32766 # the reader counts records in a signed 16-bit int
INT16 = (-32768, 32767)

# Latin alphabetical order, the Serpent's head before its tail.
CONS_ORDER = """
And Ant Aps Aqr Aql Ara Ari Aur Boo Cae Cam Cnc CVn CMa CMi Cap Car Cas Cen Cep
Cet Cha Cir Col Com CrA CrB Crv Crt Cru Cyg Del Dor Dra Equ Eri For Gem Gru Her
Hor Hya Hyi Ind Lac Leo LMi Lep Lib Lup Lyn Lyr Men Mic Mon Mus Nor Oct Oph Ori
Pav Peg Per Phe Pic Psc PsA Pup Pyx Ret Sge Sgr Sco Scl Sct SerCaput SerCauda
Sex Tau Tel Tri TrA Tuc UMa UMi Vel Vir Vol Vul
""".split()

# The package's "name" field says "Corona Austrina"; the IAU name is
# "Corona Australis" (which the package itself has in its "la" field).
NAME_FIXES = {"CrA": "Corona Australis"}

# Besselian epoch 1875.0, the equinox in which the IAU boundaries were drawn
# along lines of constant RA and Dec.
JD_B1875 = 2405889.258550475
JD_J2000 = 2451545.0


def check(cond, msg):
    d3c.check(TOOL, cond, msg)


# ---------------------------------------------------------------- numbers

def round_half_up(x):
    return int(math.floor(x + 0.5))


def hundredths(value):
    """Decimal rounding of a catalogue number, so 0.125 never turns into 12."""
    d = decimal.Decimal(str(value).strip()) * 100
    return int(d.quantize(decimal.Decimal(1), rounding=decimal.ROUND_HALF_UP))


def ra_code(ra_deg):
    """RA in degrees -> thousandths of an hour, 0..23999."""
    v = round_half_up((ra_deg % 360.0) / 15.0 * 1000.0)
    return 0 if v >= 24000 else v


def dec_code(dec_deg):
    return round_half_up(dec_deg * 100.0)


def unit(ra_deg, dec_deg):
    r, d = math.radians(ra_deg), math.radians(dec_deg)
    return (math.cos(d) * math.cos(r), math.cos(d) * math.sin(r), math.sin(d))


def radec(v):
    x, y, z = v
    return (math.degrees(math.atan2(y, x)) % 360.0,
            math.degrees(math.asin(max(-1.0, min(1.0, z)))))


def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
            a[0] * b[1] - a[1] * b[0])


def norm(a):
    n = math.sqrt(dot(a, a))
    return (a[0] / n, a[1] / n, a[2] / n)


def arc_deg(a, b):
    return math.degrees(math.atan2(math.sqrt(dot(cross(a, b), cross(a, b))), dot(a, b)))


def code_unit(ra_c, dec_c):
    return unit(ra_c / 1000.0 * 15.0, dec_c / 100.0)


def precession_from_j2000(jd):
    """IAU 1976 precession matrix, J2000 mean equator -> mean equator of jd."""
    t = (jd - JD_J2000) / 36525.0
    s = math.radians(1.0 / 3600.0)
    zeta = (2306.2181 * t + 0.30188 * t * t + 0.017998 * t ** 3) * s
    z = (2306.2181 * t + 1.09468 * t * t + 0.018203 * t ** 3) * s
    th = (2004.3109 * t - 0.42665 * t * t - 0.041833 * t ** 3) * s
    cz, sz = math.cos(zeta), math.sin(zeta)
    cZ, sZ = math.cos(z), math.sin(z)
    ct, st = math.cos(th), math.sin(th)
    return ((cz * ct * cZ - sz * sZ, -sz * ct * cZ - cz * sZ, -st * cZ),
            (cz * ct * sZ + sz * cZ, -sz * ct * sZ + cz * cZ, -st * sZ),
            (cz * st, -sz * st, ct))


def apply(m, v):
    return tuple(m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2] for i in range(3))


def transpose(m):
    return tuple(tuple(m[j][i] for j in range(3)) for i in range(3))


TO_B1875 = precession_from_j2000(JD_B1875)
FROM_B1875 = transpose(TO_B1875)


# ---------------------------------------------------------------- stars

def build_stars(stars_json):
    feats = stars_json["features"]
    rows, missing_bv, too_faint = [], [], 0
    for order, f in enumerate(feats):
        lon, lat = f["geometry"]["coordinates"][:2]
        props = f["properties"]
        mag = hundredths(props["mag"])
        if mag > MAG_LIMIT:
            too_faint += 1
            continue
        bv_raw = props.get("bv")
        if bv_raw is None or str(bv_raw).strip() == "":
            bv = MISSING_BV
            missing_bv.append(f.get("id"))
        else:
            bv = hundredths(bv_raw)
        rows.append((mag, order, ra_code(lon), dec_code(lat), bv, f["id"]))
    rows.sort()  # brightest first, source (Hipparcos number) order within a magnitude
    stars = [(ra, dec, mag, bv) for mag, _, ra, dec, bv, _ in rows]
    hips = [hip for *_, hip in rows]

    check(len(stars) >= MIN_STARS, "only %d stars" % len(stars))
    check(all(s[2] <= MAG_LIMIT for s in stars), "star fainter than 6.00 kept")
    check(all(stars[i][2] <= stars[i + 1][2] for i in range(len(stars) - 1)),
          "stars not sorted by magnitude")
    for ra, dec, mag, bv in stars:
        check(0 <= ra <= 23999 and -9000 <= dec <= 9000, "star position out of range")
        check(-200 <= mag and -100 <= bv <= 400, "implausible mag/B-V %d %d" % (mag, bv))
    # A star list that complete must have Sirius on top.
    ra, dec, mag, _ = stars[0]
    check(abs(ra - 6752) <= 5 and abs(dec + 1672) <= 5 and mag < -140,
          "brightest star is not Sirius: %r" % (stars[0],))

    seen, same_pos = {}, 0
    for s in stars:
        key = (s[0], s[1])
        same_pos += key in seen
        seen[key] = True
    check(all(isinstance(h, int) and h > 0 for h in hips) and len(set(hips)) == len(hips),
          "stars without a distinct Hipparcos number")
    return stars, hips, {"missing_bv": missing_bv, "too_faint": too_faint,
                         "same_position": same_pos, "source_count": len(feats)}


# ---------------------------------------------------------------- boundaries

SEC_PER_DAY = 86400


def to_grid(lon, lat):
    """J2000 vertex -> B1875 (RA in whole seconds of time, Dec in whole arcsec).

    The IAU boundaries are defined on that grid; snapping there makes shared
    vertices of neighbouring constellations compare exactly equal.
    """
    ra, dec = radec(apply(TO_B1875, unit(lon, lat)))
    ra_s, dec_as = ra / 15.0 * 3600.0, dec * 3600.0
    g = (round_half_up(ra_s) % SEC_PER_DAY, round_half_up(dec_as))
    # RA error measured on the sky, so polar vertices are not over-judged.
    err = max(abs(ra_s - round_half_up(ra_s)) * 15.0 * math.cos(math.radians(dec)),
              abs(dec_as - g[1]))
    return g, err


def grid_unit(g):
    return apply(FROM_B1875, unit(g[0] / 240.0, g[1] / 3600.0))


def ra_span(a, b):
    """Signed short-way RA difference in seconds from a to b."""
    d = (b - a) % SEC_PER_DAY
    return d - SEC_PER_DAY if d > SEC_PER_DAY // 2 else d


def edge_points(a, b, step_deg):
    """Points from a to b (both included) along the B1875 line of constant
    RA or Dec, as J2000 unit vectors."""
    if a[0] == b[0]:
        length = abs(b[1] - a[1]) / 3600.0
    else:
        length = abs(ra_span(a[0], b[0])) / 240.0 * math.cos(math.radians(a[1] / 3600.0))
    n = max(1, int(math.ceil(length / step_deg)))
    pts = []
    for i in range(n + 1):
        t = i / n
        if a[0] == b[0]:
            ra, dec = a[0] / 240.0, (a[1] + (b[1] - a[1]) * t) / 3600.0
        else:
            ra, dec = (a[0] + ra_span(a[0], b[0]) * t) / 240.0, a[1] / 3600.0
        pts.append(apply(FROM_B1875, unit(ra, dec)))
    return pts


def load_rings(bounds_json):
    """Each boundary polygon as a list of B1875 grid vertices (ring not closed)."""
    rings, worst, dropped = [], 0.0, []
    for f in bounds_json["features"]:
        geom = f["geometry"]
        check(geom["type"] == "Polygon" and len(geom["coordinates"]) == 1,
              "%s: expected one simple polygon" % f["id"])
        ring = []
        for lon, lat in geom["coordinates"][0]:
            g, err = to_grid(lon, lat)
            worst = max(worst, err)
            if not ring or ring[-1] != g:
                ring.append(g)
        if ring[0] == ring[-1]:
            ring.pop()
        ring = drop_offgrid(f["id"], ring, dropped)
        for a, b in zip(ring, ring[1:] + ring[:1]):
            check(a[0] == b[0] or a[1] == b[1],
                  "%s: edge %r-%r is not along constant RA or Dec" % (f["id"], a, b))
            check(a[0] == b[0] or abs(ra_span(a[0], b[0])) < SEC_PER_DAY // 2,
                  "%s: ambiguous 12h edge" % f["id"])
        rings.append((f["id"], ring))
    # Source vertices carry 4 decimals of a degree (0.36"); anything much worse
    # means the precession model does not match the one the package used.
    check(worst < 1.5, "B1875 grid snap error %.2f arcsec" % worst)
    return rings, worst, dropped


def aligned(a, b):
    return a[0] == b[0] or a[1] == b[1]


def drop_offgrid(cid, ring, dropped):
    """Remove vertices the package inserted along a long polar parallel.

    They sit up to half a degree off the B1875 parallel the IAU defines, which
    would bend the line and break the match with the neighbour's edge. A run of
    such vertices is recognised by both its end vertices being on one parallel
    (or hour circle) while no edge inside the run is.
    """
    n = len(ring)
    bad = [not aligned(ring[i - 1], ring[i]) and not aligned(ring[i], ring[(i + 1) % n])
           for i in range(n)]
    if not any(bad):
        return ring
    check(not all(bad), cid + ": no vertex on the B1875 grid")
    keep = []
    start = bad.index(False)
    i = 0
    while i < n:
        j = (start + i) % n
        if not bad[j]:
            keep.append(ring[j])
            i += 1
            continue
        run = []
        while i < n and bad[(start + i) % n]:
            run.append(ring[(start + i) % n])
            i += 1
        a, b = keep[-1], ring[(start + i) % n]
        check(aligned(a, b), "%s: off-grid vertices %r between unaligned %r, %r"
              % (cid, run, a, b))
        for v in run:
            if a[1] == b[1]:
                off = abs(v[1] - a[1]) / 3600.0
                inside_span = 0 < (v[0] - a[0]) * (1 if ra_span(a[0], b[0]) > 0 else -1) \
                    % SEC_PER_DAY < abs(ra_span(a[0], b[0]))
            else:
                off = abs(ra_span(a[0], v[0])) / 240.0 * math.cos(math.radians(v[1] / 3600.0))
                inside_span = min(a[1], b[1]) < v[1] < max(a[1], b[1])
            check(off < 1.0 and inside_span,
                  "%s: vertex %r is %.2f deg off the line %r-%r" % (cid, v, off, a, b))
            dropped.append((cid, v, off))
    return keep


def split_edges(rings):
    """Break every ring edge at the vertices of other rings that lie on it,
    so an edge shared by two constellations becomes identical pieces."""
    on_ra, on_dec = {}, {}
    for _, ring in rings:
        for g in ring:
            on_ra.setdefault(g[0], set()).add(g)
            on_dec.setdefault(g[1], set()).add(g)
    uses = {}
    for cid, ring in rings:
        for a, b in zip(ring, ring[1:] + ring[:1]):
            if a[0] == b[0]:
                lo, hi = sorted((a[1], b[1]))
                inner = sorted(g[1] for g in on_ra[a[0]] if lo < g[1] < hi)
                chain = [(a[0], d) for d in [lo] + inner + [hi]]
            else:
                span = ra_span(a[0], b[0])
                start = a if span > 0 else b
                width = abs(span)
                inner = sorted(((g[0] - start[0]) % SEC_PER_DAY, g) for g in on_dec[a[1]])
                chain = [start] + [g for off, g in inner if 0 < off < width] \
                    + [b if span > 0 else a]
            for p, q in zip(chain, chain[1:]):
                key = (min(p, q), max(p, q))
                uses.setdefault(key, []).append(cid)
    return uses


def chain_polylines(segments):
    """Join segments into as few polylines as a simple greedy walk manages."""
    adj = {}
    for p, q in segments:
        adj.setdefault(p, []).append(q)
        adj.setdefault(q, []).append(p)
    for v in adj.values():
        v.sort()
    used = set()

    def free(p):
        return [q for q in adj[p] if (min(p, q), max(p, q)) not in used]

    lines = []
    for want_odd in (True, False):
        for start in sorted(adj):
            while free(start) and (not want_odd or len(free(start)) % 2 == 1):
                line, p = [start], start
                while True:
                    nxt = free(p)
                    if not nxt:
                        break
                    q = nxt[0]
                    used.add((min(p, q), max(p, q)))
                    line.append(q)
                    p = q
                lines.append(line)
    check(len(used) == len(segments), "chaining lost segments")
    return lines


def build_bounds(bounds_json):
    rings, snap_err, dropped = load_rings(bounds_json)
    uses = split_edges(rings)
    # The constellations tile the sky: every piece of border belongs to two.
    odd = [k for k, owners in uses.items() if len(owners) != 2]
    check(not odd, "%d boundary pieces not shared by exactly two constellations, e.g. %r"
          % (len(odd), odd[:3]))
    lines = chain_polylines(sorted(uses))

    records = []
    for line in lines:
        pts = [grid_unit(line[0])]
        for a, b in zip(line, line[1:]):
            pts.extend(edge_points(a, b, DENSIFY_STEP_DEG)[1:])
        pen = 0
        for v in pts:
            ra, dec = radec(v)
            rec = (pen, ra_code(ra), dec_code(dec))
            if pen and rec[1:] == records[-1][1:]:
                continue
            records.append(rec)
            pen = 1

    longest = 0.0
    for prev, rec in zip(records, records[1:]):
        if rec[0] == 1:
            longest = max(longest, arc_deg(code_unit(*prev[1:]), code_unit(*rec[1:])))
    check(len(records) <= MAX_BOUNDS_RECORDS, "%d boundary records" % len(records))
    check(records[0][0] == 0, "boundary file must start with a pen-up record")
    for pen, ra, dec in records:
        check(pen in (0, 1) and 0 <= ra <= 23999 and -9000 <= dec <= 9000,
              "boundary record out of range: %r" % ((pen, ra, dec),))
    check(longest <= MAX_SEGMENT_DEG, "boundary segment of %.3f deg" % longest)
    return records, rings, {"snap_err": snap_err, "pieces": len(uses), "dropped": dropped,
                            "polylines": len(lines), "longest": longest, "uses": uses}


def sexagesimal(value, sign):
    """Whole seconds of time or arc as [sign]hh:mm:ss or dd:mm:ss."""
    a = abs(value)
    text = "%02d:%02d:%02d" % (a // 3600, a // 60 % 60, a % 60)
    return ("+" if value >= 0 else "-") + text if sign else text


def build_edges(uses):
    """The boundary pieces as sky programs list them: one line a piece of
    border between two constellations, in B1875, along a parallel (P) or an
    hour circle (M), in the direction of increasing RA or Dec (+), each end
    in hh:mm:ss and +dd:mm:ss, and the two constellations' abbreviations."""
    vertex_ids, lines = {}, []
    for (p, q), owners in sorted(uses.items()):
        for v in (p, q):
            vertex_ids.setdefault(v, len(vertex_ids) + 1)
        if p[1] == q[1]:
            kind, forward = "P", ra_span(p[0], q[0]) > 0
        else:
            kind, forward = "M", q[1] > p[1]
        a, b = (p, q) if forward else (q, p)
        check(len(owners) == 2, "a boundary piece of %d constellations" % len(owners))
        lines.append("%03d:%03d %s+ %s %s %s %s %s %s" % (
            vertex_ids[a], vertex_ids[b], kind, sexagesimal(a[0], False), sexagesimal(a[1], True),
            sexagesimal(b[0], False), sexagesimal(b[1], True), owners[0].upper(), owners[1].upper()))
    check(len(lines) > 600, "only %d boundary edges" % len(lines))
    return lines


# ---------------------------------------------------------------- every Hipparcos star

HIPPARCOS_MAGIC = b"ORVHIP01"


def build_hipparcos(stars14_json, yale, yale_hips):
    """Every Hipparcos star, brightest first: HIP, RA and Dec in ten-thousandths
    of a degree (J2000), V and B-V in hundredths; 16 bytes each, little-endian."""
    rows = []
    for f in stars14_json["features"]:
        lon, lat = f["geometry"]["coordinates"][:2]
        props = f["properties"]
        bv_raw = props.get("bv")
        bv = MISSING_BV if bv_raw is None or str(bv_raw).strip() == "" else hundredths(bv_raw)
        ra = round_half_up((lon % 360.0) * 10000) % 3600000
        dec = round_half_up(lat * 10000)
        rows.append((hundredths(props["mag"]), f["id"], ra, dec, bv))
    rows.sort()
    hips = [r[1] for r in rows]
    check(len(rows) == HIPPARCOS_COUNT, "%d Hipparcos stars, expected %d" % (len(rows), HIPPARCOS_COUNT))
    check(len(set(hips)) == len(hips), "a Hipparcos number appears twice")
    check(all(1 <= h <= 120416 for h in hips), "a Hipparcos number out of range")
    by_hip = {r[1]: r for r in rows}
    for (ra_c, dec_c, mag, bv), hip in zip(yale, yale_hips):
        check(hip in by_hip, "yale.dat star HIP %d is not in the Hipparcos file" % hip)
        _, _, ra, dec, hbv = by_hip[hip]
        check(by_hip[hip][0] == mag and hbv == bv and ra_code(ra / 10000.0) == ra_c and dec_code(dec / 10000.0) == dec_c,
              "HIP %d differs between yale.dat and the Hipparcos file" % hip)
    data = bytearray(HIPPARCOS_MAGIC + struct.pack("<II", len(rows), 0))
    for mag, hip, ra, dec, bv in rows:
        data += struct.pack("<iiihh", hip, ra, dec, mag, bv)
    return bytes(data), {"count": len(rows), "to8": sum(1 for r in rows if r[0] <= 800)}


# ---------------------------------------------------------------- labels

class Region:
    """One constellation's boundary for point-in-polygon tests.

    Every constellation fits in a hemisphere around its centroid, so a
    gnomonic projection about the centroid turns the test into a planar one.
    """

    def __init__(self, ring):
        pts = []
        for a, b in zip(ring, ring[1:] + ring[:1]):
            pts.extend(edge_points(a, b, 0.5)[:-1])
        # Half the sum of edge normals times edge angles is the first moment of
        # the area; its sign follows the ring's orientation, which varies.
        s = [0.0, 0.0, 0.0]
        for a, b in zip(pts, pts[1:] + pts[:1]):
            n = cross(a, b)
            ln = math.sqrt(dot(n, n))
            if ln:
                ang = math.atan2(ln, dot(a, b))
                for i in range(3):
                    s[i] += n[i] / ln * ang
        c = norm(s)
        if min(dot(v, c) for v in pts) < 0:
            c = (-c[0], -c[1], -c[2])
        check(min(dot(v, c) for v in pts) > 0.05, "constellation wider than a hemisphere")
        self.centroid = c
        self.min_dot = min(dot(v, c) for v in pts)
        e1 = cross((0.0, 0.0, 1.0), c)
        if dot(e1, e1) < 1e-9:
            e1 = (1.0, 0.0, 0.0)
        self.e1 = norm(e1)
        self.e2 = cross(c, self.e1)
        self.poly = [self.project(v) for v in pts]

    def project(self, v):
        d = dot(v, self.centroid)
        return (dot(v, self.e1) / d, dot(v, self.e2) / d)

    def contains(self, p):
        if dot(p, self.centroid) < self.min_dot - 1e-9:
            return False
        x, y = self.project(p)
        hit = False
        poly = self.poly
        for (x1, y1), (x2, y2) in zip(poly, poly[1:] + poly[:1]):
            if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
                hit = not hit
        return hit


def fibonacci_sphere(n):
    g = math.pi * (3.0 - math.sqrt(5.0))
    for i in range(n):
        z = 1.0 - 2.0 * (i + 0.5) / n
        r = math.sqrt(1.0 - z * z)
        yield (r * math.cos(g * i), r * math.sin(g * i), z)


def latin(name):
    # The program reads plain ASCII; "Boötes" becomes "Bootes".
    name = name.replace("\u2005", " ")
    return unicodedata.normalize("NFKD", name).encode("ascii", "ignore").decode()


def build_cons(cons_json, rings):
    check(len(CONS_ORDER) == 89 and len(set(CONS_ORDER)) == 89, "order list broken")
    polys = {}
    for cid, ring in rings:
        polys.setdefault(cid, []).append(Region(ring))
    # The polygons must tile the sky, or labels and boundaries disagree.
    regions = [r for v in polys.values() for r in v]
    for p in fibonacci_sphere(3000):
        n = sum(r.contains(p) for r in regions)
        check(n == 1, "sky point %r lies in %d constellations" % (radec(p), n))

    by_key = {}
    for f in cons_json["features"]:
        p = f["properties"]
        key = f["id"]
        if key == "Ser":  # one record per half, told apart by name
            key = "SerCaput" if "Caput" in p["name"] else "SerCauda"
        check(key not in by_key, "duplicate constellation " + key)
        by_key[key] = f
    check(sorted(by_key) == sorted(CONS_ORDER),
          "constellation ids differ: %r" % (set(by_key) ^ set(CONS_ORDER)))

    # Both Serpens halves share one display spot (in Ophiuchus); each half's
    # own point lies in its own polygon, which tells the two polygons apart.
    ser = polys.pop("Ser")
    check(len(ser) == 2, "expected two Serpens polygons")
    for half in ("SerCaput", "SerCauda"):
        pt = unit(*by_key[half]["geometry"]["coordinates"][:2])
        hit = [r for r in ser if r.contains(pt)]
        check(len(hit) == 1, half + ": cannot tell which polygon is which")
        polys[half] = hit
    for k, v in polys.items():
        check(len(v) == 1, k + ": expected one polygon")

    display_count = {}
    for f in cons_json["features"]:
        d = tuple(f["properties"].get("display") or ())
        display_count[d] = display_count.get(d, 0) + 1

    records, used_from = [], {}
    for idx, key in enumerate(CONS_ORDER, 1):
        f = by_key[key]
        p = f["properties"]
        poly = polys[key][0]
        cands = []
        disp = p.get("display")
        if disp and display_count[tuple(disp)] == 1:
            cands.append(("display", unit(disp[0], disp[1])))
        cands.append(("label point", unit(*f["geometry"]["coordinates"][:2])))
        cands.append(("centroid", poly.centroid))
        how, anchor = next(((h, a) for h, a in cands if poly.contains(a)), (None, None))
        check(anchor is not None, key + ": no anchor inside the constellation")
        used_from.setdefault(how, []).append(key)
        ra, dec = radec(anchor)
        abbr = p.get("desig") or f["id"]
        name = NAME_FIXES.get(abbr, latin(p["name"]))
        check(name.isascii() and name.strip() == name and name, "bad name %r" % name)
        records.append((idx, ra_code(ra), dec_code(dec), abbr, name))

    check(len(records) == 89, "cons count")
    got = [r[3] if r[3] != "Ser" else ("SerCaput" if "Caput" in r[4] else "SerCauda")
           for r in records]
    check(got == CONS_ORDER, "constellation order differs")
    return records, used_from


# ---------------------------------------------------------------- membership

def build_bands(rings):
    """A Roman (1987)-style table: (RA low, RA high, Dec low, abbreviation) in
    B1875 seconds of time and arcseconds, highest Dec low first.

    Going south from any point along its B1875 hour circle, the first boundary
    met is a constant-Dec edge of the constellation holding the point, with
    that constellation on its north side. So one row per such edge, searched
    from the north, names the constellation of any point.
    """
    regions = {}
    for cid, ring in rings:
        regions.setdefault(cid, []).append((ring, Region(ring)))
    rows = []
    for cid, ring in rings:
        region = next(r for g, r in regions[cid] if g is ring)
        for a, b in zip(ring, ring[1:] + ring[:1]):
            if a[1] != b[1] or a[0] == b[0]:
                continue
            span = ra_span(a[0], b[0])
            lo = a[0] if span > 0 else b[0]
            mid = (lo + abs(span) / 2.0) / 240.0
            # An arcminute either side of the edge's middle tells north from south.
            north = region.contains(apply(FROM_B1875, unit(mid, (a[1] + 60) / 3600.0)))
            south = region.contains(apply(FROM_B1875, unit(mid, (a[1] - 60) / 3600.0)))
            check(north != south, "%s: edge %r-%r has the constellation on %s side"
                  % (cid, a, b, "both" if north else "neither"))
            if not north:
                continue
            hi = lo + abs(span)
            if hi > SEC_PER_DAY:  # split where RA wraps
                rows.append((lo, SEC_PER_DAY, a[1], cid))
                rows.append((0, hi - SEC_PER_DAY, a[1], cid))
            else:
                rows.append((lo, hi, a[1], cid))
    # The south polar cap has no edge below it.
    rows.append((0, SEC_PER_DAY, -90 * 3600, "Oct"))
    rows.sort(key=lambda r: (-r[2], r[0]))

    # The table and the polygons must agree everywhere on the sky.
    flat = [(cid, r) for cid, lst in regions.items() for _, r in lst]
    for p in fibonacci_sphere(6000):
        inside = [cid for cid, r in flat if r.contains(p)]
        check(band_of(rows, p) == inside[0], "sky point %r: table says %s, polygon %s"
              % (radec(p), band_of(rows, p), inside))
    return rows


def band_of(rows, v):
    """Constellation of a J2000 unit vector, by the table."""
    ra, dec = radec(apply(TO_B1875, v))
    ra_s, dec_as = ra * 240.0, dec * 3600.0
    for lo, hi, dec_lo, cid in rows:
        if dec_as >= dec_lo and lo <= ra_s < hi:
            return cid
    check(False, "no band holds %r" % ((ra, dec),))


# ---------------------------------------------------------------- identities

GREEK = dict(zip("αβγδεζηθικλμνξοπρστυφχψω", (
    "alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu nu xi "
    "omicron pi rho sigma tau upsilon phi chi psi omega").split()))


def bayer_ascii(letter):
    """'π2' -> 'pi2', 'b1' stays; the package has a few broken entries."""
    if not letter or letter == "?" or "undefined" in letter:
        return ""
    out = GREEK.get(letter[0], letter[0]) + letter[1:]
    check(out.isascii() and out.isalnum(), "odd Bayer letter %r" % letter)
    return out


def catalogue_number(text, prefix):
    """'HD\u2009224801' -> 224801, 0 where there is none."""
    text = (text or "").replace("\u2009", " ").strip()
    if not text:
        return 0
    check(text.startswith(prefix + " ") and text[len(prefix) + 1:].isdigit(),
          "odd %s number %r" % (prefix, text))
    return int(text[len(prefix) + 1:])


def build_identities(stars, hips, names_json, bands):
    """One row per yale.dat record: HIP, HD, HR, Bayer, Flamsteed, constellation, name,
    the constellation of the designation."""
    rows, agree, differ = [], 0, []
    for (ra, dec, _, _), hip in zip(stars, hips):
        n = names_json.get(str(hip), {})
        check(catalogue_number(n.get("hip"), "HIP") in (0, hip), "HIP %d: names entry disagrees" % hip)
        flam = n.get("flam", "")
        flam = flam if flam.isdigit() else ""
        cid = band_of(bands, code_unit(ra, dec))
        bayer = bayer_ascii(n.get("bayer", ""))
        # The package's "c" is the constellation of the designation (a few entries hold numbers).
        if n.get("c", "").isalpha():
            if n["c"] == cid:
                agree += 1
            else:
                differ.append((hip, n["c"], cid))
        # Only the Bayer and Flamsteed designations written here have a constellation
        # to tell; a star known by a variable-star name alone gets none.
        designated = n.get("c", "") if (bayer or flam) else ""
        check(not (bayer or flam) or (designated.isalpha() and len(designated) == 3),
              "HIP %d: designation in %r" % (hip, designated))
        # The package gives no HR (Bright Star) numbers; the field stays for sources that do.
        rows.append((hip, catalogue_number(n.get("hd"), "HD"), 0, bayer,
                     flam, cid, latin(n.get("name", "")), designated))
    return rows, {"agree": agree, "differ": differ,
                  "designated": sum(1 for r in rows if r[7]),
                  "named": sum(1 for r in rows if r[6]), "bayer": sum(1 for r in rows if r[3]),
                  "flamsteed": sum(1 for r in rows if r[4]), "hd": sum(1 for r in rows if r[1])}


def identity_record(row):
    return ",".join("" if x == 0 else csv_field(x) for x in row)


# ---------------------------------------------------------------- output

def csv_field(s):
    s = str(s)
    return '"%s"' % s.replace('"', '""') if ("," in s or '"' in s) else s


def write_records(path, rows):
    with open(path, "w", encoding="ascii", newline="") as f:
        for r in rows:
            f.write(",".join(csv_field(x) for x in r) + "\r\n")


README = """# Sky data

Generated by `tools/make_sky_data.py`; do not edit by hand. To rebuild:

    python3 tools/make_sky_data.py                  # fetches the package with npm
    python3 tools/make_sky_data.py --source DIR     # DIR = unpacked package folder

## Provenance

All seven files are converted from the npm package **{pkg} {ver}**
(<https://www.npmjs.com/package/{pkg}>, Olaf Frohn, BSD-3-Clause),
files `data/stars.6.json`, `data/stars.14.json`, `data/constellations.json`,
`data/constellations.bounds.json` and `data/starnames.json`. The star positions, magnitudes and colours
come from the Hipparcos catalogue (ESA 1997); the constellation boundaries
are the IAU boundaries (Delporte 1930). Both are public scientific data.

* Stars: GeoJSON longitude is right ascension in degrees (-180..180) and is
  taken modulo 360; latitude is declination (J2000). Magnitude `mag` and colour
  `bv` are decimal-rounded to hundredths. {nmissing} star(s) without B-V
  ({missing}) get {neutral}. Stars fainter than 6.00 are dropped; the source
  has {nsrc} stars, {nstars} are written.
* Labels: the anchor is the package's display position for the constellation;
  where that is missing, shared (the two halves of Serpens share one) or not
  inside the constellation, the package's per-constellation label point, and
  failing that the spherical centroid of the boundary polygon, is used. Latin
  names are the package's `name` field in ASCII ("Bootes"), with "Corona
  Australis" for the package's variant "Corona Austrina".
* Boundaries: the package's J2000 polygons are precessed back to B1875 (IAU
  1976 precession), where every edge lies along constant RA or Dec and
  vertices fall on whole seconds of time and arcseconds (largest snap
  {snap:.2f}"). Edges are split where a neighbour's vertex lies on them, each
  shared piece is kept once, pieces are joined into polylines, subdivided along
  the B1875 line so no step exceeds {step} degrees, and precessed back to J2000.
* Membership: from the same B1875 polygons, one row per constant-Dec edge
  that has its constellation on the north side (the method of Roman, 1987,
  PASP 99, 695). The table is checked against the polygons at 6000 points
  spread over the sky.
* Identities: the Hipparcos number is the star's id in `stars.6.json`; HD
  number, Bayer letter, Flamsteed number and proper name come from
  `starnames.json` where it has an entry for the star. The package gives no
  HR numbers, so that field is empty. The constellation is not the package's
  but the one the membership table gives for the star's `yale.dat` position,
  the same way the program finds it. The package's own field `c` names the
  constellation of the star's designation: {nagree} stars agree with it, {ndiffer} near
  a boundary do not (such as 54 Cet, HIP 8588, which lies in Aries). That field
  is kept as the last column, for the stars with a Bayer or Flamsteed
  designation.

## Formats

All files are ASCII, one record per line, lines end in CR LF, fields are
comma-separated integers unless noted. RA is in thousandths of an hour
(0..23999) and Dec in hundredths of a degree (-9000..9000), J2000.

`yale.dat` ({nstars} records): `RA,Dec,V,BV`. V and B-V are in hundredths of a
magnitude (`-144` is -1.44). Sorted brightest first, complete to V 6.00.

`cons.txt` (89 records): `index,RA,Dec,abbreviation,Latin name`. Index runs
1..89 in Latin alphabetical order with Serpens Caput before Serpens Cauda (both
abbreviated `Ser`). RA/Dec is where the label's top-left corner goes, near the
middle of the constellation. A field containing a comma would be quoted.

`bounds.txt` ({nbounds} records): `pen,RA,Dec`. Pen 0 starts a new polyline at
the vertex, pen 1 draws a line from the previous vertex. Consecutive vertices
are at most {step} degrees apart on the sky, even where RA wraps from 23999
to 0, so straight lines between them are safe.

`star_ids.txt` ({nstars} records, record n belongs to record n of `yale.dat`):
`HIP,HD,HR,Bayer,Flamsteed,constellation,name,designated in`. HIP, HD and HR are whole
numbers, empty where unknown (every star has a HIP number). Bayer is the
Greek letter spelled out in ASCII with its superscript as digits (`alpha`,
`pi2`) or a Latin letter (`b1`), empty for {nbayerless} stars; Flamsteed is the
number ({nflam} stars). The constellation is the IAU abbreviation (`Ser` for
both halves of Serpens) of the constellation whose boundaries hold the star.
The name is the proper name in ASCII ("Betelgeuse"),
empty for all but {nnamed} stars; a name containing a comma would be quoted.
Designated in is the IAU abbreviation of the constellation the Bayer and
Flamsteed designations belong to, given for the {ndesignated} stars that have one
and empty for the others; it differs from the constellation column where a
star lies just across a boundary (`8588,11257,,,54,Ari,,Cet` is 54 Ceti).
Example: `27989,39801,,alpha,58,Ori,Betelgeuse,Ori`.

`cons_bands.txt` ({nbands} records): `RA low,RA high,Dec low,abbreviation`,
RA in seconds of time (0..86400) and Dec in arcseconds, both for the
equinox B1875.0 in which the IAU drew the boundaries. Records run from the
highest Dec low down. A J2000 position, precessed to B1875 with the IAU 1976
precession, lies in the constellation of the first record with
`Dec low <= Dec` and `RA low <= RA < RA high`; the last record covers the
south polar cap.

`iau_edges.txt` ({nedges} records): the same B1875 boundaries as sky programs
list them, one piece of border between two constellations a line:
`NNN:NNN T+ RA1 Dec1 RA2 Dec2 AB1 AB2`. The two numbers name the piece's end
vertices; T is P along a parallel (constant Dec) or M along an hour circle
(constant RA), walked towards increasing RA or Dec; RA is `hh:mm:ss`, Dec
`+dd:mm:ss`, both whole; AB1 and AB2 are the upper-case abbreviations of the
constellations on either side (`SER` for both halves of Serpens).

`hipparcos.dat` ({nhip} stars, {nhip8} of them to magnitude 8.0): every star of
the Hipparcos catalogue, brightest first, in binary: the 8 bytes `ORVHIP01`,
the number of stars and 0 as 32-bit words, then 16 bytes a star, all
little-endian: HIP, RA and Dec (J2000, ten-thousandths of a degree, RA 0 to
3599999) as 32-bit words, V and B-V in hundredths of a magnitude as 16-bit
words. The stars of `yale.dat` are among them with the same values.

## Licence of {pkg}

{licence}
"""


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--source", help="already unpacked %s package folder" % d3c.PACKAGE)
    ap.add_argument("--out", default=os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "data"),
        help="output folder (default: data/ beside tools/)")
    args = ap.parse_args()

    with tempfile.TemporaryDirectory() as tmp:
        pkg, meta = d3c.open_package(TOOL, args.source, tmp, "stars.6.json")
        with open(os.path.join(pkg, "LICENSE"), encoding="utf-8") as f:
            licence = f.read().strip()
        stars_json = d3c.load_json(pkg, "stars.6.json")
        cons_json = d3c.load_json(pkg, "constellations.json")
        bounds_json = d3c.load_json(pkg, "constellations.bounds.json")
        names_json = d3c.load_json(pkg, "starnames.json")
        stars14_json = d3c.load_json(pkg, "stars.14.json")

    stars, hips, sinfo = build_stars(stars_json)
    hipparcos, hinfo = build_hipparcos(stars14_json, stars, hips)
    bounds, rings, binfo = build_bounds(bounds_json)
    edges = build_edges(binfo["uses"])
    cons, used_from = build_cons(cons_json, rings)
    bands = build_bands(rings)
    identities, iinfo = build_identities(stars, hips, names_json, bands)

    for rows in (stars, cons, bounds):
        for r in rows:
            for x in r:
                check(not isinstance(x, int) or INT16[0] <= x <= INT16[1],
                      "value %r outside 16 bits" % x)

    out = os.path.abspath(args.out)
    os.makedirs(out, exist_ok=True)
    write_records(os.path.join(out, "yale.dat"), stars)
    write_records(os.path.join(out, "cons.txt"), cons)
    write_records(os.path.join(out, "bounds.txt"), bounds)
    write_records(os.path.join(out, "cons_bands.txt"), bands)
    with open(os.path.join(out, "hipparcos.dat"), "wb") as f:
        f.write(hipparcos)
    with open(os.path.join(out, "iau_edges.txt"), "w", encoding="ascii", newline="") as f:
        for line in edges:
            f.write(line + "\r\n")
    with open(os.path.join(out, "star_ids.txt"), "w", encoding="ascii", newline="") as f:
        for row in identities:
            f.write(identity_record(row) + "\r\n")
    with open(os.path.join(out, "README.md"), "w", encoding="utf-8", newline="\n") as f:
        f.write(README.format(
            pkg=d3c.PACKAGE, ver=meta.get("version"), licence=licence,
            nmissing=len(sinfo["missing_bv"]),
            missing=", ".join("HIP %s" % i for i in sinfo["missing_bv"]) or "none",
            neutral="%+.2f" % (MISSING_BV / 100.0), nsrc=sinfo["source_count"],
            nstars=len(stars), nbounds=len(bounds), snap=binfo["snap_err"],
            nbands=len(bands), nnamed=iinfo["named"], nbayer=iinfo["bayer"],
            nflam=iinfo["flamsteed"], ndesignated=iinfo["designated"], nbayerless=len(stars) - iinfo["bayer"], nhd=iinfo["hd"], nagree=iinfo["agree"],
            ndiffer=len(iinfo["differ"]),
            step=MAX_SEGMENT_DEG, nedges=len(edges), nhip=hinfo["count"], nhip8=hinfo["to8"]))

    print("written to %s" % out)
    print("stars:            %d (source %d, dropped fainter than 6.00: %d)"
          % (len(stars), sinfo["source_count"], sinfo["too_faint"]))
    print("faintest mag:     %.2f" % (stars[-1][2] / 100.0))
    print("missing B-V:      %d (%s) -> %d"
          % (len(sinfo["missing_bv"]), ", ".join(map(str, sinfo["missing_bv"])), MISSING_BV))
    print("same RA/Dec:      %d star(s) share a rounded position with a brighter one"
          % sinfo["same_position"])
    print("constellations:   %d (anchors: %s)" % (len(cons), "; ".join(
        "%s %d%s" % (k, len(v), "" if len(v) > 10 else " " + " ".join(v))
        for k, v in used_from.items())))
    print("bounds records:   %d in %d polylines (%d shared border pieces)"
          % (len(bounds), binfo["polylines"], binfo["pieces"]))
    print("longest segment:  %.3f deg" % binfo["longest"])
    print("membership bands: %d" % len(bands))
    print("boundary edges:   %d" % len(edges))
    print("Hipparcos stars:  %d (%d to magnitude 8.0)" % (hinfo["count"], hinfo["to8"]))
    print("identities:       %d named, %d Bayer, %d Flamsteed, %d HD" % (
        iinfo["named"], iinfo["bayer"], iinfo["flamsteed"], iinfo["hd"]))
    print("constellation:    %d agree with the package's, %d differ%s" % (
        iinfo["agree"], len(iinfo["differ"]), "".join(
            "\n  HIP %d: package %s, boundaries %s" % d for d in iinfo["differ"])))
    print("B1875 snap error: %.2f arcsec" % binfo["snap_err"])
    for cid, v, off in binfo["dropped"]:
        print("dropped off-grid vertex: %s B1875 RA %.4fh Dec %.4f (%.2f deg off its parallel)"
              % (cid, v[0] / 3600.0, v[1] / 3600.0, off))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Where the IAU 1976 precession (Lieske et al. 1977, T = 0 at J2000) puts
J2000 positions at B1875.0, for the precession test in star_identities_test.cpp.
Written in the closed form of Meeus, Astronomical Algorithms (21.4), not as the
program's rotation matrix, so that the two are worked out apart. Also prints
how far the angles' terms in t alone would be off."""
import math

ARCSEC = math.pi / 180 / 3600
t = (2405889.258550475 - 2451545.0) / 36525.0  # B1875.0 in Julian centuries from J2000


def angles(full=True):
    if not full:
        return 2306.2181 * t * ARCSEC, 2306.2181 * t * ARCSEC, 2004.3109 * t * ARCSEC
    zeta = 2306.2181 * t + 0.30188 * t**2 + 0.017998 * t**3
    z = 2306.2181 * t + 1.09468 * t**2 + 0.018203 * t**3
    theta = 2004.3109 * t - 0.42665 * t**2 - 0.041833 * t**3
    return zeta * ARCSEC, z * ARCSEC, theta * ARCSEC


def precess(ra_hours, dec_degrees, full=True):
    zeta, z, theta = angles(full)
    a0, d0 = math.radians(ra_hours * 15), math.radians(dec_degrees)
    A = math.cos(d0) * math.sin(a0 + zeta)
    B = math.cos(theta) * math.cos(d0) * math.cos(a0 + zeta) - math.sin(theta) * math.sin(d0)
    C = math.sin(theta) * math.cos(d0) * math.cos(a0 + zeta) + math.cos(theta) * math.sin(d0)
    return math.degrees(math.atan2(A, B) + z) % 360 / 15, math.degrees(math.asin(C))


for ra, dec in [(0, 0), (12, 45), (5.919, 7.41), (18, -60), (0, 90)]:
    (ra1875, dec1875), (ra1, dec1) = precess(ra, dec), precess(ra, dec, False)
    off_ra = (ra1 - ra1875) * 54000 * math.cos(math.radians(dec1875))
    off_dec = (dec1 - dec1875) * 3600
    print(f"{{{ra}, {dec}, {ra1875:.9f}, {dec1875:.9f}}}  terms in t alone: {off_ra:+.3f}\" RA, {off_dec:+.3f}\" Dec")

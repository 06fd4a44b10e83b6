#!/usr/bin/python3
"""Reference times of the solar terms and new moons, 1900-2100, for tests/calendar/data.

Computed independently of the calendar library with ERFA (Debian package python3-erfa), the
free-licence edition of the IAU's SOFA routines: the Earth from epv00, the Moon from moon98,
precession-nutation IAU 2006/2000A (pnm06a, nut06a, obl06), stellar aberration (ab) and light
time. Longitudes are apparent, referred to the true ecliptic and equinox of date. Times are
Julian days in TT, so the comparison does not depend on Delta T.

    /usr/bin/python3 tools/calendar_reference.py terms > tests/calendar/data/solar_terms_tt.tsv
    /usr/bin/python3 tools/calendar_reference.py moons > tests/calendar/data/new_moons_tt.tsv
"""
import math
import sys
import warnings

import erfa
import numpy as np

warnings.simplefilter("ignore")  # epv00 warns at the edges of 1900-2100
C = 173.1446326846693  # speed of light, au per day
MJD0 = 2400000.5


def frame(jd):
    m = erfa.pnm06a(MJD0, jd - MJD0)
    _, deps = erfa.nut06a(MJD0, jd - MJD0)
    return m, erfa.obl06(MJD0, jd - MJD0) + deps


def ecliptic_longitude(m, eps, p):
    x = m @ p
    return math.degrees(math.atan2(x[1] * math.cos(eps) + x[2] * math.sin(eps), x[0])) % 360


def sun(jd, m, eps):
    pvh, pvb = erfa.epv00(MJD0, jd - MJD0)
    earth = pvb[0]
    r = np.linalg.norm(pvh[0])
    pvh2, pvb2 = erfa.epv00(MJD0, jd - MJD0 - r / C)  # the Sun where the light left it
    p = (pvb2[0] - pvh2[0]) - earth
    r = np.linalg.norm(p)
    v = pvb[1] / C
    u = erfa.ab(p / r, v, r, math.sqrt(1 - np.dot(v, v)))
    return ecliptic_longitude(m, eps, u)


def moon(jd, m, eps):
    r = np.linalg.norm(erfa.moon98(MJD0, jd - MJD0)[0])
    return ecliptic_longitude(m, eps, erfa.moon98(MJD0, jd - MJD0 - r / C)[0])


def signed(a):
    a %= 360
    return a - 360 if a >= 180 else a


def terms():
    print("# year\tterm (0 = 小寒 285°, 2 = 立春, 23 = 冬至)\tJulian day TT")
    for year in range(1900, 2101):
        jan1 = 2415020.5 + sum(366 if (y % 4 == 0 and y % 100 != 0) or y % 400 == 0 else 365
                               for y in range(1900, year))
        for i in range(24):
            target = (285 + 15 * i) % 360
            t = jan1 + 5.5 + 15.22 * i
            for _ in range(6):
                m, eps = frame(t)
                t += signed(target - sun(t, m, eps)) / 0.9856
            print("%d\t%d\t%.6f" % (year, i, t))


def moons():
    print("# lunation (0 = 2000-01-06)\tJulian day TT of the new moon")
    for k in range(-1238, 1249):
        t = 2451550.09766 + 29.530588861 * k
        for _ in range(8):
            m, eps = frame(t)
            t -= signed(moon(t, m, eps) - sun(t, m, eps)) / 12.19
        print("%d\t%.6f" % (k, t))


{"terms": terms, "moons": moons}[sys.argv[1]]()

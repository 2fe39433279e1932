#!/usr/bin/python3
"""Writes moon_reference.csv: a year of moonrise, moonset and transit times
at two places from PyEphem (Debian's python3-ephem), an independent
reference for the moon-times engine.

Run once by hand with the system Python (/usr/bin/python3 make_moon_reference.py);
the CSV is checked in so the tests need no Python.

Conventions, matching what the engine computes:
- Local days of 2027 in each place's standard time (no summer time).
- Moonrise and moonset: the Moon's upper limb at the engine's horizon, no
  refraction in PyEphem (pressure 0). The engine's geocentric horizon
  altitude moonh0 = -(D + s' - P) is, for topocentric altitudes as PyEphem
  gives them, the Moon's centre at -(D + s'): D = dip + horizon refraction of
  the place, found independently of the engine in horizon.py (the ray
  followed in height through the model atmosphere; weather 1010 mb, 10 C,
  0 %, 0.0065 K/m), s' = the topocentric semidiameter at the event (PyEphem's radius,
  taken again at the instant found until it settles).
- Transit: the Moon's upper transit; empty on a day without one.
- transit_alt: the Moon's altitude at the transit, degrees.
- transit_limb: the height of the Moon's upper limb at the transit above
  the altitude at which moonrise and moonset are taken (alt + s' + D),
  degrees: positive when the Moon shows at its meridian passage.
"""
import csv
import math

import ephem

from horizon import horizon_depression

# name, year, latitude, longitude (east positive), zone (h), elevation (m).
# Reykjavik's year has days on which the Moon grazes the horizon: a rise and
# a set minutes apart, and transits only a little above the horizon. Jeddah's
# has a transit 0.0004 degrees from the zenith (12 September), where the
# Moon's azimuth turns through 180 degrees within seconds.
PLACES = [
    ("Mecca", 2027, 21 + 25 / 60 + 21 / 3600, 39 + 49 / 60 + 34 / 3600, 3, 277),
    ("London", 2027, 51.5, -(7 / 60), 0, 11),
    ("Reykjavik", 2025, 64 + 8 / 60, -(21 + 56 / 60), 0, 0),
    ("Jeddah", 2025, 21 + 24 / 60, 39 + 48 / 60, 3, 0),
]


def local_hours(t, midnight):
    return (float(t) - float(midnight)) * 24.0


STEP = 5.0 / (24 * 60)  # days between the samples of the search


def limb_height(obs, moon, D, t):
    """The upper limb's topocentric altitude above -D, degrees."""
    obs.date = t
    moon.compute(obs)
    return math.degrees(float(moon.alt)) + math.degrees(float(moon.radius)) + D


def root(f, a, b):
    """A sign change of f between a and b, by bisection to about 1 ms."""
    fa = f(a)
    for _ in range(40):
        m = 0.5 * (a + b)
        fm = f(m)
        if (fm > 0) == (fa > 0):
            a, fa = m, fm
        else:
            b = m
    return 0.5 * (a + b)


def peak(f, a, b):
    """The instant of the largest f between a and b (golden section)."""
    g = (math.sqrt(5) - 1) / 2
    c, d = b - g * (b - a), a + g * (b - a)
    for _ in range(40):
        if f(c) > f(d):
            b = d
        else:
            a = c
        c, d = b - g * (b - a), a + g * (b - a)
    return 0.5 * (a + b)


def crossings(obs, moon, D, start, end):
    """The first rising and the first setting of the upper limb through -D
    between start and end, or None. The search samples every five minutes and
    looks between the samples near a maximum or minimum too, so that a Moon
    that grazes the horizon for a few minutes is not missed."""
    f = lambda t: limb_height(obs, moon, D, t)
    n = int(round((end - start) / STEP))
    ts = [start + i * STEP for i in range(n + 1)]
    ys = [f(t) for t in ts]
    rise = mset = None
    events = []
    for i in range(n):
        a, b = ts[i], ts[i + 1]
        if (ys[i] > 0) != (ys[i + 1] > 0):
            events.append((root(f, a, b), ys[i + 1] > 0))
    # A maximum (minimum) near the horizon between samples that all lie below
    # (above) it may still cross it.
    for i in range(1, n):
        left, mid, right = ys[i - 1], ys[i], ys[i + 1]
        for sign in (1, -1):
            if sign * (mid - left) >= 0 and sign * (mid - right) >= 0 and \
                    (mid > 0) == (left > 0) == (right > 0) and abs(mid) < 0.2:
                g = lambda t: sign * f(t)
                tp = peak(g, ts[i - 1], ts[i + 1])
                if (f(tp) > 0) != (mid > 0):
                    events.append((root(f, ts[i - 1], tp), sign > 0))
                    events.append((root(f, tp, ts[i + 1]), sign < 0))
    events.sort()
    for t, rising in events:
        if rising and rise is None:
            rise = ephem.Date(t)
        if not rising and mset is None:
            mset = ephem.Date(t)
    return rise, mset


def main():
    rows = []
    for name, year, lat, lon, zone, ele in PLACES:
        D = horizon_depression(lat, ele)
        obs = ephem.Observer()
        obs.lat = str(lat)
        obs.lon = str(lon)
        obs.elevation = 0
        obs.pressure = 0
        moon = ephem.Moon()
        day = ephem.Date(f"{year}/1/1 00:00:00")
        last = ephem.Date(f"{year}/12/31 00:00:00")
        while day <= last:
            midnight = ephem.Date(day - zone / 24.0)
            end = ephem.Date(midnight + 1)
            rise, mset = crossings(obs, moon, D, float(midnight), float(end))
            obs.horizon = "0"
            transit = obs.next_transit(moon, start=midnight)
            altitude = limb = ""
            if float(transit) >= float(end):
                transit = None
            else:
                obs.date = transit
                moon.compute(obs)
                alt = math.degrees(float(moon.alt))
                altitude = f"{alt:.3f}"
                limb = f"{alt + math.degrees(float(moon.radius)) + D:.3f}"
            y, m, d = ephem.Date(day).triple()
            fmt = lambda t: "" if t is None else f"{local_hours(t, midnight):.6f}"
            rows.append([name, f"{y:04d}-{m:02d}-{int(d):02d}", fmt(rise), fmt(mset),
                         fmt(transit), altitude, limb])
            day = ephem.Date(day + 1)
    with open("moon_reference.csv", "w", newline="") as f:
        w = csv.writer(f, lineterminator="\n")
        w.writerow(["place", "date", "moonrise", "moonset", "transit", "transit_alt",
                    "transit_limb"])
        w.writerows(rows)


if __name__ == "__main__":
    main()

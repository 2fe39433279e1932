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
  the place (the engine's integrated refraction for its weather, given
  below), s' = the topocentric semidiameter at the event (PyEphem's radius,
  taken again at the instant found until it settles).
- Transit: the Moon's upper transit; empty on a day without one.
- transit_alt: the Moon's altitude at the transit, degrees.
"""
import csv
import math

import ephem

YEAR = 2027

# name, latitude, longitude (east positive), zone (h),
# D = dip + horizon refraction (degrees) for 1010 mb, 10 C, 0 %, 0.0065 K/m
# and the place's elevation (Mecca 277 m, London 11 m).
PLACES = [
    ("Mecca", 21 + 25 / 60 + 21 / 3600, 39 + 49 / 60 + 34 / 3600, 3, 1.1709562),
    ("London", 51.5, -(7 / 60), 0, 0.6848533),
]


def local_hours(t, midnight):
    return (float(t) - float(midnight)) * 24.0


def crossing(obs, moon, D, rising, start, end):
    """The Moon's centre at -(D + s') with s' its radius at the event."""
    fn = obs.next_rising if rising else obs.next_setting
    obs.date = start + 0.5
    moon.compute(obs)
    radius = math.degrees(float(moon.radius))
    t = None
    for _ in range(4):
        obs.horizon = str(-(D + radius))
        try:
            t = fn(moon, start=start, use_center=True)
        except (ephem.AlwaysUpError, ephem.NeverUpError):
            return None
        obs.date = t
        moon.compute(obs)
        radius = math.degrees(float(moon.radius))
    return t if float(t) < float(end) else None


def main():
    rows = []
    for name, lat, lon, zone, D in PLACES:
        obs = ephem.Observer()
        obs.lat = str(lat)
        obs.lon = str(lon)
        obs.elevation = 0
        obs.pressure = 0
        moon = ephem.Moon()
        day = ephem.Date(f"{YEAR}/1/1 00:00:00")
        last = ephem.Date(f"{YEAR}/12/31 00:00:00")
        while day <= last:
            midnight = ephem.Date(day - zone / 24.0)
            end = ephem.Date(midnight + 1)
            rise = crossing(obs, moon, D, True, midnight, end)
            mset = crossing(obs, moon, D, False, midnight, end)
            obs.horizon = "0"
            transit = obs.next_transit(moon, start=midnight)
            altitude = ""
            if float(transit) >= float(end):
                transit = None
            else:
                obs.date = transit
                moon.compute(obs)
                altitude = f"{math.degrees(float(moon.alt)):.3f}"
            y, m, d = ephem.Date(day).triple()
            fmt = lambda t: "" if t is None else f"{local_hours(t, midnight):.6f}"
            rows.append([name, f"{y:04d}-{m:02d}-{int(d):02d}", fmt(rise), fmt(mset),
                         fmt(transit), altitude])
            day = ephem.Date(day + 1)
    with open("moon_reference.csv", "w", newline="") as f:
        w = csv.writer(f, lineterminator="\n")
        w.writerow(["place", "date", "moonrise", "moonset", "transit", "transit_alt"])
        w.writerows(rows)


if __name__ == "__main__":
    main()

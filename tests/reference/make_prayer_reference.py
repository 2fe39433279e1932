#!/usr/bin/python3
"""Writes prayer_reference.csv: a year of sunrise, sunset, twilight and
transit times at four places from PyEphem (Debian's python3-ephem), an
independent reference for the prayer-times engine.

Run once by hand with the system Python (/usr/bin/python3 make_prayer_reference.py);
the CSV is checked in so the tests need no Python.

Conventions, matching what the engine computes:
- Local days of 2027 in each place's standard time (no summer time).
- The Sun's centre, no refraction (pressure 0); the engine's altitudes are
  geocentric, PyEphem's topocentric, so each geocentric target altitude h is
  turned into the topocentric h - p cos h (p: the Sun's horizontal parallax).
- Sunrise and sunset: the engine's horizon altitude
  sunh0 = -(D + 0.2665639 / R - 0.0024), D = dip + horizon refraction,
  dip = 0.02916666 sqrt(elevation in m), R = the Earth-Sun distance at local
  noon. The horizon refraction is found in horizon.py, not taken from the
  engine: it follows the ray in height through the same model atmosphere
  that the engine integrates over the zenith distance (Hohenkerk and
  Sinclair's), so it shares the model, not the method. Weather of every
  place: 1010 mb, 10 C, 0 % humidity, 0.0065 K/m.
- Fajr and Isha: the Sun's centre at -FAJR and -ISHA degrees.
- Dhuhr: the Sun's transit.
- morning_min, evening_min: the Sun's lowest altitude in the night before
  and after the day's noon, so tests can leave out days whose twilight angle
  is barely reached.
"""
import csv
import math

import ephem

from horizon import horizon_depression, refraction

YEAR = 2027
FAJR = 18.0
ISHA = 17.0
SUN_PARALLAX_1AU = 8.794 / 3600  # degrees

# name, latitude, longitude (east positive), elevation (m), zone (h).
PLACES = [
    ("Mecca", 21 + 25 / 60 + 21 / 3600, 39 + 49 / 60 + 34 / 3600, 277, 3),
    ("Cairo", 30 + 2 / 60, 31 + 14 / 60, 23, 2),
    ("NewYork", 40 + 43 / 60, -74.0, 10, -5),
    ("London", 51.5, -(7 / 60), 11, 0),
]
def local_hours(t, midnight):
    return (float(t) - float(midnight)) * 24.0


def event(fn, body, start, end):
    try:
        t = fn(body, start=start, use_center=True)
    except (ephem.AlwaysUpError, ephem.NeverUpError):
        return None
    return t if float(t) < float(end) else None


def crossing(obs, sun, geocentric_alt, rising, start, end, R):
    p = SUN_PARALLAX_1AU / R
    obs.horizon = str(geocentric_alt - p * math.cos(math.radians(geocentric_alt)))
    fn = obs.next_rising if rising else obs.next_setting
    return event(fn, sun, start, end)


def lowest_altitude(obs, sun, around):
    obs.date = around
    t = obs.next_antitransit(sun)
    obs.date = t
    sun.compute(obs)
    return math.degrees(sun.alt)


def main():
    check = refraction(30, 0, 1013.25, 10, 0, 0.0065, 90)
    assert abs(check - 0.56814) < 0.00002, check
    rows = []
    for name, lat, lon, ele, zone in PLACES:
        D = horizon_depression(lat, ele)
        obs = ephem.Observer()
        obs.lat = str(lat)
        obs.lon = str(lon)
        obs.elevation = 0
        obs.pressure = 0
        sun = ephem.Sun()
        day = ephem.Date(f"{YEAR}/1/1 00:00:00")
        last = ephem.Date(f"{YEAR}/12/31 00:00:00")
        while day <= last:
            midnight = ephem.Date(day - zone / 24.0)
            end = ephem.Date(midnight + 1)
            obs.date = ephem.Date(midnight + 0.5)
            sun.compute(obs)
            R = sun.earth_distance
            sunh0 = -(D + 0.2665639 / R - 0.0024)
            rise = crossing(obs, sun, sunh0, True, midnight, end, R)
            sset = crossing(obs, sun, sunh0, False, midnight, end, R)
            fajr = crossing(obs, sun, -FAJR, True, midnight, end, R)
            isha = crossing(obs, sun, -ISHA, False, midnight, end, R)
            obs.horizon = "0"
            transit = event(lambda b, start, use_center: obs.next_transit(b, start=start),
                            sun, midnight, end)
            morning = lowest_altitude(obs, sun, ephem.Date(midnight - 0.5))
            evening = lowest_altitude(obs, sun, ephem.Date(midnight + 0.5))
            y, m, d = ephem.Date(day).triple()
            fmt = lambda t: "" if t is None else f"{local_hours(t, midnight):.6f}"
            rows.append([name, f"{y:04d}-{m:02d}-{int(d):02d}", f"{sunh0:.6f}", fmt(rise),
                         fmt(sset), fmt(fajr), fmt(isha), fmt(transit), f"{morning:.3f}",
                         f"{evening:.3f}"])
            day = ephem.Date(day + 1)
    with open("prayer_reference.csv", "w", newline="") as f:
        w = csv.writer(f, lineterminator="\n")
        w.writerow(["place", "date", "sunh0", "sunrise", "sunset", "fajr", "isha", "dhuhr",
                    "morning_min", "evening_min"])
        w.writerows(rows)


if __name__ == "__main__":
    main()

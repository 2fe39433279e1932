#!/usr/bin/python3
"""Writes phase_reference.csv: the New Moons, First Quarters, Full Moons and
Last Quarters of two years from PyEphem (Debian's python3-ephem), an
independent reference for the moon-phases run.

Run once by hand with the system Python (/usr/bin/python3 make_phase_reference.py);
the CSV is checked in so the tests need no Python.

PyEphem finds a phase where the difference of the Moon's and the Sun's
apparent geocentric ecliptic longitudes (of date) reaches 0, 90, 180 or 270
degrees, the same condition that the program's refinement solves. Each
instant is written as a Julian Day in UT and in TT (UT + PyEphem's own
Delta T), so that a test can compare the program's Terrestrial Time
instants without depending on either program's Delta T.
"""
import csv

import ephem

YEARS = [2019, 2027]
DUBLIN_JD = 2415020.0  # the Julian Day of PyEphem's date 0

FINDERS = [
    ("nm", ephem.next_new_moon),
    ("fq", ephem.next_first_quarter_moon),
    ("fm", ephem.next_full_moon),
    ("lq", ephem.next_last_quarter_moon),
]


def main():
    rows = []
    for year in YEARS:
        start = ephem.Date("%d/1/1" % year)
        end = ephem.Date("%d/1/1" % (year + 1))
        for code, finder in FINDERS:
            d = finder(start)
            while d < end:
                ut = float(d) + DUBLIN_JD
                tt = ut + ephem.delta_t(d) / 86400.0
                rows.append((year, code, "%.7f" % ut, "%.7f" % tt))
                d = finder(ephem.Date(d + 1))
    rows.sort(key=lambda r: float(r[2]))
    with open("phase_reference.csv", "w", newline="") as f:
        w = csv.writer(f, lineterminator="\n")
        w.writerow(["year", "phase", "ut_jd", "tt_jd"])
        w.writerows(rows)


if __name__ == "__main__":
    main()

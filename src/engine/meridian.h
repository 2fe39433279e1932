#pragma once

// The place's meridian in the day's prayer times of both programs: the zone as
// the day uses it, the meridian offset, the city correction and the Sun's
// transit from the equation of time. Written once so that the main program and
// the alert program give the same Dhuhr for the same loc.zvd.

// The longitude of the place's meridian, degrees east: the longitude itself
// when it lies within four turns, otherwise less its whole turns, so that a
// longitude typed with many turns counts as the meridian it names (taken whole,
// 1e12 degrees would put the transit millions of days away).
double meridianLongitude(double longitude);

// The zone that enters the local day and every instant of a day, hours east:
// `zon` with two decimals, half away from zero, as the number pattern
// "####0.00" prints it (a zone of 5.333 counts as 5.33).
double zoneAsPrinted(double zon);

// The meridian offset M, minutes: 4 (15 zon - longitude), the time the mean Sun
// takes from the zone's meridian to the place's at 4 minutes per degree, with
// the difference taken within half a turn (-180 .. 180 degrees) so that a
// place across the date line from its zone's meridian keeps its noon on its
// own day. zon: hours east as read, not rounded; longitude: degrees east,
// folded by meridianLongitude.
double meridianOffset(double zon, double longitude);

// The city correction c, hours: the time the Sun takes to cross `city`
// kilometres of longitude at latitude phi (degrees north), at 4 minutes per
// degree, one degree being 111.413 cos phi - 0.094 cos 3 phi kilometres; 0 for
// a city of 0. Degrees to radians with the fifteen-digit pi.
double cityCorrection(double city, double phi);

// The local clock time, hours, of a transit whose equation of time is `eqt`
// minutes: 12 + summer + (M - EqT)/60, M the meridian offset in minutes and
// summer the summer hour (0 or 1).
double transitClockTime(double summer, double M, double eqt);

// The Sun's transit over the place's meridian on the day whose 0 h UT is JD, as
// a local clock time in hours (not brought into 0..24; no Dhuhr minutes). A
// clock time T stands for the instant JD + (T - zone - summer)/24 UT, zone as
// zoneAsPrinted gives it. First estimate from the low-precision Sun (corsl) at
// local noon, then the medium-precision Sun (corsm) at the estimate until it
// moves less than a quarter of a second (Meeus, Astronomical Algorithms,
// ch. 25 and 28: transit = 12 h - longitude/15 - EqT). Needs the term table.
double solarTransit(double JD, double summer, double zone, double M);

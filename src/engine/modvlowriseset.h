// Rise and set of the Sun or the Moon at the lowest precision, for a place
// given by its coordinates: no file is read, so that it can run for thousands
// of places in a row (the crescent-visibility world map). Meeus, Astronomical
// Algorithms, ch. 15 (rising, transit and setting): a first estimate from the
// hour angle of the target altitude, then a few correction steps.
// `vlowriseset`, `vlownut` and `vlowcrc` read the process-wide `pi` without
// storing it (while it has never been stored, 0, they work with
// 3.14159265358979); `vlowsiderial` stores it.
#pragma once

#include <string>

#include "eventtime.h"

// Rise and set for a date and place.
// JD: Julian Day of the calendar date at 0 h; longitude east-positive and
// latitude north-positive, degrees; body: exactly "Sun" selects the Sun, any
// other text the Moon. rise, set: out, always written: decimal hours of the
// zone nearest to the longitude (see vlowZone), or "----" when the body does
// not cross its horizon altitude that day or the time falls outside 0..24 h.
void vlowriseset(double JD, double longitude, double latitude, EventTime& rise, EventTime& set,
                 const std::string& body);

// Apparent Greenwich sidereal time at the lowest precision (Meeus 12.4 plus
// the equation of the equinoxes). JD: UT whatever `tdtmode` says; theta: out,
// degrees, 0 <= theta < 360. Stores `pi`.
void vlowsiderial(double JD, double& theta);

// Four-term nutation and the true obliquity (Meeus ch. 22, low accuracy;
// Laskar's mean obliquity). JD: UT, Delta T always added. Outputs in degrees,
// in this order: nutation in obliquity, nutation in longitude, true obliquity.
void vlownut(double JD, double& dEpsilon, double& dPsi, double& epsilon);

// One correction step of a rise or set time (Meeus 15.3 with the altitude
// computed at the estimate). t: in and out, hours after JD0 (the UT Julian Day
// of the zone's midnight); h0: target altitude, degrees; latitude, longitude:
// degrees; body as for vlowriseset. When the step cannot be formed (the body on
// the meridian or at a pole: a zero denominator) t is left as it was.
void vlowcrc(double& t, double JD0, double h0, double latitude, double longitude,
             const std::string& body);

// The time zone of vlowriseset's results: the whole number nearest to
// longitude/15, an exact half going to the even neighbour (7.5 -> 0, 22.5 -> 2).
double vlowZone(double longitude);

// A refined rise or set time as a result: a time from 0 to 24 h, both
// included (24.0 stays a time), otherwise "----".
EventTime vlowResult(double hours);

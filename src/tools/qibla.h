// The Qibla direction of a place and the times of a day at which the Sun, or
// the shadow of a vertical object, points along it. Plain C++, no window: the
// Qibla window, its report and the build's map generator all call these, so
// the needle, the report and the picture agree to the last pixel.
#pragma once

#include <string>

namespace qibla {

// The Kaaba, degrees: east longitude and north latitude.
inline constexpr double kKaabaLongitude = 39.8261167;
inline constexpr double kKaabaLatitude = 21.42263;

// The Qibla at a place: the initial bearing of the great circle to the Kaaba.
struct Bearing {
    double degrees = 0;  // clockwise from true north, 0 <= degrees < 360
    bool defined = true; // false at the Kaaba and at its antipode
};

// qiblaBearing: initial great-circle bearing from (longitude, latitude) to the
// Kaaba. Degrees in, east longitude and north latitude positive; degrees out,
// from true north through east. Spherical Earth; the azimuth of the direction
// (sin dL cos phiK, sin phiK cos phi - cos phiK sin phi cos dL), converted with
// the fifteen-digit pi. The quadrant comes from the signs of both components,
// so a place whose great circle leaves due east or due west (the second
// component 0) gets 90 or 270, never a division by zero. At the Kaaba and at
// its antipode every direction leads there: `defined` is false and the degrees
// are 0. At a pole the bearing is measured from the meridian of the given
// longitude, the one direction there that the formula can name.
Bearing qiblaBearing(double longitude, double latitude);

// The bearing as the window keeps it: rounded to one decimal ("###0.0", half
// away from zero) and held in single precision; 359.95 and above give 360.
float roundedBearing(double degrees);

// A single-precision number in its shortest written form: no trailing zeros
// and no decimal point for a whole number (45, 135.6, 360).
std::string shortestText(float value);

// The window's two angle reductions (degrees; written back and returned).
// range: into [0, 360). rangeh: one step towards [-180, 180].
double range(double& var);
double rangeh(double& var);

// One of the two times of a day.
struct QiblaTime {
    bool found = false;        // false: "----", the azimuth is not reached
    double hours = 0;          // local clock hours, 0 <= hours < 24
    std::string text = "----"; // clock text of the precision, or "----"
    bool belowHorizon = false; // the Sun stands below the horizon then
    int steps = 0;             // steps of the iteration counted
};

struct QiblaDayTimes {
    QiblaTime first, second; // in increasing order; a lone time comes first
};

// Greatest number of steps the iteration counts before it takes its last
// value: the step converges to a second in three to five steps wherever the
// azimuth is reached at all.
inline constexpr int kMostQiblaSteps = 51;

// qiblaTimesOfDay: the instants of the local day starting at JD0 (UT Julian
// Day of local midnight) at which the Sun's topocentric azimuth equals A
// (degrees from north through east), for an observer at east longitude
// `longitude` and north latitude `latitude` (degrees). Each solution is found
// from noon by Newton-like steps on the hour angle: the Sun's present hour
// angle H (apparent sidereal time + longitude - topocentric RA, medium-precision
// Sun) against the hour angle the azimuth asks for at the Sun's declination
// (hourangle); a step is (H_wanted - H)/15 hours, until two steps agree to a
// second. `horizon` (degrees) is the altitude below which a time is marked;
// `min` is the clock precision ("1": hh:mm, "0": hh:mm:ss). Every instant is
// handed to the engine as UT, so `tdtmode` must be 0. Reads loc.zvd through
// the position procedures.
void qiblaTimesOfDay(double JD0, double A, double longitude, double latitude, double horizon,
                     const std::string& min, QiblaDayTimes& day);

// The altitude limit of the Sun, degrees: -(R + dip + 0.2665639 - 0.0024),
// with the dip 0.02916666 sqrt(elevation in metres) (0 below sea level), the
// Sun's semidiameter less its parallax, and R the refraction of the weather of
// loc.zvd (refractionnew) at the zenith distance 90 + dip when the elevation
// counts for rise and set (`eleset`), at 90 otherwise.
double horizonAltitude(double elevation, bool eleset);

} // namespace qibla

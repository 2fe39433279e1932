// The telescope tool's computation: where to point a hand-set telescope at
// the Sun, the Moon and the middle of the Moon's bright limb for a local date
// and time at the current location, the orientation of that limb on the sky,
// the name of the picture that shows it, and the tool's settings file
// tele.zvd. Plain C++; every instant handed to the engine is UT (tdtmode 0).
#pragma once

#include <string>

#include "settings/records.h"

namespace tools {

// The local date and clock time as the window's boxes hold them, and the
// two choices that change the numbers.
struct TelescopeInput {
    double year = 0, month = 0, day = 0, hour = 0, minute = 0;
    bool refracted = false; // altitudes with Bennett's refraction
    bool j2000 = false;     // right ascension and declination of J2000, else of date
};

// Where to point, degrees: right ascension 0..360, declination, altitude
// (refracted when asked), azimuth from the north through the east.
struct SkyPoint {
    double ra = 0, dec = 0, alt = 0, azm = 0;
};

struct TelescopePointing {
    SkyPoint sun, moon, crescent;
    // Orientation of the bright limb on the Moon's disk, degrees 0..360: from
    // the point nearest the zenith, positive towards smaller azimuth.
    double crsang = 0;
    double JD = 0; // the UT instant computed for
};

// The lowest altitude of the Moon's centre (geometric, topocentric) that is
// still computed; below it the tool says the Moon is below the horizon.
inline constexpr double kLowestMoonAltitude = -1;

// The midpoint of the bright limb from the Moon's centre (altitude h,
// azimuth A), its topocentric semidiameter sT and the orientation crsang, all
// degrees. With the centre at the zenith every azimuth is the same point, and
// the limb point takes the centre's azimuth instead of dividing by cos 90.
void crescentPoint(double h, double A, double sT, double crsang, double& hc, double& Ac);

// The UT instant of the input's local date and time at `loc`: its zone and
// the summer hour of pref.zvd (where it is in force on the date) taken off.
double telescopeInstant(const TelescopeInput& in, const settings::CurrentLocation& loc);

// The refusal of an input whose instant lies outside the computable years
// (engine/computableyears.h), in the interface language, naming the year box,
// and the zone or the summer hour when one of them carries it out; empty when
// it is computable.
std::string telescopeRefusal(const TelescopeInput& in, const settings::CurrentLocation& loc,
                             bool english);

// Computes the pointing at `loc`. Reads pref.zvd (summer time). Returns
// false, leaving `out` as it was, when the Moon stands below
// kLowestMoonAltitude.
bool telescopePointing(const TelescopeInput& in, const settings::CurrentLocation& loc,
                       TelescopePointing& out);
// The same at the current location, loc.zvd read once.
bool telescopePointing(const TelescopeInput& in, TelescopePointing& out);

// The window's four value texts of one point: right ascension as hours
// "hhH mmM ssS ", declination and altitude as +dd°:mm':ss", azimuth as
// ddd:mm:ss. A value that is not a number shows as the "NA" texts.
struct PointingTexts {
    std::string ra, dec, alt, azm;
};
PointingTexts pointingTexts(const SkyPoint& p);

// Name of the orientation picture (without folder or extension): the step of
// 10 degrees nearest crsang ("00", "10", .. "350"), then "h" for a left-right
// mirror and "v" for a top-bottom one.
std::string crescentPictureName(double crsang, bool flipHorizontal, bool flipVertical);

// The pictures are GIF files in the program folder's images folder.
inline constexpr const char* kCrescentPictureFolder = "images";
inline constexpr const char* kCrescentPictureExtension = ".gif";

// tele.zvd: the tool's last settings, 11 fields.
struct TelescopeSettings {
    double year = 2011, month = 3, day = 21, hour = 18, minute = 30;
    bool airless = true, refracted = false;
    bool jnow = true, j2000 = false;
    int flipVertical = 0, flipHorizontal = 0; // 0 clear, 1 ticked
};
inline constexpr size_t kTelescopeSettingsFields = 11;
// What each field must read as (see settings::readRecordStrict).
inline constexpr std::string_view kTelescopeSettingsKinds = "nnnnnbbbbnn";
inline constexpr const char* kTelescopeSettingsFile = "tele.zvd";

// Strict read: a missing or short file stops the program.
TelescopeSettings readTelescopeSettings();
// Atomic, checked rewrite of tele.zvd.
settings::SaveResult writeTelescopeSettings(const TelescopeSettings& s);

} // namespace tools

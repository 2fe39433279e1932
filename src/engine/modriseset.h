#pragma once

#include <optional>
#include <string>

#include "eventtime.h"

// Choices of the callers of the event finder that the settings do not make.
struct RisesetOptions {
    // Altitudes from the topocentric right ascension and declination instead
    // of the geocentric ones (the alert program's build).
    bool topocentricAltitude = false;
    // Depression of the Sun below the horizon, degrees, for "Fajer" and
    // "Isha" in place of the angle of pref.zvd (a method that fixes the angle
    // itself). Empty: the angle of the preferences.
    std::optional<double> twilightAngle;
};

// Rise and set of a body through a target altitude on one local day: sunrise
// and sunset ("Sun"), moonrise and moonset ("Moon"), the Sun at the Fajr or
// Isha depression ("Fajer", "Isha") and at the Asr shadow altitude ("Asr").
// event: the kind; exactly "Moon" selects the Moon, every other text the Sun.
// JD0: UT Julian Day of local midnight. rise, set: out, decimal hours after
// JD0 (0 <= t < 24) or a marker: "----" (no crossing), "Up"/"Down" (the body
// stays above/below the target all day), "Bright"/"Dark" for the twilight
// kinds. The place and the preferences are read from loc.zvd and pref.zvd on
// every call. Writes `sunh0` ("Sun") and `moonh0` ("Moon"), reads `noonalt`
// ("Asr": the Sun's geometric altitude at transit, degrees).
// Method: hourly samples of sin(h) - sin(h0) with the low-precision theory
// (corsl / corml), roots of the parabola through each three samples (quad),
// each root refined with crc (medium precision) to 0.5 s; horizon refraction
// by numerical integration (refractionnew), Asr refraction by Saemundsson's
// and Bennett's formulae (Meeus ch. 16).
void riseset(const std::string& event, double JD0, EventTime& rise, EventTime& set,
             const RisesetOptions& options = {});

#pragma once

#include <array>
#include <optional>
#include <string>

#include "eventtime.h"

// The Sun's altitudes at the hourly samples of one local day, shared by the
// event requests of that day: the samples of "Sun", "Fajer", "Isha" and "Asr"
// fall on the same instants, and equal instants, place, time scale and series
// tables give equal altitudes. riseset checks the day, the time scale, the
// choice of altitude and the place on every call and starts afresh when one
// differs; the caller keeps the memo only while the tables cannot change
// (the requests of one day).
struct RisesetScanMemo {
    bool valid = false;
    double JD0 = 0, tdt = 0;
    bool topocentric = false;
    double longitude = 0, latitude = 0, ele = 0;
    std::array<double, 25> sinAltitude{};
    std::array<bool, 25> have{};
};

// Choices of the callers of the event finder that the settings do not make.
struct RisesetOptions {
    // Altitudes from the topocentric right ascension and declination instead
    // of the geocentric ones (the alert program's build).
    bool topocentricAltitude = false;
    // Depression of the Sun below the horizon, degrees, for "Fajer" and
    // "Isha" in place of the angle of pref.zvd (a method that fixes the angle
    // itself). Empty: the angle of the preferences.
    std::optional<double> twilightAngle;
    // Altitudes of the Sun's scan shared with other requests of the same day.
    RisesetScanMemo* memo = nullptr;
    // The crossing the caller keeps (the prayer-times engine keeps only the
    // dawn of "Fajer" when Isha has its own angle, only the evening crossing
    // of "Isha" and "Asr"). The other one is then refined only when the kept
    // one turns out missing (it decides between "----" and a whole-day
    // marker); otherwise it holds the scan's unrefined estimate.
    enum class Wanted { Both, Rise, Set } wanted = Wanted::Both;
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

// The crescent-visibility calculation for one day and place: the Sun's and
// the Moon's events of the day from the main window's one-day engines, the
// Moon's lag and the best time, positions and crescent parameters at the time
// of calculation, the Zivad criterion at the best time, and the report
// visib.out. Window-free: the window hands in its choices and the result of
// its last Preview.
#pragma once

#include <string>

#include "onedayengines.h"

namespace lunar {

enum class CalculationTime { Sun, Moon, Best, Specific };

struct CalculationInput {
    bool newCrescent = true;
    int dayOffset = 0; // 0, 1 or 2 days after (new) or before (old) the conjunction
    CalculationTime time = CalculationTime::Sun;
    std::string hourText, minuteText; // the specific local time's lists
    bool geocentric = true;
    // From the last Preview.
    double conjlocal = 0;   // local clock time as a Julian Day
    std::string summertext; // "On" or "Off"
    double pi = 0;          // the window's copy of pi
};

// The working values of one calculation (local-time Julian Days and hours).
struct CalculationValues {
    double onedayjd = 0;
    double S = 0, M = 0, L = 0; // Sun's and Moon's events, lag, hours
    double B = 0, T = 0;        // best instant, instant of calculation
    double A = 0;               // Moon's age, days
    double U = 0;               // T in universal time
    double ARCV = 0, W = 0, V = 0;
    std::string visibility; // the criterion's class text
};

struct CalculationResult {
    // A Sun's or Moon's event is missing that day: `report` is the short note
    // and visib.zvd must not be written.
    bool noEvent = false;
    std::string report; // the whole of visib.out, CR LF lines
    CalculationValues values;
};

// One press of Calculate up to the report's text: reads loc.zvd and pref.zvd
// (stopping the program when one is missing or short), sets `onedayjd`, holds
// `onedaymode` at 1 around the two engine runs only. Reads `summerflag`.
CalculationResult runCalculation(const CalculationInput& in, const OneDayEngines& engines);

// The short note for a day without one of the events.
std::string noEventReport();

inline constexpr const char* kVisibilityReportFile = "visib.out";

} // namespace lunar

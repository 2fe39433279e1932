// From a phase estimate to the printed instant: the iteration on the true
// longitudes of the Sun (full VSOP87, corsh) and the Moon (ELP 2000-85,
// cormm) in Terrestrial Time, the change to the chosen time reference, the
// summer hour and the zone; then the report's date-and-time text.
#pragma once

#include <cstdint>
#include <string>

// What the refinement and the formatting read of a moon-phases run. The run
// fills it before the first refinement; the options (reference, time, Delta T)
// may change between two refinements.
struct PhaseRunState {
    double pi = 3.14159265358979; // the run's own copy, handed to corsh and cormm
    bool geocentric = true;       // optgeo: geocentric longitudes, else topocentric
    bool ut1 = true;              // optut: local time from UT1, else from TT
    double deltaTSeconds = 0;     // the Delta T box (UT1 only), seconds
    std::string summ;             // pref.zvd summ: "1" considers summer time
    double zone = 0;              // loc.zvd zon, rounded to two decimals, hours
    std::string min;              // pref.zvd min: "1" hh:mm, else hh:mm:ss
    std::string yearText;         // the chosen year, formatted "##0000"
    std::int16_t summerMark = 0;  // 1: the last refined instant got the summer hour
};

// The longitude difference (degrees) that the refinement drives to zero for a
// phase code ("nm", "fq", "fm", "lq"), from the Moon's and the Sun's
// longitudes: brought within -60..60 of the target so that a pair across
// 0/360 degrees counts as close.
double phaseLongitudeDifference(const std::string& code, double moonLongitude, double sunLongitude);

// Steps the refinement makes at most. From any estimate of the method it
// settles in well under ten; the bound only keeps an instant that cannot
// settle (doubles too coarse, far outside the theories' years) from hanging.
inline constexpr int kMostRefinementSteps = 100;

// Refines the phase `code` from `estimate` (JDE, TT): N = J - 0.082077778 D
// until two instants differ by 0.00000289 day (0.25 s) or less. Every
// instant but the last is stored back into `estimate`. Then the time
// reference (UT1: N - Delta T), the summer hour (state.summerMark) and the
// zone: localJD is the local Julian Day on the chosen reference. tdtmode is 1
// during the iteration and 0 after it, however the refinement ends.
void RefinePhaseInstant(PhaseRunState& state, double& estimate, double& localJD,
                        const std::string& code);

// "dd/mm/yyyy  hh:mm:ss" (or "  hh:mm" by state.min) of a local Julian Day,
// or "----" when its year is not the chosen year. A time that rounds to 24 h
// stays on its day ("24:00:00").
void FormatPhaseInstant(const PhaseRunState& state, double localJD, std::string& text);

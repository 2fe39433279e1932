// The conjunction preview of the crescent-visibility window: the conjunction
// of the Moon and the Sun in ecliptic longitude nearest to an approximate
// date, its summer-time state and the local dates of the days around it.
// Window-free: the window hands in its inputs and shows the result.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace lunar {

// Julian Ephemeris Day of the true New Moon of lunation k (k = 0 near
// 2000 January 6), by the method of Meeus, Astronomical Algorithms, 1st ed.
// (1991), ch. 47 "Phases of the Moon": the mean phase with the 1991 values of
// JDE0, M, M', F and Omega, the 25 New Moon terms and the 14 planetary
// corrections A1..A14. Accurate to a few minutes.
double trueNewMoon(double k);

// Day number (Julian Day of noon) of the first day of Hijri month `index`
// (0 = Muharram) of year H in the tabular Islamic calendar (epoch 1948440).
double hijriMonthStart(double H, int index);

// Refines a conjunction estimate (JDE, TT) on the longitudes of the
// full VSOP87 Sun (corsh) and the ELP 2000-85 Moon (cormm), geocentric or
// topocentric for the place of loc.zvd. Holds tdtmode at 1 while it runs and
// puts it back to 0 on every way out. Returns the conjunction J; `last` gets
// the estimate from which the final step was taken (within 2.89e-6 d of J).
double refineConjunction(double jde, bool geocentric, double& last);

// Passes of refineConjunction before it settles for its last value. The
// step converges to the quarter second in three or four passes; the bound
// keeps positions that never settle from hanging the window.
inline constexpr int kMostConjunctionPasses = 60;

struct PreviewInput {
    bool gregorian = true;
    std::string dayText, monthText, yearText; // Gregorian input, as the controls hold them
    int hijriMonth = 0;                       // 0-based list index
    std::string hijriYearText;
    bool newCrescent = true;
    bool geocentric = true;
};

struct PreviewResult {
    double pi = 0;          // the window's copy of pi (3.14159265358979)
    double conjjde = 0;     // the estimate of the last step (JDE, TT)
    double conjunction = 0; // the conjunction J (JDE, TT)
    double conjut = 0;      // J - Delta T
    double conjlocal = 0;   // local clock time as a Julian Day
    std::int16_t summerflag = 0;
    std::string summertext; // "On" or "Off"
    // Captions of optconj, optone, opttwo: "dd/mm/yyyy  CE".
    std::array<std::string, 3> captions;
};

// The years a preview searches in: from the first year the lunation
// number, held in 16 bits, reaches whole (about -649 to 4649; the round
// bound leaves every day of -640 inside it) to the last computable year
// (engine/computableyears.h), so that the window tells one span. The Hijri
// bounds are the widest Hijri years whose every month, for either crescent,
// is searched within that span: the search of Jumada al-Ula 2452 already
// reaches 3001.
inline constexpr double kFirstPreviewYear = -640;
inline constexpr double kLastPreviewYear = 3000;
inline constexpr double kFirstPreviewHijriYear = -1300;
inline constexpr double kLastPreviewHijriYear = 2451;

// Why a preview could not run on its input.
enum class PreviewRefusal {
    None,
    NoDay,
    NoMonth,
    NoYear,
    YearOverflows,       // the year box holds a number beyond the double range
    YearOutOfRange,      // a Gregorian year outside kFirstPreviewYear..kLastPreviewYear
    HijriYearOutOfRange, // a Hijri year outside the Hijri bounds
    InstantOutOfRange,   // the days around the conjunction leave the computable years
};

// The preview: reads loc.zvd and pref.zvd (stopping the program when one is
// missing or short), finds the conjunction and its local dates, and stores
// the process-wide `conjjde` and `summerflag`. Refuses (and changes nothing)
// a Gregorian input without a day, a month or a numeric year, a year box
// whose number overflows, a year outside the bounds above, and a month whose
// conjunction lies within four days of the ends of the computable years
// (engine/computableyears.h) or beyond them.
std::optional<PreviewResult> runPreview(const PreviewInput& in, PreviewRefusal* why = nullptr);

} // namespace lunar

// The moon phases of a year: the instants of New Moon, First Quarter, Full
// Moon and Last Quarter of 15 lunations from the year's first lunation,
// refined, turned into local time, and those that fall in the year written
// as a table into results.out. Window-free: the moon-phases window hands the
// run its year text and a host for the progress window, the hand-overs, the
// viewer and its current options.
#pragma once

#include <filesystem>
#include <string>

#include "phaseinstant.h"
#include "reports/prayertimes.h"
#include "settings/records.h"

namespace lunar {

// The window's options as they stand now; read at the start of the run (the
// header prints them) and again before each lunation, since the user may
// change them while the run hands control to the message loop.
struct PhaseChoices {
    bool geocentric = true;
    bool ut1 = true;
    double deltaTSeconds = 0; // the Delta T box as a number
};

class PhaseRunHost : public prayer::RunHost {
public:
    virtual PhaseChoices choices() = 0;
};

// Lunations a run computes.
inline constexpr int kPhaseLunations = 15;

struct MoonPhasesResult {
    bool cancelled = false;
    bool written = false;
    std::filesystem::path reportFile;
    std::string writeError;
    // Local Julian Days of every phase computed (lunation, phase); 0 for the
    // lunations a cancelled run did not reach.
    double localJD[kPhaseLunations][4] = {};
    std::string text[kPhaseLunations][4];
};

// The year box read as the window reads it: its leading number, 0 when there
// is none.
double phaseYear(const std::string& yearBoxText);

// Delta T in seconds at 15 June 0 h of the year, as the Delta T box shows it.
double deltaTSecondsOfYear(double year);
// The Delta T box's text: "##########00.00".
std::string deltaTText(double seconds);

// The first lunation of the table of `year`: Int((year - 2000) * 12.3685) - 1
// where its New Moon falls (as the run refines it with `state`'s options)
// before 1 January of the year and early enough for the fifteen lunations to
// reach past the year's end; otherwise the last lunation whose New Moon falls
// before 1 January. The first rule's lunation drifts against the calendar
// (after about AD 7000 it starts after 1 January, and a phase of the first
// days of the year is then in neither year's table).
double startLunation(double year, const PhaseRunState& state);

// The zone of loc.zvd as the run takes it: to two decimals, as the report
// prints it.
double phaseZone(const settings::CurrentLocation& loc);

// The refusal of a year whose table leaves the computable years
// (engine/computableyears.h), in the interface language; empty when it is
// computable. Judged on the instants the table prints: the local year,
// 1 January 0 h to the next 1 January, less the zone of `loc` (hours east)
// and the summer hour where it is in force on that day (summ "1" and the day
// in the window of `pref`). The Delta T between them and TT is not judged
// here: the series hold beyond the span (phaseDeltaTRefusal). Names the year,
// and the zone or the summer hour when one of them carries it out.
std::string phaseYearRefusal(const std::string& yearBoxText, const settings::CurrentLocation& loc,
                             const settings::Preferences& pref, bool english);

// The Delta T box's seconds a UT1 run of `year` may take: those that keep the
// TT of the year's instants (universal time plus Delta T) within the years of
// the Sun's and the Moon's series, kFirstSeriesYear to kLastSeriesYear. Some
// 4000 years either way for a present year, less than one year below
// -1999; the table's own Delta T lies far inside at both ends of the span
// (46653 s at -1999, 4439 s at 3000). Beyond the series a phase is found on
// sums that no longer describe the Moon.
struct DeltaTRange {
    double least = 0, most = 0; // whole seconds
    bool holds(double seconds) const { return seconds >= least && seconds <= most; }
};
DeltaTRange phaseDeltaTRange(double year, double zone);

// The refusal of a Delta T outside phaseDeltaTRange for `zone` (as
// phaseZone gives it), naming the box, its value and the range; empty when
// the Delta T is in it.
std::string phaseDeltaTRefusal(double year, double deltaTSeconds, double zone, bool english);

// The report file's name in the program folder.
inline constexpr const char* kPhaseReportFile = "results.out";

// The run of the Calculate button, once the window has shown the refusals
// above where there are any: the run itself holds far beyond the computable
// years (tests/phases/yearspan_test.cpp). Reads loc.zvd and pref.zvd (a missing or
// short file stops the program), writes results.out atomically at the end,
// after a cancelled run too, and opens it in the viewer unless cancelled.
MoonPhasesResult runMoonPhases(const std::string& yearBoxText, PhaseRunHost& host);

} // namespace lunar

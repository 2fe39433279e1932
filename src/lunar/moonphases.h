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

// The years the window accepts: where every table lists each phase once, in
// turn, a quarter 6.5 to 8.3 days and a month 29.2 to 29.9 days after the one
// before, as in the present era. Both the phase series of the estimate
// and the Sun and Moon theories of the refinement are polynomials in time
// fitted to a few thousand years, and Delta T beyond them is a parabola; far
// out they part. At the two ends the estimate is at most 0.3 day from the
// refined instant, a sixteenth of the 60 degrees of elongation (about 5 days)
// beyond which the refinement settles on a neighbouring phase; the gap
// doubles every 4000 years or so, and from about 40000 years away phases are
// listed twice or missed and months run 27 to 36 days.
inline constexpr double kFirstPhaseYear = -20000;
inline constexpr double kLastPhaseYear = 20000;
bool phaseYearComputable(double year);

// The report file's name in the program folder.
inline constexpr const char* kPhaseReportFile = "results.out";

// The run of the Calculate button. Reads loc.zvd and pref.zvd (a missing or
// short file stops the program), writes results.out atomically at the end,
// after a cancelled run too, and opens it in the viewer unless cancelled.
MoonPhasesResult runMoonPhases(const std::string& yearBoxText, PhaseRunHost& host);

} // namespace lunar

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

// How a year's table stands against the computable years
// (engine/computableyears.h), judged on the instants the run computes: the
// local year, 1 January 0 h to the next 1 January, with the zone (hours
// east) and, summer time on, an hour taken off is universal time (TT itself
// in a TDT run); the refinement takes TT, universal time plus the Delta T
// box's seconds in a UT1 run. The run itself stays sound further out: from
// TT alone, with Delta T of the year, every table lists each phase once and
// in turn out to +-20000 years; it is the local time that rests on Delta T.
enum class PhaseSpan {
    Computable,
    YearBeyond,   // the year's own instants leave the computable years
    DeltaTBeyond, // Delta T carries the refined instants out of them
};
PhaseSpan phaseSpan(double year, double zone, bool summerOn, bool ut1, double deltaTSeconds);

// The report file's name in the program folder.
inline constexpr const char* kPhaseReportFile = "results.out";

// The run of the Calculate button. Reads loc.zvd and pref.zvd (a missing or
// short file stops the program), writes results.out atomically at the end,
// after a cancelled run too, and opens it in the viewer unless cancelled.
MoonPhasesResult runMoonPhases(const std::string& yearBoxText, PhaseRunHost& host);

} // namespace lunar

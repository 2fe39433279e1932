// The moon-times engine of the main window: moonrise, the Moon's transit and
// moonset of every day of the calculation dates (report run, writes
// mresults.out), or the moonrise and moonset of one day for the
// crescent-visibility tool (one-day run: `onedaymode` = 1, writes
// `daymoonrise` and `daymoonset`). Window-free, in the manner of the
// prayer-times engine: the main window owns one engine, hands it the host it
// uses for the prayer times (the progress window and the text viewer), binds
// its rise and set texts to its own `shuroqtext` and `maghrebtext`, and
// forwards the Moon Times button's click to cmdmoon_Click.
#pragma once

#include <functional>
#include <string>

#include "engine/eventtime.h"
#include "prayertimes.h"

namespace moontimes {

// One day's moon times.
struct MoonDay {
    EventTime rise, set;              // from the event finder ("Moon")
    std::string riseText, setText;    // clock texts or markers
    double transit = 0;               // hours after local midnight, 0 <= T < 24
    std::string transitText;          // clock text, "----", or "Down"
    double altitude = 0, azimuth = 0; // topocentric, degrees, at the transit found
    int transitPasses = 0;            // passes of the transit iteration
};

// Moonrise and moonset of the local day that starts at JD0 (UT Julian Day of
// local midnight) at the place of loc.zvd, and their texts in the precision
// `min` ("1": hh:mm, "0": hh:mm:ss). Leaves the day's `moonh0`.
void moonRiseSet(double JD0, const std::string& min, MoonDay& day);

// The Moon's transit of that day, after moonRiseSet: a first estimate from
// the low-precision Moon, the iteration with the ELP 2000-85 Moon, then the
// checks that the Moon stands above `moonh0` and within 7 degrees of the
// meridian at the instant found (of azimuth; of hour angle within a degree of
// the zenith, where the azimuth means nothing). lambda: longitude, degrees,
// east positive.
void moonTransit(double JD0, double lambda, const std::string& min, MoonDay& day);

// The hour angle of the Moon at a UT Julian Day, degrees (any range).
using HourAngleAt = std::function<double(double JD)>;

// Passes of the transit iteration before it gives up with its last value. The
// iteration converges to a second in three or four passes; the bound keeps an
// input that never settles (a position that jumps about) from hanging the run.
inline constexpr int kMostTransitPasses = 50;

// The transit iteration from the estimate T (hours after JD0): with H the hour
// angle at JD0 + T/24 brought into -180 < H <= 180, T' = T - 24 H / 360, until
// two passes differ by a second at most or kMostTransitPasses passes are made;
// returns the last T' (not reduced into 0..24). passes: out, when given.
double iterateTransit(double JD0, double T, const HourAngleAt& hourAngle, int* passes = nullptr);

class MoonTimesEngine {
public:
    MoonTimesEngine();
    MoonTimesEngine(const MoonTimesEngine&) = delete;
    MoonTimesEngine& operator=(const MoonTimesEngine&) = delete;

    // Runs the engine: the one-day run when `onedaymode` is 1 (process-wide,
    // with `onedayjd` and `summerflag`), otherwise the report run. A missing
    // or short settings file stops the program through the platform's fault.
    void cmdmoon_Click();

    // The main window's members that a run writes: its sunrise and sunset
    // texts (the moon texts of the last day go there) and its language flag
    // (pref.zvd's `eng`). Unbound, the engine keeps them itself.
    void bindMainWindow(std::string& shuroqtext, std::string& maghrebtext, bool& english);
    const std::string& shuroqtext() const { return *shuroq_; }
    const std::string& maghrebtext() const { return *maghreb_; }
    bool english() const { return *english_; }

    // The window layer's side of a report run (progress window, hand-overs,
    // viewer); without a host the run shows nothing, never yields and opens
    // no viewer.
    void setHost(prayer::RunHost* host) { host_ = host; }

    const prayer::RunResult& lastRun() const { return result_; }

private:
    prayer::RunHost* host_ = nullptr;
    prayer::RunResult result_;
    std::string ownShuroq_, ownMaghreb_;
    bool ownEnglish_ = true;
    std::string* shuroq_ = &ownShuroq_;
    std::string* maghreb_ = &ownMaghreb_;
    bool* english_ = &ownEnglish_;
};

} // namespace moontimes

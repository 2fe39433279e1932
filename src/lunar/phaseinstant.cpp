#include "phaseinstant.h"

#include <cmath>

#include "engine/modcormm.h"
#include "engine/modcorsh.h"
#include "engine/modctim.h"
#include "engine/modgeneral.h"
#include "engine/modjuc.h"
#include "engine/modsummer.h"
#include "reports/prayerreport.h"

namespace {

// Days per degree of the Moon's mean motion relative to the Sun (1 / 12.18
// degrees a day).
constexpr double kDaysPerDegree = 0.082077778;
// Two instants this close (days, about 0.25 s) end the iteration.
constexpr double kSettled = 0.00000289;

// tdtmode is 1 only while the iteration runs, also when a position
// procedure stops the program (a test's stop handler throws through here).
struct TerrestrialTime {
    TerrestrialTime() { tdtmode = 1; }
    ~TerrestrialTime() { tdtmode = 0; }
    TerrestrialTime(const TerrestrialTime&) = delete;
    TerrestrialTime& operator=(const TerrestrialTime&) = delete;
};

double targetOf(const std::string& code)
{
    if (code == "fq")
        return 90;
    if (code == "fm")
        return 180;
    if (code == "lq")
        return 270;
    return 0;
}

} // namespace

double phaseLongitudeDifference(const std::string& code, double moonLongitude, double sunLongitude)
{
    double D;
    if (code == "nm") {
        D = moonLongitude - sunLongitude;
    } else {
        if (moonLongitude < sunLongitude)
            moonLongitude += 360;
        D = moonLongitude - sunLongitude - targetOf(code);
    }
    if (D < -60)
        D += 360;
    if (D > 60)
        D -= 360;
    return D;
}

void RefinePhaseInstant(PhaseRunState& state, double& estimate, double& localJD,
                        const std::string& code)
{
    double N = estimate;
    {
        TerrestrialTime tt;
        double J = estimate;
        for (int step = 1;; ++step) {
            double a, d, aT, dT, ls, bs, lsT, bsT, R, EqT;
            corsh(state.pi, J, a, d, aT, dT, ls, bs, lsT, bsT, R, EqT);
            double lm, bm, lmT, bmT, par, s, sT, dist;
            cormm(state.pi, J, a, d, aT, dT, lm, bm, lmT, bmT, par, s, sT, dist);
            const double D = state.geocentric ? phaseLongitudeDifference(code, lm, ls)
                                              : phaseLongitudeDifference(code, lmT, lsT);
            N = J - kDaysPerDegree * D;
            if (!(std::fabs(N - J) > kSettled) || step >= kMostRefinementSteps)
                break;
            estimate = N;
            J = N;
        }
    }

    if (state.ut1)
        N -= state.deltaTSeconds / 86400;

    state.summerMark = 0;
    if (state.summ == "1") {
        // juc of N itself is half a day early with the day's fraction; summer
        // rounds the day, which gives back the day on which N falls.
        double y, m, d;
        juc(N, y, m, d);
        std::int16_t flag = 0;
        summer(d, m, y, flag);
        if (flag == 1) {
            state.summerMark = 1;
            N += 1.0 / 24;
        }
    }

    N += state.zone / 24;
    localJD = N;
}

void FormatPhaseInstant(const PhaseRunState& state, double localJD, std::string& text)
{
    double year, month, day;
    juc(localJD + 0.5, year, month, day);
    const double whole = std::floor(day);
    std::string clock;
    ctim(NumberOrText(state.min), 24 * (day - whole), clock);
    const std::string yearText = prayer::patternNumber(year, 4, 0);
    if (yearText != state.yearText) {
        text = "----";
        return;
    }
    text = prayer::patternNumber(whole, 2, 0) + "/" + prayer::patternNumber(month, 2, 0) + "/" +
           yearText + "  " + clock;
}

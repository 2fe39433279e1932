#include "conjunction.h"

#include <cmath>
#include <cstdio>

#include "engine/computableyears.h"
#include "engine/modcormm.h"
#include "engine/modcorsh.h"
#include "engine/moddeltat.h"
#include "engine/modgeneral.h"
#include "engine/modjuc.h"
#include "engine/modsummer.h"
#include "settings/records.h"
#include "settings/settingsline.h"

namespace lunar {

namespace {

// Epoch of the tabular Hijri calendar: day number of 1 Muharram 1.
constexpr double kHijriEpoch = 1948440;
// Days per degree of elongation: the synodic month over 360 degrees.
constexpr double kDaysPerDegree = 0.082077778;
// A quarter of a second, in days.
constexpr double kConjunctionTolerance = 2.89e-6;

// tdtmode is 1 for the lifetime of one of these.
class TerrestrialTime {
public:
    TerrestrialTime() { tdtmode = 1; }
    ~TerrestrialTime() { tdtmode = 0; }
    TerrestrialTime(const TerrestrialTime&) = delete;
    TerrestrialTime& operator=(const TerrestrialTime&) = delete;
};

struct Coefficient {
    double a;         // days
    int e;            // power of E
    int m, mp, f, om; // multiples of M, M', F, Omega
};

// Meeus (1991), ch. 47: the periodic terms for the New Moon.
constexpr Coefficient kNewMoonTerms[] = {
    {-0.40720, 0, 0, 1, 0, 0}, {0.17241, 1, 1, 0, 0, 0},    {0.01608, 0, 0, 2, 0, 0},
    {0.01039, 0, 0, 0, 2, 0},  {0.00739, 1, -1, 1, 0, 0},   {-0.00514, 1, 1, 1, 0, 0},
    {0.00208, 2, 2, 0, 0, 0},  {-0.00111, 0, 0, 1, -2, 0},  {-0.00057, 0, 0, 1, 2, 0},
    {0.00056, 1, 1, 2, 0, 0},  {-0.00042, 0, 0, 3, 0, 0},   {0.00042, 1, 1, 0, 2, 0},
    {0.00038, 1, 1, 0, -2, 0}, {-0.00024, 1, -1, 2, 0, 0},  {-0.00017, 0, 0, 0, 0, 1},
    {-0.00007, 0, 2, 1, 0, 0}, {0.00004, 0, 0, 2, -2, 0},   {0.00004, 0, 3, 0, 0, 0},
    {0.00003, 0, 1, 1, -2, 0}, {0.00003, 0, 0, 2, 2, 0},    {-0.00003, 0, 1, 1, 2, 0},
    {0.00003, 0, -1, 1, 2, 0}, {-0.00002, 0, -1, 1, -2, 0}, {-0.00002, 0, 1, 3, 0, 0},
    {0.00002, 0, 0, 4, 0, 0},
};

// Meeus (1991), ch. 47: the planetary arguments A1..A14 (degrees: constant,
// rate per lunation) and their coefficients (days). A1 has a T^2 term too.
struct PlanetaryTerm {
    double a0, a1, coefficient;
};
constexpr PlanetaryTerm kPlanetaryTerms[] = {
    {299.77, 0.107408, 0.000325},  {251.88, 0.016321, 0.000165}, {251.83, 26.651886, 0.000164},
    {349.42, 36.412478, 0.000126}, {84.66, 18.206239, 0.000110}, {141.74, 53.303771, 0.000062},
    {207.14, 2.453732, 0.000060},  {154.84, 7.306860, 0.000056}, {34.52, 27.261239, 0.000047},
    {207.19, 0.121824, 0.000042},  {291.34, 1.844379, 0.000040}, {161.72, 24.198154, 0.000037},
    {239.56, 25.513099, 0.000035}, {331.55, 3.592518, 0.000023},
};

} // namespace

double trueNewMoon(double k)
{
    const double deg = kPi15 / 180;
    const double T = k / 1236.85;
    const double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
    const double jde0 =
        2451550.09765 + 29.530588853 * k + 0.0001337 * T2 - 0.000000150 * T3 + 0.00000000073 * T4;
    const double E = 1 - 0.002516 * T - 0.0000074 * T2;
    double M = 2.5534 + 29.10535669 * k - 0.0000218 * T2 - 0.00000011 * T3;
    double Mp = 201.5643 + 385.81693528 * k + 0.0107438 * T2 + 0.00001239 * T3 - 0.000000058 * T4;
    double F = 160.7108 + 390.67050274 * k - 0.0016341 * T2 - 0.00000227 * T3 + 0.000000011 * T4;
    double Om = 124.7746 - 1.5637558 * k + 0.0020691 * T2 + 0.00000215 * T3;
    M = modgeneral::range(M) * deg;
    Mp = modgeneral::range(Mp) * deg;
    F = modgeneral::range(F) * deg;
    Om = modgeneral::range(Om) * deg;

    double planetary = 0;
    for (size_t i = 0; i < std::size(kPlanetaryTerms); ++i) {
        const PlanetaryTerm& p = kPlanetaryTerms[i];
        double A = p.a0 + p.a1 * k;
        if (i == 0)
            A -= 0.009173 * T2;
        planetary += p.coefficient * std::sin(A * deg);
    }

    double periodic = 0;
    for (const Coefficient& c : kNewMoonTerms) {
        const double factor = c.e == 0 ? 1 : (c.e == 1 ? E : E * E);
        periodic += c.a * factor * std::sin(c.m * M + c.mp * Mp + c.f * F + c.om * Om);
    }
    return jde0 + planetary + periodic;
}

double hijriMonthStart(double H, int index)
{
    return std::floor(354 * H) + std::floor((11 * H + 3) / 30) + 30 * (index + 1) -
           std::floor(index / 2.0) + 1 + kHijriEpoch - 385;
}

double refineConjunction(double jde, bool geocentric, double& last)
{
    TerrestrialTime tt;
    double J = jde;
    for (int pass = 0; pass < kMostConjunctionPasses; ++pass) {
        last = J;
        double a, d, aT, dT, sunLambda, b, sunLambdaT, bT, R, EqT;
        corsh(kPi15, last, a, d, aT, dT, sunLambda, b, sunLambdaT, bT, R, EqT);
        double moonLambda, moonLambdaT, par, s, sT, dist;
        cormm(kPi15, last, a, d, aT, dT, moonLambda, b, moonLambdaT, bT, par, s, sT, dist);
        double D = geocentric ? moonLambda - sunLambda : moonLambdaT - sunLambdaT;
        if (D < -60)
            D += 360;
        if (D > 60)
            D -= 360;
        J = last - kDaysPerDegree * D;
        if (std::fabs(J - last) <= kConjunctionTolerance)
            break;
    }
    return J;
}

std::optional<PreviewResult> runPreview(const PreviewInput& in, PreviewRefusal* why)
{
    auto refuse = [why](PreviewRefusal r) -> std::optional<PreviewResult> {
        if (why)
            *why = r;
        return std::nullopt;
    };
    if (why)
        *why = PreviewRefusal::None;

    PreviewResult r;
    r.pi = kPi15;
    const settings::CurrentLocation loc = settings::readCurrentLocation();
    const settings::Preferences pref = settings::readPreferences();

    double Y = 0, M = 0, D = 0;
    if (in.gregorian) {
        if (!settings::leadingNumber(in.dayText, D))
            return refuse(PreviewRefusal::NoDay);
        if (!settings::leadingNumber(in.monthText, M))
            return refuse(PreviewRefusal::NoMonth);
        bool overflow = false;
        if (!settings::leadingNumber(in.yearText, Y, nullptr, &overflow))
            return refuse(PreviewRefusal::NoYear);
        if (overflow)
            return refuse(PreviewRefusal::YearOverflows);
        if (!(Y >= kFirstPreviewYear && Y <= kLastPreviewYear))
            return refuse(PreviewRefusal::YearOutOfRange);
    } else {
        if (settings::lenientNumberOverflows(in.hijriYearText))
            return refuse(PreviewRefusal::YearOverflows);
        const double H = settings::lenientNumber(in.hijriYearText);
        if (!(H >= kFirstPreviewHijriYear && H <= kLastPreviewHijriYear))
            return refuse(PreviewRefusal::HijriYearOutOfRange);
        double N = hijriMonthStart(H, in.hijriMonth);
        if (!in.newCrescent)
            N += 30;
        if (N < 0)
            return refuse(PreviewRefusal::YearOutOfRange);
        juc(N, Y, M, D);
    }

    const double y = Y + (D + 30.4 * (M - 1)) / 365.25;
    const double kReal = std::nearbyint((y - 2000) * 12.3685);
    if (!(kReal >= -32768 && kReal <= 32767))
        return refuse(PreviewRefusal::YearOutOfRange);
    const auto k = static_cast<std::int16_t>(kReal);

    r.conjjde = trueNewMoon(k);
    r.conjunction = refineConjunction(r.conjjde, in.geocentric, r.conjjde);

    double dT;
    deltat(r.conjunction, dT);
    double U = r.conjunction - dT;
    r.conjut = U;
    // The calculation takes up to two days either side of the conjunction's
    // local date, the map as much either side of its UT date at every
    // longitude: all of it lies within four days of the conjunction.
    constexpr double kDaysTaken = 4;
    if (!instantComputable(U - kDaysTaken) || !instantComputable(U + kDaysTaken))
        return refuse(PreviewRefusal::InstantOutOfRange);
    conjjde = r.conjjde;

    r.summertext = "Off";
    r.summerflag = 0;
    if (pref.summ == "1") {
        double uy, um, ud;
        juc(U + 0.5, uy, um, ud);
        if (inSummerWindow(pref, SummerYearRule::OneLeapYear, uy, um, std::floor(ud))) {
            r.summerflag = 1;
            U += 1.0 / 24;
            r.summertext = "On";
        }
    }
    summerflag = r.summerflag;
    r.conjlocal = U + loc.zon / 24;

    const int sign = in.newCrescent ? 1 : -1;
    for (int j = 0; j < 3; ++j) {
        double cy, cm, cd;
        juc(r.conjlocal + 0.5 + sign * j, cy, cm, cd);
        // A day so far off (a wild time zone) that the calendar sums lose
        // their whole days has no date to show.
        if (!(cd >= 1 && cd < 32 && cm >= 1 && cm <= 12)) {
            r.captions[j] = "----";
            continue;
        }
        char text[64];
        std::snprintf(text, sizeof text, "%02d/%02d/%.0f  CE", static_cast<int>(std::floor(cd)),
                      static_cast<int>(cm), cy);
        r.captions[j] = text;
    }
    return r;
}

} // namespace lunar

#include "vismapcompute.h"

#include <cmath>

#include "engine/eventtime.h"
#include "engine/modcormm.h"
#include "engine/modcormvl.h"
#include "engine/modcorsh.h"
#include "engine/modcorsvl.h"
#include "engine/moddeltat.h"
#include "engine/modgeneral.h"
#include "engine/modjuc.h"
#include "engine/modjul.h"
#include "engine/modlowaltazm.h"
#include "engine/modvlowriseset.h"
#include "lunar/crescentparameters.h"

namespace lunar {

namespace {

// Days per degree of the Moon's elongation in longitude (the inverse of its
// mean daily motion relative to the Sun, 12.19 degrees a day).
constexpr double kDaysPerDegree = 0.082077778;
// The iteration stops once a step is under a quarter of a second.
constexpr double kConjTolerance = 2.89e-6;
// The iteration converges in a handful of steps; the cap only keeps a place
// where it would not from hanging the window.
constexpr int kConjMaxSteps = 100;

// tdtmode = 1 for a scope: back to 0 however the scope is left.
struct TdtScope {
    TdtScope() { tdtmode = 1; }
    ~TdtScope() { tdtmode = 0; }
};

// The elongation in longitude brought near 0: -60..300 first, then -60..60
// for the rest (a value over 60 loses 360).
double wrapElongation(double d)
{
    if (d < -60)
        d += 360;
    if (d > 60)
        d -= 360;
    return d;
}

struct Bodies {
    double aS, dS, aST, dST, lS, bS, lST, bST, R;
    double aM, dM, aMT, dMT, lM, bM, lMT, bMT, par, s, sT, Delta;
};

Bodies lowBodies(double lon, double lat, double JD)
{
    Bodies b{};
    double spare = 0;
    corsvl(lon, lat, JD, b.aS, b.dS, b.aST, b.dST, b.lS, b.bS, b.lST, b.bST, b.R, spare);
    cormvl(lon, lat, JD, b.aM, b.dM, b.aMT, b.dMT, b.lM, b.bM, b.lMT, b.bMT, b.par, b.s, b.sT,
           b.Delta);
    return b;
}

// Width W (arc minutes) from an elongation's frame and the topocentric semidiameter.
double crescentWidth(const Bodies& b, double aS, double dS, double aM, double dM)
{
    const double E = elongation(aS, dS, aM, dM);
    const double i = phaseAngle(b.Delta, b.R * kKmPerAu, E);
    const double k = (1 + std::cos(i)) / 2;
    return 2 * 60 * k * b.sT;
}

} // namespace

bool mapCodeColour(int code, MapColour& colour)
{
    switch (code) {
    case MapUnknown:
        colour = {0, 205, 205};
        return true;
    case MapImpossible:
        colour = {238, 0, 0};
        return true;
    case MapOpticalAid:
        colour = {0, 0, 255};
        return true;
    case MapCouldNakedEye:
        colour = {255, 0, 255};
        return true;
    case MapPerfectSky:
        colour = {255, 193, 37};
        return true;
    case MapEasy:
        colour = {0, 139, 0};
        return true;
    default:
        return false;
    }
}

int zivadMapCode(double V)
{
    if (V >= 5.65)
        return MapEasy;
    if (V >= 2)
        return MapCouldNakedEye;
    if (V >= -0.97)
        return MapOpticalAid;
    return MapNotPossible;
}

int yallopMapCode(double q)
{
    if (q > 0.216)
        return MapEasy;
    if (q > -0.014)
        return MapPerfectSky;
    if (q > -0.16)
        return MapCouldNakedEye;
    if (q > -0.232)
        return MapOpticalAid;
    return MapNotPossible;
}

int saaoMapCode(double h, double DAZ)
{
    const double poly = -0.0145 * DAZ - 0.0157 * DAZ * DAZ + 0.0004 * DAZ * DAZ * DAZ;
    if (h - (8.1912 + poly) >= 0)
        return MapEasy;
    if (h - (6.2912 + poly) >= 0)
        return MapOpticalAid;
    return MapNotPossible;
}

void VisibilityMapComputation::prepare(double conjjdeIn)
{
    double t = conjjdeIn;
    {
        TdtScope tt;
        for (int step = 0; step < kConjMaxSteps; ++step) {
            double aS, dS, aST, dST, lS, bS, lST, bST, R, eqt;
            corsh(pi, t, aS, dS, aST, dST, lS, bS, lST, bST, R, eqt);
            double aM, dM, aMT, dMT, lM, bM, lMT, bMT, par, s, sT, Delta;
            cormm(pi, t, aM, dM, aMT, dMT, lM, bM, lMT, bMT, par, s, sT, Delta);
            const double d = wrapElongation(lM - lS);
            const double next = t - kDaysPerDegree * d;
            if (std::abs(next - t) <= kConjTolerance)
                break;
            t = next;
        }
        deltat(t, mapdeltat);
        mapconj = t - mapdeltat;
    }
    double year, month, day;
    juc(mapconj + 0.5, year, month, day);
    double day0 = 0;
    jul(year, month, std::floor(day), 0, day0);
    days[0] = day0;
    days[1] = day0 + 1;
    days[2] = day0 + 2;
    days[3] = day0 - 1;
    days[4] = day0 - 2;
}

double VisibilityMapComputation::chosenDay(int option, bool newCrescent) const
{
    switch (option) {
    case 1:
        return newCrescent ? days[1] : days[3];
    case 2:
        return newCrescent ? days[2] : days[4];
    default:
        return days[0];
    }
}

int VisibilityMapComputation::EvaluateMapPoint(double lon, double lat, double D, bool newCrescent,
                                               int criterion)
{
    const double zone = std::round(lon / 15);

    // The place's own conjunction, from the last one found.
    {
        TdtScope tt;
        double t = mapconj;
        for (int step = 0; step < kConjMaxSteps; ++step) {
            const Bodies b = lowBodies(lon, lat, t);
            const double d = wrapElongation(b.lMT - b.lST);
            const double next = t - kDaysPerDegree * d;
            if (std::abs(next - t) <= kConjTolerance)
                break;
            t = next;
        }
        mapconj = t - mapdeltat;
    }

    EventTime sunrise, sunset, moonrise, moonset;
    vlowriseset(D, lon, lat, sunrise, sunset, "Sun");
    vlowriseset(D, lon, lat, moonrise, moonset, "Moon");
    const EventTime& sunEvent = newCrescent ? sunset : sunrise;
    const EventTime& moonEvent = newCrescent ? moonset : moonrise;
    if (sunEvent.isMarker() || moonEvent.isMarker())
        return MapUnknown;
    const double S = sunEvent.hours;
    const double M = moonEvent.hours;
    const double lag = newCrescent ? M - S : S - M;

    double b = S;
    if (criterion != CriterionSaao)
        b = newCrescent ? S + 4.0 / 9 * lag : S - 4.0 / 9 * lag;
    const double U = D + b / 24 - zone / 24;
    const double age = newCrescent ? U - mapconj : mapconj - U;

    const double t1 = D + (S - zone) / 24;
    const Bodies atSun = lowBodies(lon, lat, t1);
    double hM, AM, hS, AS;
    lowaltazm(t1, atSun.aMT, atSun.dMT, lon, lat, hM, AM);
    lowaltazm(t1, atSun.aST, atSun.dST, lon, lat, hS, AS);
    if (hM - hS > 3 && lag < 0)
        return MapUnknown;
    if (age <= 0 || lag <= 0)
        return MapImpossible;

    switch (criterion) {
    case CriterionYallop: {
        const Bodies at = lowBodies(lon, lat, U);
        lowaltazm(U, at.aM, at.dM, lon, lat, hM, AM);
        lowaltazm(U, at.aS, at.dS, lon, lat, hS, AS);
        const double ARCV = hM - hS;
        const double W = crescentWidth(at, at.aS, at.dS, at.aM, at.dM);
        const double q = (ARCV - (11.8371 - 6.3226 * W + 0.7319 * W * W - 0.1018 * W * W * W)) / 10;
        return yallopMapCode(q);
    }
    case CriterionSaao: {
        // At the Sun's event: U is t1 here.
        const Bodies& at = atSun;
        const double DAZ = std::abs(AM - AS);
        double h = hM - at.sT;
        // Refraction of the lower limb (arc minutes, Saemundsson's form).
        const double r = 1.02 / std::tan((h + 10.3 / (h + 5.11)) * kPi15 / 180);
        h += r / 60;
        return saaoMapCode(h, DAZ);
    }
    default: {
        const Bodies at = lowBodies(lon, lat, U);
        lowaltazm(U, at.aMT, at.dMT, lon, lat, hM, AM);
        lowaltazm(U, at.aST, at.dST, lon, lat, hS, AS);
        const double ARCV = hM - hS;
        const double W = crescentWidth(at, at.aST, at.dST, at.aMT, at.dMT);
        return zivadMapCode(zivadValue(ARCV, W));
    }
    }
}

void VisibilityMapComputation::drawBlock(int column, int row, double D, bool newCrescent,
                                         const std::function<int()>& criterion, const MapPlot& plot)
{
    const int lon0 = -180 + 10 * column;
    const int lat0 = 60 - 10 * row;
    const int midLon = newCrescent ? lon0 : lon0 + 8;
    const int probes[5][2] = {
        {lon0, lat0}, {lon0 + 8, lat0}, {lon0, lat0 - 8}, {lon0 + 8, lat0 - 8}, {midLon, lat0 - 4}};
    int codes[5];
    bool same = true;
    for (int p = 0; p < 5; ++p) {
        codes[p] = EvaluateMapPoint(probes[p][0], probes[p][1], D, newCrescent, criterion());
        plot(probes[p][0], probes[p][1], codes[p]);
        same = same && codes[p] == codes[0];
    }
    for (int lon = lon0; lon <= lon0 + 8; lon += 2) {
        for (int lat = lat0 - 8; lat <= lat0; lat += 2) {
            if (same) {
                plot(lon, lat, codes[0]);
                continue;
            }
            bool probe = false;
            for (const auto& p : probes)
                probe = probe || (p[0] == lon && p[1] == lat);
            if (!probe)
                plot(lon, lat, EvaluateMapPoint(lon, lat, D, newCrescent, criterion()));
        }
    }
}

int VisibilityMapComputation::drawAll(double D, bool newCrescent,
                                      const std::function<int()>& criterion, const MapPlot& plot,
                                      const std::function<bool(int)>& shouldStop)
{
    int done = 0;
    for (int column = 0; column < kMapBlockColumns; ++column) {
        for (int row = 0; row < kMapBlockRows; ++row) {
            drawBlock(column, row, D, newCrescent, criterion, plot);
            ++done;
            if (shouldStop && shouldStop(done))
                return done;
        }
    }
    return done;
}

} // namespace lunar

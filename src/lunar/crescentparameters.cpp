#include "crescentparameters.h"

#include <algorithm>
#include <cmath>

#include "engine/hijricalendar.h"
#include "engine/modaltazm.h"
#include "engine/modcormm.h"
#include "engine/modcorsh.h"
#include "engine/modgeneral.h"

namespace lunar {

namespace {

// The window's own copy of pi; the degrees-to-radians factor comes from it.
constexpr double kWindowPi = kPi15;
constexpr double kRad = kWindowPi / 180;

// Magnitude of the Moon against its phase angle (degrees).
constexpr double kMagFull = -12.73;
constexpr double kMagLinear = 0.026;
constexpr double kMagQuartic = 4e-9;

} // namespace

double elongation(double alpha1, double delta1, double alpha2, double delta2)
{
    const double cosE =
        std::sin(delta1 * kRad) * std::sin(delta2 * kRad) +
        std::cos(delta1 * kRad) * std::cos(delta2 * kRad) * std::cos((alpha1 - alpha2) * kRad);
    // The engine's arccosine gives the ends of its range at +-1 (the Moon
    // exactly at, or opposite, the Sun) instead of dividing by zero; rounding
    // can carry the cosine a hair past them.
    return modgeneral::acos(std::clamp(cosE, -1.0, 1.0));
}

double phaseAngle(double Delta, double Rk, double E)
{
    return modgeneral::atn2(Delta - Rk * std::cos(E), Rk * std::sin(E));
}

void CrescentParameters(double U, double alphaM, double deltaM, double alphaS, double deltaS,
                        double s, double R, double Delta, double& hM, double& AM, double& hS,
                        double& AS, double& E, double& i, double& k, double& w, double& m)
{
    altazm(U, alphaM, deltaM, hM, AM);
    altazm(U, alphaS, deltaS, hS, AS);
    const double Erad = elongation(alphaS, deltaS, alphaM, deltaM);
    const double Rk = kKmPerAu * R;
    const double irad = phaseAngle(Delta, Rk, Erad);
    k = (1 + std::cos(irad)) / 2;
    E = Erad / kRad;
    i = irad / kRad;
    w = 2 * k * s;
    m = moonMagnitude(i);
}

double moonMagnitude(double i)
{
    return kMagFull + kMagLinear * std::abs(i) + kMagQuartic * std::pow(i, 4);
}

double zivadValue(double ARCV, double W)
{
    return ARCV - (-0.1018 * W * W * W + 0.7319 * W * W - 6.3226 * W + 7.1651);
}

ZivadClass zivadClass(double V)
{
    if (V >= 5.65)
        return ZivadClass::NakedEye;
    if (V >= 2)
        return ZivadClass::OpticalAidCouldNakedEye;
    if (V >= -0.97)
        return ZivadClass::OpticalAidOnly;
    return ZivadClass::NotVisible;
}

const char* zivadClassText(ZivadClass c)
{
    switch (c) {
    case ZivadClass::NakedEye:
        return "Easily Visible By Naked Eye.";
    case ZivadClass::OpticalAidCouldNakedEye:
        return "Visible With Optical Aid, Could Be Seen By Naked Eye.";
    case ZivadClass::OpticalAidOnly:
        return "Visible With Optical Aid Only.";
    case ZivadClass::NotVisible:
        break;
    }
    return "Not Visible Even With Optical Aid.";
}

void ApplyVisibilityCriterion(double UB, double& ARCV, double& W, double& V, std::string& classText)
{
    double aS, dS, aST, dST, lS, bS, lST, bST, R, eqt;
    corsh(kWindowPi, UB, aS, dS, aST, dST, lS, bS, lST, bST, R, eqt);
    double aM, dM, aMT, dMT, lM, bM, lMT, bMT, par, s, sT, Delta;
    cormm(kWindowPi, UB, aM, dM, aMT, dMT, lM, bM, lMT, bMT, par, s, sT, Delta);

    double hM, AM, hS, AS;
    altazm(UB, aMT, dMT, hM, AM);
    altazm(UB, aST, dST, hS, AS);
    ARCV = hM - hS;

    const double E = elongation(aST, dST, aMT, dMT);
    const double i = phaseAngle(Delta, kKmPerAu * R, E);
    const double k = (1 + std::cos(i)) / 2;
    W = 60 * 2 * k * sT;
    V = zivadValue(ARCV, W);
    classText = zivadClassText(zivadClass(V));
}

void HijriMonthTitle(double onedayjd, bool newCrescent, std::string& title)
{
    const double X = newCrescent ? onedayjd + 7 : onedayjd - 7;
    long long N = 0, year = 0;
    int month = 0, day = 0;
    if (!wholeDayNumber(X, N)) {
        title = "----";
        return;
    }
    hijriFromDayNumber(N, year, month, day);
    title = std::string(hijriMonthName(month, false)) + " " + std::to_string(year) + " AH";
}

} // namespace lunar

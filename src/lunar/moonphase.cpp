#include "moonphase.h"

#include <cmath>

#include "engine/modgeneral.h"

namespace {

// One periodic term: the multiples of M, M', F and Omega in its argument,
// the power of E and the coefficient (days).
struct PeriodicTerm {
    int m, mp, f, om, ePower;
    double coefficient;
};

// New Moon (ch. 47, first group); the Full Moon differs in its first seven
// coefficients only.
constexpr PeriodicTerm kNewMoon[25] = {
    {0, 1, 0, 0, 0, -0.40720},  {1, 0, 0, 0, 1, +0.17241},   {0, 2, 0, 0, 0, +0.01608},
    {0, 0, 2, 0, 0, +0.01039},  {-1, 1, 0, 0, 1, +0.00739},  {1, 1, 0, 0, 1, -0.00514},
    {2, 0, 0, 0, 2, +0.00208},  {0, 1, -2, 0, 0, -0.00111},  {0, 1, 2, 0, 0, -0.00057},
    {1, 2, 0, 0, 1, +0.00056},  {0, 3, 0, 0, 0, -0.00042},   {1, 0, 2, 0, 1, +0.00042},
    {1, 0, -2, 0, 1, +0.00038}, {-1, 2, 0, 0, 1, -0.00024},  {0, 0, 0, 1, 0, -0.00017},
    {2, 1, 0, 0, 0, -0.00007},  {0, 2, -2, 0, 0, +0.00004},  {3, 0, 0, 0, 0, +0.00004},
    {1, 1, -2, 0, 0, +0.00003}, {0, 2, 2, 0, 0, +0.00003},   {1, 1, 2, 0, 0, -0.00003},
    {-1, 1, 2, 0, 0, +0.00003}, {-1, 1, -2, 0, 0, -0.00002}, {1, 3, 0, 0, 0, -0.00002},
    {0, 4, 0, 0, 0, +0.00002},
};

constexpr double kFullMoonFirstSeven[7] = {-0.40614, +0.17302, +0.01614, +0.01043,
                                           +0.00734, -0.00515, +0.00209};

constexpr PeriodicTerm kQuarter[25] = {
    {0, 1, 0, 0, 0, -0.62801},  {1, 0, 0, 0, 1, +0.17172},   {1, 1, 0, 0, 1, -0.01183},
    {0, 2, 0, 0, 0, +0.00862},  {0, 0, 2, 0, 0, +0.00804},   {-1, 1, 0, 0, 1, +0.00454},
    {2, 0, 0, 0, 2, +0.00204},  {0, 1, -2, 0, 0, -0.00180},  {0, 1, 2, 0, 0, -0.00070},
    {0, 3, 0, 0, 0, -0.00040},  {-1, 2, 0, 0, 1, -0.00034},  {1, 0, 2, 0, 1, +0.00032},
    {1, 0, -2, 0, 1, +0.00032}, {2, 1, 0, 0, 2, -0.00028},   {1, 2, 0, 0, 1, +0.00027},
    {0, 0, 0, 1, 0, -0.00017},  {-1, 1, -2, 0, 0, -0.00005}, {0, 2, 2, 0, 0, +0.00004},
    {1, 1, 2, 0, 0, -0.00004},  {-2, 1, 0, 0, 0, +0.00004},  {1, 1, -2, 0, 0, +0.00003},
    {3, 0, 0, 0, 0, +0.00003},  {0, 2, -2, 0, 0, +0.00002},  {-1, 1, 2, 0, 0, +0.00002},
    {1, 3, 0, 0, 0, -0.00002},
};

double termValue(const PeriodicTerm& t, double coefficient, double E, double M, double Mp, double F,
                 double Om)
{
    const double argument = t.m * M + t.mp * Mp + t.f * F + t.om * Om;
    double e = 1;
    for (int p = 0; p < t.ePower; ++p)
        e *= E;
    return coefficient * e * std::sin(argument);
}

// Planetary arguments A2..A14: constant and rate in k (degrees); A1 has a T^2
// term of its own.
struct PlanetaryTerm {
    double a0, rate, coefficient;
};
constexpr PlanetaryTerm kPlanetary[13] = {
    {251.88, 0.016321, 0.000165}, {251.83, 26.651886, 0.000164}, {349.42, 36.412478, 0.000126},
    {84.66, 18.206239, 0.000110}, {141.74, 53.303771, 0.000062}, {207.14, 2.453732, 0.000060},
    {154.84, 7.306860, 0.000056}, {34.52, 27.261239, 0.000047},  {207.19, 0.121824, 0.000042},
    {291.34, 1.844379, 0.000040}, {161.72, 24.198154, 0.000037}, {239.56, 25.513099, 0.000035},
    {331.55, 3.592518, 0.000023},
};

double reducedRadians(double degrees, double rad)
{
    return modgeneral::range(degrees) * rad;
}

} // namespace

double firstLunation(double year)
{
    return std::floor((year - 2000) * 12.3685) - 1;
}

void PhaseArguments(double k, double T, double rad, double& E, double& M, double& Mp, double& F,
                    double& Om)
{
    const double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
    E = 1 - 0.002516 * T - 0.0000074 * T2;
    M = reducedRadians(2.5534 + 29.10535669 * k - 0.0000218 * T2 - 0.00000011 * T3, rad);
    Mp = reducedRadians(
        201.5643 + 385.81693528 * k + 0.0107438 * T2 + 0.00001239 * T3 - 0.000000058 * T4, rad);
    F = reducedRadians(
        160.7108 + 390.67050274 * k - 0.0016341 * T2 - 0.00000227 * T3 + 0.000000011 * T4, rad);
    Om = reducedRadians(124.7746 - 1.5637558 * k + 0.0020691 * T2 + 0.00000215 * T3, rad);
}

void PhasePlanetaryCorrection(double k, double T, double rad, double& correction)
{
    correction = 0.000325 * std::sin((299.77 + 0.107408 * k - 0.009173 * T * T) * rad);
    for (const PlanetaryTerm& t : kPlanetary)
        correction += t.coefficient * std::sin((t.a0 + t.rate * k) * rad);
}

void NewMoonTerms(double E, double M, double Mp, double F, double Om, double& correction)
{
    correction = 0;
    for (const PeriodicTerm& t : kNewMoon)
        correction += termValue(t, t.coefficient, E, M, Mp, F, Om);
}

void FullMoonTerms(double E, double M, double Mp, double F, double Om, double& correction)
{
    correction = 0;
    for (int i = 0; i < 25; ++i) {
        const PeriodicTerm& t = kNewMoon[i];
        correction += termValue(t, i < 7 ? kFullMoonFirstSeven[i] : t.coefficient, E, M, Mp, F, Om);
    }
}

double quarterCorrection(double E, double M, double Mp, double F)
{
    return 0.00306 - 0.00038 * E * std::cos(M) + 0.00026 * std::cos(Mp) -
           0.00002 * std::cos(Mp - M) + 0.00002 * std::cos(Mp + M) + 0.00002 * std::cos(2 * F);
}

namespace {
double quarterSum(double E, double M, double Mp, double F, double Om)
{
    double s = 0;
    for (const PeriodicTerm& t : kQuarter)
        s += termValue(t, t.coefficient, E, M, Mp, F, Om);
    return s;
}
} // namespace

void FirstQuarterTerms(double E, double M, double Mp, double F, double Om, double& correction)
{
    correction = quarterSum(E, M, Mp, F, Om) + quarterCorrection(E, M, Mp, F);
}

void LastQuarterTerms(double E, double M, double Mp, double F, double Om, double& correction)
{
    correction = quarterSum(E, M, Mp, F, Om) - quarterCorrection(E, M, Mp, F);
}

double meanPhase(double k, double T)
{
    const double T2 = T * T;
    return 2451550.09765 + 29.530588853 * k + 0.0001337 * T2 - 0.000000150 * T2 * T +
           0.00000000073 * T2 * T2;
}

double phaseEstimate(double k, MoonPhase phase, double rad)
{
    const double T = k / 1236.85;
    double E, M, Mp, F, Om, planetary, periodic = 0;
    PhaseArguments(k, T, rad, E, M, Mp, F, Om);
    PhasePlanetaryCorrection(k, T, rad, planetary);
    switch (phase) {
    case MoonPhase::New:
        NewMoonTerms(E, M, Mp, F, Om, periodic);
        break;
    case MoonPhase::FirstQuarter:
        FirstQuarterTerms(E, M, Mp, F, Om, periodic);
        break;
    case MoonPhase::Full:
        FullMoonTerms(E, M, Mp, F, Om, periodic);
        break;
    case MoonPhase::LastQuarter:
        LastQuarterTerms(E, M, Mp, F, Om, periodic);
        break;
    }
    return (meanPhase(k, T) + planetary) + periodic;
}

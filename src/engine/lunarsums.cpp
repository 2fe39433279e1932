#include "lunarsums.h"

#include "modgeneral.h"
#include "multipleangles.h"

namespace {

constexpr int kFirstLongitudeRow = 64; // Table 47.A: longitude and distance
constexpr int kFirstLatitudeRow = 124; // Table 47.B: latitude
constexpr int kRowsPerTable = 60;
constexpr int kAngles = 4; // D, M, M', F
constexpr int kColumns = 11;
// Both tables, one after the other.
static_assert(kFirstLatitudeRow == kFirstLongitudeRow + kRowsPerTable);
using TermRows = DecodedMultiples<2 * kRowsPerTable, kAngles, kColumns>;

// The eccentricity factor E applies once for a multiple of M of +-1, twice for
// +-2.
double eccentricityFactor(double multipleOfM, double E)
{
    const double m = std::fabs(multipleOfM);
    if (m == 1)
        return E;
    if (m == 2)
        return E * E;
    return 1;
}

} // namespace

void lunarSums(double T, double r, double& Lp, double& sumL, double& sumB, double& sumR)
{
    const double T2 = T * T, T3 = T2 * T, T4 = T3 * T;

    // Mean elements, degrees, then radians.
    Lp = reduceTruncating(218.3164591 + 481267.88134236 * T - 0.0013268 * T2 + T3 / 538841 -
                          T4 / 65194000) *
         r;
    const double D = reduceTruncating(297.8502042 + 445267.1115168 * T - 0.00163 * T2 +
                                      T3 / 545868 - T4 / 113065000) *
                     r;
    const double M =
        reduceTruncating(357.5291092 + 35999.0502909 * T - 0.0001536 * T2 + T3 / 24490000) * r;
    const double Mp = reduceTruncating(134.9634114 + 477198.8676313 * T + 0.008997 * T2 +
                                       T3 / 69699 - T4 / 14712000) *
                      r;
    const double F = reduceTruncating(93.2720993 + 483202.0175273 * T - 0.0034029 * T2 -
                                      T3 / 3526000 + T4 / 863310000) *
                     r;
    const double A1 = reduceTruncating(119.75 + 131.849 * T) * r;
    const double A2 = reduceTruncating(53.09 + 479264.29 * T) * r;
    const double A3 = reduceTruncating(313.45 + 481266.484 * T) * r;
    const double E = 1 - 0.002516 * T - 0.0000074 * T2;

    // The arguments are small whole multiples of D, M, M' and F: their sines
    // and cosines come from those of the four angles.
    static TermRows series;
    series.update(&mterm[kFirstLongitudeRow]);
    const MultipleAngles angles[kAngles] = {MultipleAngles(D), MultipleAngles(M),
                                            MultipleAngles(Mp), MultipleAngles(F)};
    double cosA[2 * kRowsPerTable], sinA[2 * kRowsPerTable];
    series.rotations(angles, cosA, sinA);
    for (int k = 0; k < 2 * kRowsPerTable; ++k) {
        if (series.whole(k))
            continue;
        const double* c = mterm[kFirstLongitudeRow + k];
        const double arg = c[2] * D + c[3] * M + c[4] * Mp + c[5] * F;
        sinA[k] = std::sin(arg);
        cosA[k] = std::cos(arg);
    }

    sumL = 0;
    sumR = 0;
    sumB = 0;
    for (int i = kFirstLongitudeRow; i < kFirstLongitudeRow + kRowsPerTable; ++i) {
        const double* c = mterm[i];
        const int k = i - kFirstLongitudeRow;
        const double e = eccentricityFactor(c[3], E);
        sumL += c[6] * sinA[k] * e;
        sumR += c[7] * cosA[k] * e;
    }
    for (int i = kFirstLatitudeRow; i < kFirstLatitudeRow + kRowsPerTable; ++i) {
        const double* c = mterm[i];
        sumB += c[6] * sinA[i - kFirstLongitudeRow] * eccentricityFactor(c[3], E);
    }
    // Venus, Jupiter and the flattening of the Earth.
    sumL += 3958 * std::sin(A1) + 1962 * std::sin(Lp - F) + 318 * std::sin(A2);
    sumB += -2235 * std::sin(Lp) + 382 * std::sin(A3) + 175 * std::sin(A1 - F) +
            175 * std::sin(A1 + F) + 127 * std::sin(Lp - Mp) - 115 * std::sin(Lp + Mp);
}

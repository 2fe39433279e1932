#include "modjuc.h"

#include <cmath>

void juc(double X, double& year, double& month, double& day)
{
    const double Z = std::floor(X);
    const double F = X - std::floor(X);
    double A = Z;
    if (Z >= 2299161) {
        const double alpha = std::floor((Z - 1867216.25) / 36524.25);
        A = Z + 1 + alpha - std::floor(alpha / 4);
    }
    const double B = A + 1524;
    const double C = std::floor((B - 122.1) / 365.25);
    const double D = std::floor(365.25 * C);
    const double E = std::floor((B - D) / 30.6001);
    day = B - D - std::floor(30.6001 * E) + F;
    month = E < 14 ? E - 1 : E - 13;
    year = month > 2 ? C - 4716 : C - 4715;
}

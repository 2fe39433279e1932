#include "modjul.h"

#include <cmath>

void jul(double year, double month, double day, double hours, double& JD)
{
    double Y = year;
    double M = month;
    const double D = day + hours / 24;
    if (M == 1 || M == 2) {
        Y = Y - 1;
        M = M + 12;
    }
    const bool gregorian = Y > 1582 || (Y == 1582 && M > 10) || (Y == 1582 && M == 10 && D >= 15);
    double B = 0;
    if (gregorian) {
        const double A = std::floor(Y / 100);
        B = 2 - A + std::floor(A / 4);
    }
    JD = std::floor(365.25 * (Y + 4716)) + std::floor(30.6001 * (M + 1)) + D + B - 1524.5;
}

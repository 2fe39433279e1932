#include "modquad.h"

#include <cmath>

void quad(double y1, double y2, double y3, double& xe, double& ye, double& z1, double& z2,
          double& nz)
{
    nz = 0;
    const double a = 0.5 * (y1 + y3) - y2;
    const double b = 0.5 * (y3 - y1);
    const double c = y2;

    if (a == 0) {
        // The samples lie on a straight line: no extremum to divide by. The
        // line's one root is the crossing the event finder is looking for.
        xe = 0;
        ye = c;
        if (b != 0) {
            const double root = -c / b;
            if (std::fabs(root) <= 1) {
                z1 = root;
                z2 = root;
                nz = 1;
            }
        }
        return;
    }

    xe = -b / (2 * a);
    ye = (a * xe + b) * xe + c;
    const double D = b * b - 4 * a * c;
    if (D > 0) {
        const double dx = 0.5 * std::sqrt(D) / std::fabs(a);
        z1 = xe - dx;
        z2 = xe + dx;
        if (std::fabs(z1) <= 1)
            nz = nz + 1;
        if (std::fabs(z2) <= 1)
            nz = nz + 1;
        if (z1 < -1)
            z1 = z2;
    }
}

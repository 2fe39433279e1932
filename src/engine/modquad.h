#pragma once

// Parabola through three equally spaced samples (Meeus, Astronomical
// Algorithms, ch. 3, "interpolation" with n = 0 at the middle sample).
// y1, y2, y3: the samples at x = -1, 0, +1 (in). xe, ye: abscissa and value of
// the extremum (out; for three samples on a straight line xe = 0, ye = y2).
// z1, z2: the roots, z1 <= z2, written only when there are two real roots
// (callers set them first); when exactly one root lies in -1 .. +1, z1 holds
// it. nz: the number of roots in -1 .. +1 (out: 0, 1 or 2). A double root
// (tangent parabola) counts as no root. Three samples on a straight line have
// the single root -c/b, counted when it lies in -1 .. +1 (z1 = z2 = that root).
void quad(double y1, double y2, double y3, double& xe, double& ye, double& z1, double& z2,
          double& nz);

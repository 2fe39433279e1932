#pragma once

// Refracted altitude by a one-line formula of Bennett's form (Meeus,
// Astronomical Algorithms, eq. 16.3), without pressure or temperature terms.
// h: in, true (geometric) altitude, degrees; hrefr: out, h plus the refraction,
// degrees. Stores `pi`. Meant for altitudes near and above the horizon: the
// formula has a pole at h = -4.4 degrees. At the zenith its refraction is
// slightly negative (-0.08").
void refraction(double h, double& hrefr);

#pragma once

#include <cstdint>

// Hour angles at which a body of declination delta, seen from latitude phi,
// stands at azimuth A.
// phi: latitude, degrees north-positive; delta: declination, degrees;
// A: azimuth, degrees from the north through the east. Each angle is taken one
// step of +-360 towards -180..180 first (an azimuth in the west acts as A - 360).
// H1, H2: out, the two solutions, degrees in -180..180, negative east of the
// meridian; f1, f2: out, 0 when the matching solution is valid, -1 when not.
// Method: the azimuth condition cos d (a cos H - cos A sin H) = c written as
// R sin(H + theta) = c; a solution with the sign of A belongs to the opposite
// azimuth A +- 180 and is flagged. When no solution exists (|c| > R, or R = 0 for
// a body in the zenith) both flags are -1 and H1, H2 keep their values.
void hourangle(double phi, double delta, double A, double& H1, std::int16_t& f1, double& H2,
               std::int16_t& f2);

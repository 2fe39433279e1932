#pragma once

#include <string>

// Topocentric ecliptic coordinates, parallax and semidiameters for the
// current location of loc.zvd, read on every call (Meeus, Astronomical
// Algorithms, ch. 40, the formulas in ecliptic coordinates).
// piValue: in, the degree-radian constant (callers pass the process-wide pi).
// JD: in, the instant as the position procedure received it (UT, or TT when
// tdtmode = 1); only handed to lasttdt.
// eps: true obliquity, dpsi: nutation in longitude, lambda, beta: geocentric
// apparent ecliptic longitude and latitude; all degrees.
// delta: distance to the body, AU for the Sun ("S"), km otherwise.
// Outputs, degrees: lambdaT topocentric longitude (0 <= lambdaT < 360), betaT
// topocentric latitude, s geocentric and sT topocentric semidiameter,
// parallax the equatorial horizontal parallax.
// body: exactly "S" selects the Sun's parallax and semidiameter (8.794" and
// 959.63" at 1 AU); any other text the Moon's (k = 0.2725076).
// A missing or short loc.zvd stops the program with the file's message.
void ecltopo(double piValue, double JD, double eps, double dpsi, double lambda, double beta,
             double delta, double& lambdaT, double& betaT, double& s, double& sT, double& parallax,
             const std::string& body);

// The same correction at a place given by the caller (longitude east positive
// and latitude in degrees, height in metres); reads no file. ecltopo and
// corsvltopo both finish their work here.
void ecltopoAtPlace(double piValue, double JD, double eps, double dpsi, double lambda, double beta,
                    double delta, double lon, double lat, double height, bool sun, double& lambdaT,
                    double& betaT, double& s, double& sT, double& parallax);

#pragma once

// The Sun at the lowest precision, at a place given by the caller: Meeus'
// low-precision solar theory (Astronomical Algorithms, ch. 25) with four-term
// nutation (ch. 22), and its topocentric correction at sea level. Reads no file.

// lonObs: observer's longitude, degrees, east positive; lat: latitude, degrees.
// JD: in, UT; Delta T is always added, whatever tdtmode says (the topocentric
// values still follow tdtmode through lasttdt).
// Outputs, degrees and AU: alpha, delta apparent geocentric right ascension
// (0..360) and declination; alphaT, deltaT topocentric; lambda apparent
// geocentric longitude (0..360); beta always 0; lambdaT, betaT topocentric;
// R distance in AU. spare is not read.
// Reads the process-wide pi and never stores it; while pi has never been
// stored (0) it works with 3.14159265358979.
void corsvl(double lonObs, double lat, double JD, double& alpha, double& delta, double& alphaT,
            double& deltaT, double& lambda, double& beta, double& lambdaT, double& betaT, double& R,
            double& spare);

// The topocentric correction of ecltopo for the Sun at the given place and at
// sea level (height 0); nothing is read from loc.zvd. lonObs east positive and
// lat in degrees; piValue, JD, eps, dpsi, lambda, beta as for ecltopo; R in AU.
// Outputs lambdaT, betaT, s, sT, parallax as for ecltopo. spare is not read.
void corsvltopo(double lonObs, double lat, double piValue, double JD, double eps, double dpsi,
                double lambda, double beta, double R, double& lambdaT, double& betaT, double& s,
                double& sT, double& parallax, double& spare);

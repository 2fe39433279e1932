#pragma once

// The observer's geocentric position terms rho sin phi' and rho cos phi'
// (Meeus, Astronomical Algorithms, ch. 11; flattening 1/298.257, a = 6378140 m).
// phi: in, geodetic latitude, degrees; H: in, height above sea level, metres.
// rhoSinPhi, rhoCosPhi: out, in Earth equatorial radii.
// Stores 3.14159265358979 into pi.
void earthglobe(double phi, double H, double& rhoSinPhi, double& rhoCosPhi);

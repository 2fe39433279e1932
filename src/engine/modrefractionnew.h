#pragma once

#include <span>

// Astronomical refraction by numerical integration through a model atmosphere,
// after Hohenkerk and Sinclair (the scheme of sla_REFRO), optical case only
// (effective wavelength 0.504 micrometre).
//
// z: in/out, the observed zenith distance in degrees; on return the caller's
// variable holds it in radians (z * pi / 180). R: out, the refraction in
// degrees (zenith distance in vacuo minus the observed one).
// The observer's latitude, height and weather come from loc.zvd at every call.
// Reads `pi` without storing it. The zenith distance and the weather are used
// without range limits, except that an air pressure of 0 or less means no
// atmosphere (R = 0) and a lapse rate of 0, or a lapse-rate text without a
// number, is taken as kSmallestLapseRate.
void refractionnew(double& z, double& R);

// The smallest lapse rate that sla_REFRO accepts, K/m. A lapse rate of 0 would
// make the troposphere's exponent gamma = g M / (R alpha) infinite.
inline constexpr double kSmallestLapseRate = 0.001;

// Troposphere: temperature falling linearly from T0 at r0 at the lapse rate
// alpha (K/m), held to 100..320 K, with water vapour. r0, r: distances from the
// Earth's centre, metres; gamm2, delm2: the model's exponents gamma - 2 and
// delta - 2; c1..c6 its coefficients. Out: T (K), refractive index n, and
// rdndr = r dn/dr, all at r.
void tropomodel(double r0, double T0, double alpha, double gamm2, double delm2, double c1,
                double c2, double c3, double c4, double c5, double c6, double r, double& T,
                double& n, double& rdndr);

// Stratosphere: isothermal at T_t above the tropopause at r_t, where the
// index is n_t; gamal = g M_d / R. Out: n and rdndr = r dn/dr at r (metres).
void stratomodel(double rt, double Tt, double nt, double gamal, double r, double& n, double& rdndr);

// The integrand of the refraction integral over the zenith distance:
// f = rdndr / (n + rdndr).
void refintegrand(double n, double rdndr, double& f);

// The largest and the smallest element, scanned from the first; of equal
// elements the first wins. An empty array gives 0.
double arraymax(std::span<const double> array);
double arraymin(std::span<const double> array);

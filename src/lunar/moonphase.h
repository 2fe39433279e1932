// Approximate instants of the Moon's phases (Meeus, Astronomical Algorithms,
// 1st ed. 1991, ch. 47 "Phases of the Moon"; ch. 49 in the 2nd edition), with
// the first edition's constants throughout. The estimates only seed the
// refinement on the true longitudes (phaseinstant.h), so their error changes
// the number of refinement steps, never a printed instant.
// None of these reads a file or a process-wide value.
#pragma once

// The first lunation the moon-phases table of year Y computes: Int((Y - 2000)
// * 12.3685) - 1, Int the floor. Lunation 0 is the New Moon of 2000 Jan 6.
double firstLunation(double year);

// Fundamental arguments of the phase k' (k + 0, .25, .5 or .75) at T = k' /
// 1236.85. rad: pi / 180 for the caller's pi. E: eccentricity factor (not an
// angle); M, Mp, F, Om: the Sun's and the Moon's mean anomalies, the Moon's
// argument of latitude and the node's longitude, radians, each first reduced
// into [0, 360) degrees.
void PhaseArguments(double k, double T, double rad, double& E, double& M, double& Mp, double& F,
                    double& Om);

// The fourteen planetary terms A1..A14 (days), the same for every phase. The
// arguments are not reduced before the sine.
void PhasePlanetaryCorrection(double k, double T, double rad, double& correction);

// Periodic corrections (days) of each phase from the five arguments; the
// quarters include W (added for the First, subtracted for the Last Quarter).
void NewMoonTerms(double E, double M, double Mp, double F, double Om, double& correction);
void FirstQuarterTerms(double E, double M, double Mp, double F, double Om, double& correction);
void FullMoonTerms(double E, double M, double Mp, double F, double Om, double& correction);
void LastQuarterTerms(double E, double M, double Mp, double F, double Om, double& correction);

// The quarter correction W (days) of the two quarters.
double quarterCorrection(double E, double M, double Mp, double F);

// The mean phase JDE0 (TT) of k' at T = k' / 1236.85.
double meanPhase(double k, double T);

enum class MoonPhase { New, FirstQuarter, Full, LastQuarter };

// The estimate JDE (TT) of `phase` at k' (the lunation plus 0, .25, .5 or
// .75 for that phase): (JDE0 + planetary) + periodic, in the method's order.
double phaseEstimate(double k, MoonPhase phase, double rad);

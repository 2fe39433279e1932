// The split shared by degree, degree2 and degree3: |value| as whole degrees
// (or hours), minutes and, unless mode is 1, seconds, each rounded part an
// exact half to even, with 60 carried upward. Each part is written with at
// least two digits ("05", "123").
#pragma once

#include <cmath>
#include <string>

#include "numberpattern.h"
#include "numbertext.h"
#include "rounding.h"

struct SexagesimalParts {
    bool minutesOnly = false; // mode 1: no seconds part
    std::string sign;         // "-" for a negative value, "+" otherwise (zero too)
    std::string d, m, s;      // the parts as "##00" texts
};

// Every digit of a huge part too: a fixed room would cut it to another number.
inline std::string twoDigitsAtLeast(double whole)
{
    return patternNumber(whole, 2, 0);
}

inline SexagesimalParts sexagesimalParts(const NumberOrText& mode, double value)
{
    SexagesimalParts p;
    const double a = std::fabs(value);
    double D = std::floor(a);
    double M = 0, S = 0;
    p.minutesOnly = mode.equalsNumber(1);
    if (p.minutesOnly) {
        M = roundHalfEven(60 * (a - D));
        if (M == 60) {
            M = 0;
            D += 1;
        }
    } else {
        const double m = 60 * (a - D);
        M = std::floor(m);
        S = roundHalfEven(60 * (m - M));
        if (S == 60) {
            S = 0;
            M += 1;
        }
        if (M == 60) {
            M = 0;
            D += 1;
        }
    }
    // Taken from the value, not the degrees: -0.2 has 0 degrees and sign "-".
    p.sign.assign(1, value < 0 ? '-' : '+');
    p.d = twoDigitsAtLeast(D);
    p.m = twoDigitsAtLeast(M);
    p.s = twoDigitsAtLeast(S);
    return p;
}

// The letter style, with or without sign: D "H " M "M " [S "S "].
inline std::string letterStyle(const SexagesimalParts& p, const std::string& sign)
{
    // Appended one part at a time: GCC 12 warns falsely (-Wrestrict) on chains of +.
    std::string text = sign;
    text += p.d;
    text += "H ";
    text += p.m;
    text += "M ";
    if (!p.minutesOnly) {
        text += p.s;
        text += "S ";
    }
    return text;
}

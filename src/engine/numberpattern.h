// The number patterns of the reports and windows, written once for both
// programs: a "#...0...0.0..." pattern and the plain decimal of a number item.
// Both write a value whole, every digit of the double however large, so that
// a huge stored value is never shown as another number.
#pragma once

#include <string>

// At least `minDigits` integer digits, exactly `decimals` decimals, half away
// from zero, "-" before a value that does not round to 0; "----" for a value
// that is not a number (or infinite).
std::string patternNumber(double v, int minDigits, int decimals);

// Plain decimal without surrounding blanks, the fewest digits that read back
// as v ("10", "-0.5"); "0" for 0 and -0. A value that is not a number (or
// infinite) is "----".
std::string plainNumber(double v);

#pragma once

#include <string>

#include "numbertext.h"

// Signed sexagesimal text of decimal degrees (or hours), with degree signs.
// mode: the number 1 (or the text "1") for degrees and minutes only, any other
//   value for degrees, minutes and seconds.
// style: exactly the text "d" for the sign style, +21°:25':07" (a colon after
//   the degree and the minute sign); any other value ("D" too) for the letter
//   style, +21H 25M 07S with a trailing space (H, M, S for degrees as well).
// value: decimal degrees or hours. text: out.
// Parts are rounded half to even and carried; each has at least two digits.
// A value that is not a number (or is infinite) gives the marker "----".
void degree(const NumberOrText& mode, const NumberOrText& style, double value, std::string& text);

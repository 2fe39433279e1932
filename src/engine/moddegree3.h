#pragma once

#include <string>

#include "numbertext.h"

// Unsigned sexagesimal text, for right ascensions in hours: 13:00:00, or
// 13:00 under mode 1; the letter style 03H 15M 00S (trailing space). No sign
// is written, whatever the value's sign: the parts are those of |value|.
// Arguments as for degree (moddegree.h).
void degree3(const NumberOrText& mode, const NumberOrText& style, double value, std::string& text);

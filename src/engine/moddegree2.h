#pragma once

#include <string>

#include "numbertext.h"

// Signed sexagesimal text of decimal degrees (or hours) with colons:
// -05:30:00, or -05:30 under mode 1. Arguments as for degree (moddegree.h):
// style exactly "d" for this colon style, any other value for the letter
// style -05H 30M 00S (trailing space).
void degree2(const NumberOrText& mode, const NumberOrText& style, double value, std::string& text);

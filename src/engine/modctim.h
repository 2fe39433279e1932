#pragma once

#include <string>

#include "numbertext.h"

// Clock text of decimal hours (the time text of every report and window).
// mode: the text "0" or the number 0 for "hh:mm:ss"; any other value for
//   "hh:mm", with the "24:00" rule when it equals the number 1 (a text is
//   compared by the number it holds, so the preferences' "1" counts).
// hours: decimal hours, as a rule 0 <= hours < 24; 24 and more wrap past
//   midnight (24.2 gives 00:12), which the high-latitude method relies on.
//   A value that is not a number, or lies a billion hours or more from
//   midnight, gives the marker "----".
// text: out, the clock text.
// Seconds (or minutes) are rounded to the nearest whole, an exact half to the
// even number, and carried. "24:00:00" from 23:59:59.5 on; under mode 1
// "24:00" from 23:59:29.5 on (not 30: a time up to 23:59:30 reads 24:00).
void ctim(const NumberOrText& mode, double hours, std::string& text);

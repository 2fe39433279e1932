// Number patterns of the windows: "0" a digit always shown, "#" a digit shown
// only when significant; the value is rounded to the decimals shown (an exact
// half away from zero) and a negative value gets a leading minus ("##00"
// writes 5 as 05, "###00.0" writes 12.34 as 12.3). The engine's pattern, so
// that a huge value shows whole and one that is not a number as "----".
#pragma once

#include <string>
#include <string_view>

namespace alerts {

std::string patternText(double value, std::string_view pattern);

} // namespace alerts

#include "placetext.h"

#include "engine/numberpattern.h"

namespace alerts {

std::string patternText(double value, std::string_view pattern)
{
    const size_t point = pattern.find('.');
    const std::string_view whole = pattern.substr(0, point);
    int minDigits = 0;
    for (char ch : whole)
        if (ch == '0')
            ++minDigits;
    const int decimals =
        point == std::string_view::npos ? 0 : static_cast<int>(pattern.size() - point - 1);
    return patternNumber(value, minDigits, decimals);
}

} // namespace alerts

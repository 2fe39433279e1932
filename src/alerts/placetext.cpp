#include "placetext.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

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

    // An exact half rounds away from zero, as the patterns of the windows do.
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(std::abs(value) * scale) / scale;
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.*f", decimals, rounded);
    std::string text = digits;
    // Zero-pad the whole part to the digits the pattern always shows.
    const size_t wholeLength = text.find('.') == std::string::npos ? text.size() : text.find('.');
    if (static_cast<int>(wholeLength) < minDigits)
        text.insert(0, static_cast<size_t>(minDigits) - wholeLength, '0');
    // A value that rounds to zero is written without a sign.
    bool allZero = true;
    for (char ch : text)
        if (ch != '0' && ch != '.')
            allZero = false;
    if (value < 0 && !allZero)
        text.insert(0, 1, '-');
    return text;
}

} // namespace alerts

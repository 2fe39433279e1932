// The converter's Convert: a Hijri date (tabular calendar) to its calendar
// date and weekday, or a calendar date (Julian up to 4 October 1582,
// Gregorian from 15 October 1582) to its Hijri date, with the checks that
// refuse a date the calendars do not hold. Plain C++: the window hands in its
// texts and shows what comes back.
#pragma once

#include <string>

namespace tools {

enum class ConvertDirection { HijriToGregorian, GregorianToHijri };

// Why an input was refused; None when the conversion went through.
enum class ConvertFault {
    None,
    YearNotPositive, // Hijri year not greater than 0
    Before622,       // calendar date before 16 July 622 (the Hijri epoch)
    Skipped1582,     // 5 to 14 October 1582, the days the Gregorian reform dropped
    YearTooLarge,    // beyond kLargestYear: the day count would lose whole days
    YearOverflow,    // a year beyond the range of numbers ("1e309"), which reads as 0
};

// The input that gets the focus after a refusal.
enum class ConvertFocus { Year, Day };

struct ConvertInput {
    ConvertDirection direction = ConvertDirection::HijriToGregorian;
    std::string yearText;  // as typed: the number at its start counts, 0 when none
    std::string monthText; // a month name of the direction's calendar, English or Arabic
    std::string dayText;   // "1" .. "30" (Hijri) or "1" .. "31"
    bool english = true;   // names of the result: English or Arabic
};

struct ConvertResult {
    ConvertFault fault = ConvertFault::None;
    std::string weekday, day, month, year; // the converted date when fault is None
};

// Years above this are refused in both directions: past it the day numbers
// leave the range in which a double counts whole days exactly.
inline constexpr double kLargestYear = 999999999;

// Converts one date. Throws std::invalid_argument for a month text that is
// not one of the direction's twelve names (the window offers only those).
ConvertResult convertDate(const ConvertInput& input);

// The refusal's message box: texts, title and where the focus goes.
struct ConvertMessage {
    std::string text, title;
    ConvertFocus focus = ConvertFocus::Year;
};
ConvertMessage convertMessage(ConvertFault fault, bool english);

// The twelve month names of one calendar in one language, UTF-8, calendar
// order (1-based month m at index m - 1).
const char* converterMonthName(ConvertDirection direction, int month, bool arabic);

// Month number 1..12 of a name of the direction's calendar (English names
// first, then Arabic); 0 when the text is none of them.
int converterMonthNumber(ConvertDirection direction, const std::string& name);

} // namespace tools

// The texts of the main window's date and clock lines. Window-free, so that
// they can be checked without a window.
#pragma once

#include <string>

namespace mainwindow {

struct CalendarDate {
    int day = 0;
    int month = 0; // 1..12
    int year = 0;
};

// Month names of the date line, by month number 1..12 (empty otherwise). The
// Arabic Gregorian names are the Levantine ones; May is "أيار" here.
std::string gregorianMonthName(int month, bool english);
std::string hijriMonthName(int month, bool english);

// "Machine's Date: Wednesday, 9 December 2026 ( 28 Jamada Aakherah 1448 )",
// or its Arabic form. weekday: the weekday's name in the same language.
std::string machineDateLine(bool english, const std::string& weekday, const CalendarDate& gregorian,
                            const CalendarDate& hijri);

// "Machine's Time: 17:45" or its Arabic form; the time on the 24-hour clock.
std::string machineTimeLine(bool english, int hour, int minute);

} // namespace mainwindow

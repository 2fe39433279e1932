#include "datelines.h"

#include <array>
#include <cstdio>

namespace mainwindow {

namespace {

struct MonthNames {
    const char* gregorianEnglish;
    const char* gregorianArabic;
    const char* hijriEnglish;
    const char* hijriArabic;
};

constexpr std::array<MonthNames, 12> kMonths{{
    {"January", "كانون ثاني", "Muharram", "محرم"},
    {"February", "شباط", "Safar", "صفر"},
    {"March", "آذار", "Rabeea' Awwal", "ربيع أول"},
    {"April", "نيسان", "Rabeea' Thani", "ربيع ثاني"},
    {"May", "أيار", "Jamada Aula", "جمادى الأولى"},
    {"June", "حزيران", "Jamada Aakherah", "جمادي الآخرة"},
    {"July", "تموز", "Rajab", "رجب"},
    {"August", "آب", "Sha'ban", "شعبان"},
    {"September", "أيلول", "Ramadan", "رمضان"},
    {"October", "تشرين أول", "Shawwal", "شوال"},
    {"November", "تشرين ثاني", "Thul Kea'deh", "ذو القعدة"},
    {"December", "كانون أول", "Thul Hejjah", "ذو الحجة"},
}};

const MonthNames* row(int month)
{
    return month >= 1 && month <= 12 ? &kMonths[month - 1] : nullptr;
}

std::string dateText(const CalendarDate& d, const std::string& monthName)
{
    return std::to_string(d.day) + " " + monthName + " " + std::to_string(d.year);
}

} // namespace

std::string gregorianMonthName(int month, bool english)
{
    const MonthNames* r = row(month);
    return r ? (english ? r->gregorianEnglish : r->gregorianArabic) : "";
}

std::string hijriMonthName(int month, bool english)
{
    const MonthNames* r = row(month);
    return r ? (english ? r->hijriEnglish : r->hijriArabic) : "";
}

std::string machineDateLine(bool english, const std::string& weekday, const CalendarDate& gregorian,
                            const CalendarDate& hijri)
{
    // The Arabic heading ends in a blank and another follows it: two blanks
    // before the weekday, and the Arabic comma after it.
    const std::string head = english ? "Machine's Date: " : "تاريخ الجهاز: " + std::string(" ");
    const std::string comma = english ? "," : "،";
    return head + weekday + comma + " " +
           dateText(gregorian, gregorianMonthName(gregorian.month, english)) + " ( " +
           dateText(hijri, hijriMonthName(hijri.month, english)) + " )";
}

std::string machineTimeLine(bool english, int hour, int minute)
{
    char clock[8];
    std::snprintf(clock, sizeof clock, "%02d:%02d", hour % 100, minute % 100);
    return (english ? "Machine's Time: " : "وقت الجهاز: ") + std::string(clock);
}

} // namespace mainwindow

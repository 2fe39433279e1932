#include "moddateconv.h"

#include <cmath>

#include "hijricalendar.h"
#include "modjul.h"

void dateconv(double day, double month, double year, const std::string& mode,
              const std::string& lang, double& hday, std::string& hmonth, double& hyear)
{
    if (mode != "GtoH")
        return;
    double JD = 0;
    jul(year, month, day, 12, JD); // at noon, so JD is the day number
    long long N = 0, y = 0;
    int m = 0, d = 0;
    if (!wholeDayNumber(JD, N)) {
        // A day beyond every calendar date: no Hijri date to give.
        hday = 0;
        hyear = 0;
        hmonth = "----";
        return;
    }
    hijriFromDayNumber(N, y, m, d);
    hday = d;
    hyear = static_cast<double>(y);
    if (const char* name = hijriMonthName(m, lang == "A"))
        hmonth = name;
}

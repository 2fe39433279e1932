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
    long long y = 0;
    int m = 0, d = 0;
    hijriFromDayNumber(static_cast<long long>(std::floor(JD)), y, m, d);
    hday = d;
    hyear = static_cast<double>(y);
    if (const char* name = hijriMonthName(m, lang == "A"))
        hmonth = name;
}

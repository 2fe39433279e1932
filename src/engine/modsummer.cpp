#include "modsummer.h"

#include "dateserial.h"
#include "settings/liveread.h"

void summer(double day, double month, double year, std::int16_t& flag)
{
    summer(settings::livePreferences(), day, month, year, flag);
}

void summer(const settings::Preferences& pref, double day, double month, double year,
            std::int16_t& flag)
{
    flag = pref.summ == "1" && inSummerWindow(pref, SummerYearRule::TestedYear, year, month, day)
               ? 1
               : 0;
}

bool inSummerWindow(const settings::Preferences& pref, SummerYearRule rule, double year,
                    double month, double day)
{
    double start, end, d;
    if (rule == SummerYearRule::TestedYear) {
        start = static_cast<double>(dateSerial(year, pref.smf, pref.sdf));
        end = static_cast<double>(dateSerial(year, pref.smt, pref.sdt));
        d = static_cast<double>(dateSerial(year, month, day));
    } else {
        // 32 days a month order month/day pairs as the dates of a year, days
        // being at most 31.
        start = pref.smf * 32 + pref.sdf;
        end = pref.smt * 32 + pref.sdt;
        d = month * 32 + day;
    }
    if (end < start)
        return d >= start || d <= end;
    return start <= d && d <= end;
}

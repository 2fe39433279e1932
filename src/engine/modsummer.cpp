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
    if (pref.summ != "1") {
        flag = 0;
        return;
    }
    const long long start = dateSerial(year, pref.smf, pref.sdf);
    const long long end = dateSerial(year, pref.smt, pref.sdt);
    const long long d = dateSerial(year, month, day);
    if (end < start)
        flag = (d >= start || d <= end) ? 1 : 0;
    else
        flag = (start <= d && d <= end) ? 1 : 0;
}

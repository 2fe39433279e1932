#include "modday.h"

#include <cmath>

void day(double N, double lang, std::string& name)
{
    static const char* const english[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};
    static const char* const arabic[] = {"الأحد",  "الاثنين", "الثلاثاء", "الأربعاء",
                                         "الخميس", "الجمعة",  "السبت"};
    const double W = N + 2 - 7 * std::floor((N + 1) / 7);
    for (int i = 1; i <= 7; ++i) {
        if (W == i) {
            name = lang == 1 ? arabic[i - 1] : english[i - 1];
            return;
        }
    }
}

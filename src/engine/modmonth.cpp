#include "modmonth.h"

void month(double m, const std::string& lang, std::string& name)
{
    static const char* const english[] = {"January",   "February", "March",    "April",
                                          "May",       "June",     "July",     "August",
                                          "September", "October",  "November", "December"};
    static const char* const arabic[] = {"كانون ثاني", "شباط",      "آذار",       "نيسان",
                                         "آيار",       "حزيران",    "تموز",       "آب",
                                         "أيلول",      "تشرين أول", "تشرين ثاني", "كانون أول"};
    for (int i = 1; i <= 12; ++i) {
        if (m == i) {
            name = lang == "E" ? english[i - 1] : arabic[i - 1];
            return;
        }
    }
}

#pragma once

#include <string>

// Weekday name of a day number N (the Julian Day at 0 h plus 0.5): 1 = Sunday.
// lang: 1 for Arabic, any other number for English. name is left as it was
// when N is not a whole number.
void day(double N, double lang, std::string& name);

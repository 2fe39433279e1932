#pragma once

#include <string>

// Hijri date of a calendar date (Gregorian from 15 October 1582, Julian
// before), by the tabular calendar of hijricalendar.h.
// day, month, year: the calendar date. mode: exactly "GtoH", the only
// direction served; any other value leaves the outputs untouched. lang: "A"
// for the Arabic month name, anything else for English. hday: out, the Hijri
// day; hmonth: out, the month's name; hyear: out, the Hijri year.
void dateconv(double day, double month, double year, const std::string& mode,
              const std::string& lang, double& hday, std::string& hmonth, double& hyear);

#pragma once

#include <string>

// Name of the Gregorian month m (1..12). lang: the text "E" for English, any
// other text for Arabic. name is left as it was for any other m.
void month(double m, const std::string& lang, std::string& name);

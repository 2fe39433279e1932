// visib.zvd: the crescent-visibility window's choices, kept from one opening
// of the window to the next. One settings line of 18 fields.
#pragma once

#include <cstdint>
#include <string>

#include "settings/records.h"

namespace lunar {

struct VisibilitySettings {
    std::string day;              // 1: Gregorian day, list text "1".."31" or empty
    std::string month;            // 2: Gregorian month, "1".."12" or empty
    std::string year;             // 3: Gregorian year as typed
    bool newCrescent = true;      // 4: false = old crescent
    bool geocentric = true;       // 5: false = topocentric
    bool dayConj = true;          // 6: the day of conjunction
    bool dayOne = false;          // 7: one day after (new) / before (old)
    bool dayTwo = false;          // 8: two days after / before
    bool timeSun = true;          // 9: sunset (new) / sunrise (old)
    bool timeMoon = false;        // 10: moonset / moonrise
    bool timeBest = false;        // 11: best time
    bool timeSpecific = false;    // 12: a specific local time
    std::string hour;             // 13: "00".."23"
    std::string minute;           // 14: "00".."59"
    bool gregorian = true;        // 15: Gregorian date input (16 is its complement)
    std::int16_t hijriMonth = -1; // 17: 0-based index of the Hijri month, -1 none
    std::string hijriYear;        // 18: Hijri year as typed
};

inline constexpr size_t kVisibilitySettingsFields = 18;
// What each field must read as (see settings::readRecordStrict): the date and
// time fields are kept as the texts typed.
inline constexpr std::string_view kVisibilitySettingsKinds = "tttbbbbbbbbbttbbnt";
inline constexpr const char* kVisibilitySettingsFile = "visib.zvd";

// Reads visib.zvd from the program folder. A missing or short file stops the
// program through the platform's fault, as every settings file does.
VisibilitySettings readVisibilitySettings();

// Rewrites visib.zvd whole, atomically.
settings::SaveResult writeVisibilitySettings(const VisibilitySettings& s);

} // namespace lunar

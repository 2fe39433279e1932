#include "visibsettings.h"

#include <cmath>

#include "settings/settingsline.h"

namespace lunar {

using settings::SettingsField;

VisibilitySettings readVisibilitySettings()
{
    const auto f = settings::readRecordStrict(kVisibilitySettingsFile, kVisibilitySettingsKinds);
    VisibilitySettings s;
    s.day = f[0].asText();
    s.month = f[1].asText();
    s.year = f[2].asText();
    s.newCrescent = f[3].asTruth();
    s.geocentric = f[4].asTruth();
    s.dayConj = f[5].asTruth();
    s.dayOne = f[6].asTruth();
    s.dayTwo = f[7].asTruth();
    s.timeSun = f[8].asTruth();
    s.timeMoon = f[9].asTruth();
    s.timeBest = f[10].asTruth();
    s.timeSpecific = f[11].asTruth();
    s.hour = f[12].asText();
    s.minute = f[13].asText();
    s.gregorian = f[14].asTruth();
    // Field 16 only restates field 15.
    // An index outside the list (a file edited by hand) selects no month.
    const double index = f[16].asNumber();
    s.hijriMonth = (std::isfinite(index) && index >= 0 && index <= 11)
                       ? static_cast<std::int16_t>(index)
                       : std::int16_t{-1};
    s.hijriYear = f[17].asText();
    return s;
}

settings::SaveResult writeVisibilitySettings(const VisibilitySettings& s)
{
    const std::vector<SettingsField> fields = {
        SettingsField::text(s.day),          SettingsField::text(s.month),
        SettingsField::text(s.year),         SettingsField::truth(s.newCrescent),
        SettingsField::truth(s.geocentric),  SettingsField::truth(s.dayConj),
        SettingsField::truth(s.dayOne),      SettingsField::truth(s.dayTwo),
        SettingsField::truth(s.timeSun),     SettingsField::truth(s.timeMoon),
        SettingsField::truth(s.timeBest),    SettingsField::truth(s.timeSpecific),
        SettingsField::text(s.hour),         SettingsField::text(s.minute),
        SettingsField::truth(s.gregorian),   SettingsField::truth(!s.gregorian),
        SettingsField::number(s.hijriMonth), SettingsField::text(s.hijriYear),
    };
    return settings::writeRecord(kVisibilitySettingsFile, fields);
}

} // namespace lunar

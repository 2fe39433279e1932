// Accuracy against an independent reference: a year of PyEphem moonrises,
// moonsets and transits at two places (tests/reference/make_moon_reference.py
// wrote the table).
#include <cmath>
#include <iostream>
#include <map>
#include <optional>

#include <gtest/gtest.h>

#include "engine/modgeneral.h"
#include "mainwindow/moontimes.h"
#include "prayer/prayerfixture.h"

namespace {

using prayertest::jd;
using prayertest::PrayerTest;

struct ReferenceDay {
    std::string place;
    int year, month, day;
    std::optional<double> moonrise, moonset, transit;
};

std::vector<ReferenceDay> readReference()
{
    std::vector<ReferenceDay> days;
    for (const std::vector<std::string>& f : prayertest::referenceRows("moon_reference.csv", 6)) {
        ReferenceDay d;
        d.place = f[0];
        prayertest::referenceDate(f[1], d.year, d.month, d.day);
        d.moonrise = prayertest::optionalNumber(f[2]);
        d.moonset = prayertest::optionalNumber(f[3]);
        d.transit = prayertest::optionalNumber(f[4]);
        days.push_back(d);
    }
    return days;
}

// The places of the script, as the location dialog would store them.
settings::CurrentLocation referencePlace(const std::string& name)
{
    settings::CurrentLocation l = prayertest::location({"", 0, 0, 0, 0});
    l.locname = name;
    l.north = true, l.south = false;
    if (name == "Mecca") {
        l.longid = 39, l.longim = 49, l.longis = 34, l.east = true;
        l.latid = 21, l.latim = 25, l.latis = 21, l.ele = 277, l.zon = 3;
    } else {
        l.longid = 0, l.longim = 7, l.longis = 0, l.east = false;
        l.latid = 51, l.latim = 30, l.latis = 0, l.ele = 11, l.zon = 0;
    }
    l.west = !l.east;
    return l;
}

constexpr double kRiseSetTolerance = 60.0 / 3600; // hours
constexpr double kTransitTolerance = 30.0 / 3600;
// An event this close to a midnight may fall on either side of it in one of
// the two computations; such days are left out of the presence check.
constexpr double kNearMidnight = 2.0 / 60;

double clockHours(const std::string& t)
{
    return std::stoi(t.substr(0, 2)) + std::stoi(t.substr(3, 2)) / 60.0 +
           std::stoi(t.substr(6, 2)) / 3600.0;
}

bool nearMidnight(const std::optional<double>& t)
{
    return t && (*t < kNearMidnight || *t > 24 - kNearMidnight);
}

class MoonReferenceTest : public PrayerTest {};

TEST_F(MoonReferenceTest, AYearAtTwoPlacesAgreesWithPyEphem)
{
    const std::vector<ReferenceDay> days = readReference();
    ASSERT_EQ(days.size(), 2u * 365);
    pref.min = "0";
    pref.eleset = "1";

    std::map<std::string, double> worst;
    std::map<std::string, int> compared;
    std::string current;
    for (const ReferenceDay& d : days) {
        if (d.place != current) {
            loc = referencePlace(d.place);
            save();
            current = d.place;
        }
        SCOPED_TRACE(d.place + " " + std::to_string(d.day) + "/" + std::to_string(d.month));
        const double JD0 = jd(d.year, d.month, d.day) - loc.zon / 24;
        moontimes::MoonDay day;
        moontimes::moonRiseSet(JD0, "0", day);
        moontimes::moonTransit(JD0, loc.longitude(), "0", day);

        auto compare = [&](const char* what, const EventTime& got,
                           const std::optional<double>& want, double tolerance) {
            if (got.isMarker() != !want.has_value()) {
                if (nearMidnight(want) || (!got.isMarker() && nearMidnight(got.hours)))
                    return;
                ADD_FAILURE() << what << ": engine "
                              << (got.isMarker() ? got.markerText() : "a time") << ", reference "
                              << (want ? std::to_string(*want) : "none");
                return;
            }
            if (!want)
                return;
            const double diff = std::fabs(got.hours - *want);
            EXPECT_LT(diff, tolerance) << what << " " << got.hours << " " << *want;
            worst[what] = std::max(worst[what], diff * 3600);
            ++compared[what];
        };
        compare("moonrise", day.rise, d.moonrise, kRiseSetTolerance);
        compare("moonset", day.set, d.moonset, kRiseSetTolerance);
        const EventTime transit = day.transitText == "----"
                                      ? EventTime::marked(TimeMarker::NoEvent)
                                      : EventTime::at(clockHours(day.transitText));
        // The text is rounded to the second: half a second more may show.
        compare("transit", transit, d.transit, kTransitTolerance + 0.5 / 3600);
    }
    // Most days have all three events: a comparison that silently skipped
    // them would prove nothing.
    for (const char* what : {"moonrise", "moonset", "transit"})
        EXPECT_GT(compared[what], 2 * 340) << what;
    for (const auto& [what, seconds] : worst)
        std::cout << "largest difference of " << what << ": " << seconds << " s\n";
}

} // namespace

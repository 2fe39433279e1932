#include "prayerfixture.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "engine/modgeneral.h"
#include "engine/modjul.h"
#include "platform/programfolder.h"
#include "support/seriestables.h"

namespace prayertest {

settings::CurrentLocation location(const Place& p)
{
    settings::CurrentLocation l;
    l.locname = p.name;
    auto split = [](double v, double& d, double& m, double& s) {
        double a = std::fabs(v);
        d = std::floor(a);
        a = (a - d) * 60;
        m = std::floor(a);
        s = std::round((a - m) * 60 * 1000) / 1000;
        if (s >= 60) {
            s -= 60;
            m += 1;
        }
    };
    split(p.longitude, l.longid, l.longim, l.longis);
    split(p.latitude, l.latid, l.latim, l.latis);
    l.east = p.longitude >= 0;
    l.west = !l.east;
    l.north = p.latitude >= 0;
    l.south = !l.north;
    l.ele = p.ele;
    l.zon = p.zon;
    l.city = 0;
    l.pres = 1010;
    l.temp = 10;
    l.hum = 0;
    l.alpha = "0.0065";
    return l;
}

settings::DateSelection dates(int y1, int m1, int d1, int y2, int m2, int d2)
{
    settings::DateSelection d;
    d.oneday = y1 == y2 && m1 == m2 && d1 == d2;
    d.year1 = y1, d.month1 = m1, d.day1 = d1;
    d.year2 = y2, d.month2 = m2, d.day2 = d2;
    d.fyear = y1, d.fmonth = m1, d.fday = d1;
    d.tyear = y2, d.tmonth = m2, d.tday = d2;
    d.oyear = y1, d.omonth = m1, d.oday = d1;
    d.period = !d.oneday;
    d.sysdate = false;
    return d;
}

double jd(int year, int month, int day)
{
    double v;
    jul(year, month, day, 0, v);
    return v;
}

void PrayerTest::SetUpTestSuite()
{
    testsupport::loadSeriesTables();
}

void PrayerTest::SetUp()
{
    ProgramFolderTest::SetUp();
    pi = kPi15;
    tdtmode = 0;
    onedaymode = 0;
    cancelflag = 0;
    pref = settings::Preferences::defaults();
    loc = location({"Mecca", 21 + 25 / 60.0 + 21 / 3600.0, 39 + 49 / 60.0 + 34 / 3600.0, 277, 3});
    loc.longid = 39, loc.longim = 49, loc.longis = 34;
    loc.latid = 21, loc.latim = 25, loc.latis = 21;
    date = dates(2027, 3, 1, 2027, 3, 1);
}

void PrayerTest::TearDown()
{
    onedaymode = 0;
    cancelflag = 0;
    ProgramFolderTest::TearDown();
}

void PrayerTest::save()
{
    ASSERT_TRUE(settings::writePreferences(pref).ok);
    ASSERT_TRUE(settings::writeCurrentLocation(loc).ok);
    ASSERT_TRUE(settings::writeDateSelection(date).ok);
}

std::vector<std::vector<std::string>> referenceRows(const std::string& file, size_t fields)
{
    std::ifstream in(std::filesystem::path(MIQATIX_TESTS_DIR) / "reference" / file);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(in, line); // header
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::stringstream ss(line);
        std::string item;
        while (std::getline(ss, item, ','))
            f.push_back(item);
        f.resize(fields);
        rows.push_back(std::move(f));
    }
    return rows;
}

std::optional<double> optionalNumber(const std::string& field)
{
    if (field.empty())
        return std::nullopt;
    return std::stod(field);
}

void referenceDate(const std::string& field, int& year, int& month, int& day)
{
    year = std::stoi(field.substr(0, 4));
    month = std::stoi(field.substr(5, 2));
    day = std::stoi(field.substr(8, 2));
}

} // namespace prayertest

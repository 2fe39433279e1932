// A program folder with the series tables loaded and a place in loc.zvd, for
// the tests of the position procedures. tdtmode is back at 0 after each test.
#pragma once

#include <cmath>
#include <string>

#include "engine/modgeneral.h"
#include "series/seriesloader.h"
#include "support/testsupport.h"

namespace enginetest {

// Mecca, the shipped default place (39 49' 34" E, 21 25' 21" N, 277 m).
inline const char* const kMeccaLine =
    "\"Mecca\",39,49,34,21,25,21,277,3,#TRUE#,#TRUE#,#FALSE#,#FALSE#,0,1010,10,0,\"0.0065\"\r\n";

// A loc.zvd line for a place given in degrees, minutes and seconds.
inline std::string locLine(double lonD, double lonM, double lonS, double latD, double latM,
                           double latS, double height, bool east, bool north)
{
    auto n = [](double v) {
        std::string s = std::to_string(v);
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.')
            s.pop_back();
        return s;
    };
    const char* t = "#TRUE#";
    const char* f = "#FALSE#";
    return "\"Here\"," + n(lonD) + "," + n(lonM) + "," + n(lonS) + "," + n(latD) + "," + n(latM) +
           "," + n(latS) + "," + n(height) + ",0," + (east ? t : f) + "," + (north ? t : f) + "," +
           (east ? f : t) + "," + (north ? f : t) + ",0,1010,10,0,\"0.0065\"\r\n";
}

class SeriesTest : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        putSeriesFiles();
        put("loc.zvd", kMeccaLine);
        series::loadTermFull();
        series::loadTerm();
        series::loadMterm();
        tdtmode = 0;
        pi = kPi15;
    }
    void TearDown() override
    {
        tdtmode = 0;
        ProgramFolderTest::TearDown();
    }
};

inline double arcsec(double degrees)
{
    return degrees * 3600;
}

inline double dms(double d, double m, double s)
{
    return d < 0 || (d == 0 && (m < 0 || s < 0))
               ? -(std::abs(d) + std::abs(m) / 60 + std::abs(s) / 3600)
               : d + m / 60 + s / 3600;
}

inline double hms(double h, double m, double s)
{
    return 15 * (h + m / 60 + s / 3600);
}

// Difference of two angles in degrees, brought into -180..180.
inline double angleDiff(double a, double b)
{
    double d = std::fmod(a - b, 360.0);
    if (d > 180)
        d -= 360;
    if (d < -180)
        d += 360;
    return d;
}

} // namespace enginetest

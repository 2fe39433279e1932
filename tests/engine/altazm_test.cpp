#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "engine/modaltazm.h"
#include "engine/modaltazmequa.h"
#include "engine/modgeneral.h"
#include "engine/modlowaltazm.h"
#include "engine/modsiderial.h"
#include "enginefixture.h"
#include "platform/eventloop.h"
#include "platform/fault.h"

namespace {

using enginetest::angleDiff;
using enginetest::locLine;

constexpr double kJD = 2460000.25; // 2023 February 24, 18h UT

class Horizontal : public enginetest::SeriesTest {
protected:
    double siderealTime() const
    {
        double theta = 0;
        siderial(kJD, theta);
        return theta;
    }
};

} // namespace

// Bodies on the meridian and on the horizon, for places in all four quarters.
// The right ascension is set from the hour angle H the case asks for.
TEST_F(Horizontal, KnownAltitudesAndAzimuths)
{
    struct Case {
        const char* what;
        std::string place;
        double lon, lat; // of the place, degrees
        double H, delta; // hour angle and declination, degrees
        double h, A;     // expected altitude and azimuth
    } cases[] = {
        {"meridian south of the zenith", locLine(39, 49, 34, 21, 25, 21, 0, true, true),
         39 + 49 / 60.0 + 34 / 3600.0, 21 + 25 / 60.0 + 21 / 3600.0, 0, -10,
         90 - (21 + 25 / 60.0 + 21 / 3600.0) - 10, 180},
        {"meridian north of the zenith", locLine(10, 0, 0, 30, 0, 0, 0, true, true), 10, 30, 0, 50,
         70, 0},
        {"zenith at transit", locLine(10, 0, 0, 30, 0, 0, 0, true, true), 10, 30, 0, 30, 90, 180},
        {"equator rising due east", locLine(10, 0, 0, 30, 0, 0, 0, true, true), 10, 30, 270, 0, 0,
         90},
        {"equator setting due west", locLine(10, 0, 0, 30, 0, 0, 0, true, true), 10, 30, 90, 0, 0,
         270},
        {"west of Greenwich, on the meridian", locLine(10, 15, 36, 30, 0, 0, 0, false, true),
         -10.26, 30, 0, 0, 60, 180},
        {"south of the equator, north of the zenith", locLine(18, 25, 0, 33, 55, 0, 0, true, false),
         18 + 25 / 60.0, -(33 + 55 / 60.0), 0, 0, 90 - (33 + 55 / 60.0), 0},
        {"below the pole, lower transit", locLine(10, 0, 0, 60, 0, 0, 0, true, true), 10, 60, 180,
         80, 50, 0},
    };
    for (const Case& c : cases) {
        put("loc.zvd", c.place);
        double alpha = siderealTime() + c.lon - c.H;
        modgeneral::range(alpha);
        double h = -99, A = -99;
        altazm(kJD, alpha, c.delta, h, A);
        EXPECT_NEAR(h, c.h, 1e-7) << c.what;
        EXPECT_NEAR(angleDiff(A, c.A), 0, 1e-6) << c.what;
        EXPECT_GE(A, 0) << c.what;
        EXPECT_LT(A, 360) << c.what;
        EXPECT_EQ(pi, kPi15);

        double hl = -99, Al = -99;
        lowaltazm(kJD, alpha, c.delta, c.lon, c.lat, hl, Al);
        EXPECT_NEAR(hl, h, 1e-9) << c.what << ": lowaltazm at the same place";
        EXPECT_NEAR(angleDiff(Al, A), 0, 1e-9) << c.what << ": lowaltazm at the same place";
    }
}

// altazmequa takes the altitude and azimuth of altazm back to the right
// ascension and declination, in 0..360.
TEST_F(Horizontal, RoundTripThroughTheHorizon)
{
    const std::string places[] = {
        locLine(39, 49, 34, 21, 25, 21, 277, true, true),
        locLine(74, 0, 0, 40, 43, 0, 10, false, true),
        locLine(151, 12, 0, 33, 52, 0, 0, true, false),
        locLine(0, 0, 0, 0, 0, 0, 0, true, true),
    };
    const struct {
        double alpha, delta;
    } bodies[] = {{0.5, 0}, {101.3, 23.4}, {200, -15}, {300, 60}, {359.9, -70}, {45, 5}};
    for (const std::string& place : places) {
        put("loc.zvd", place);
        for (const auto& b : bodies) {
            double h = 0, A = 0, alpha = -1, delta = -99;
            altazm(kJD, b.alpha, b.delta, h, A);
            altazmequa(kJD, h, A, alpha, delta);
            EXPECT_NEAR(angleDiff(alpha, b.alpha), 0, 1e-8) << place << " alpha " << b.alpha;
            EXPECT_NEAR(delta, b.delta, 1e-8) << place << " alpha " << b.alpha;
            EXPECT_GE(alpha, 0);
            EXPECT_LT(alpha, 360);
        }
    }
}

// The place is read at every call: a saved location changes the next result.
TEST_F(Horizontal, ReadsThePlaceAtEveryCall)
{
    put("loc.zvd", locLine(10, 0, 0, 30, 0, 0, 0, true, true));
    double alpha = siderealTime() + 10, h = 0, A = 0;
    altazm(kJD, alpha, 0, h, A);
    EXPECT_NEAR(h, 60, 1e-7);
    put("loc.zvd", locLine(10, 0, 0, 50, 0, 0, 0, true, true));
    altazm(kJD, alpha, 0, h, A);
    EXPECT_NEAR(h, 40, 1e-7);
    double ra = 0, dec = 0;
    altazmequa(kJD, 90, 0, ra, dec);
    EXPECT_NEAR(dec, 50, 1e-7);

    // Removed behind the program's back: noticed after the next hand-over.
    std::filesystem::remove(file("loc.zvd"));
    platform::processEvents();
    EXPECT_THROW(altazm(kJD, alpha, 0, h, A), platform::FileFault);
    EXPECT_THROW(altazmequa(kJD, 10, 10, ra, dec), platform::FileFault);
}

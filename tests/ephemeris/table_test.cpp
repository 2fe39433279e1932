// The ephemeris table without its window: row quantities against the engine
// and Meeus' worked examples, the report against golden files, and the run's
// progress, Cancel, date check and time scale.
#include <cmath>
#include <cstdlib>

#include <cstdio>

#include <gtest/gtest.h>

#include "engine/modcormm.h"
#include "engine/modcorsh.h"
#include "engine/moddegree2.h"
#include "engine/moddegree3.h"
#include "engine/modjul.h"
#include "ephemerisfixture.h"
#include "platform/filewriter.h"
#include "platform/programfolder.h"
#include "support/signedtext.h"

namespace {

using namespace ephemeristest;
using ephemeris::RunOutcome;

std::string dms2(double v)
{
    std::string t;
    degree2(0, "d", v, t);
    return t;
}

std::string dms3(double v)
{
    std::string t;
    degree3(0, "d", v, t);
    return t;
}

std::string hms(double hours)
{
    std::string t;
    degree3(0, "h", hours, t);
    return t;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        out.push_back(text.substr(start, end - start));
    return out;
}

TEST(LunarMansion, EdgesOfTheUnequalSpans)
{
    const struct {
        double L;
        const char* name;
    } cases[] = {
        {-0.001, "Al-Fargh Al-Awwal"}, // the Moon's longitude a little below 0
        {0, "Al-Fargh Al-Awwal"},
        {4.999, "Al-Fargh Al-Awwal"},
        {5.0, "Al-Fargh Ath-Thani"},
        {21.999, "Al-Fargh Ath-Thani"},
        {22.0, "Batn Al-Hout"},
        {133.17, "Al-Ttarf"},
        {180, "Al-Awwa"},
        {350.999, "Saad Al-Akhbiya"},
        {351.0, "Al-Fargh Al-Awwal"},
        {360.0004, "Al-Fargh Al-Awwal"}, // at 360 and above
    };
    for (const auto& c : cases)
        EXPECT_STREQ(ephemeris::lunarMansion(c.L), c.name) << c.L;
}

TEST(StepAndIncrement, TextAndUnitGiveTheStepInDays)
{
    const struct {
        const char* text;
        int unit;
        double increment, step;
    } cases[] = {
        {"1", 3, 1, 1},
        {"2.7", 2, 2, 2 * 0.0416666666666667},  // floor
        {"-2.5", 1, 3, 3 * 0.0006944444444444}, // |floor|
        {"-3", 2, 3, 3 * 0.0416666666666667},   // three-hour steps
        {"5", 0, 5, 5 * 1.157407407E-05},
        {"0", 2, 0, 1},   // a zero step is one day
        {"", 1, 0, 1},    // empty
        {"abc", 0, 0, 1}, // not a number
        {"4", -1, 4, 1},  // no unit selected
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ephemeris::incrementOf(c.text), c.increment) << c.text;
        EXPECT_DOUBLE_EQ(ephemeris::stepDays(ephemeris::incrementOf(c.text), c.unit), c.step)
            << c.text << " unit " << c.unit;
    }
    // A hand-edited coor.zvd: the run still steps forwards.
    EXPECT_DOUBLE_EQ(ephemeris::stepDays(-2.5, 2), 3 * 0.0416666666666667);
}

TEST(PlaceAt, AnItemWhoseColumnIsPassedStartsANewLine)
{
    std::string s = "abc";
    ephemeris::placeAt(s, 6, "x");
    EXPECT_EQ(s, "abc  x");
    ephemeris::placeAt(s, 7, "y"); // right after: no blank
    EXPECT_EQ(s, "abc  xy");
    ephemeris::placeAt(s, 3, "z");
    EXPECT_EQ(s, "abc  xy\r\n  z");
    ephemeris::placeAt(s, 5, "w"); // counted within the new line
    EXPECT_EQ(s, "abc  xy\r\n  z w");
    std::string arabic = "\xd8\xb1\xd9\x8a"; // two characters, four bytes
    ephemeris::placeAt(arabic, 4, "q");
    EXPECT_EQ(arabic, "\xd8\xb1\xd9\x8a q");
}

TEST(RowLabel, LocalClockTimeAndDateOfTheInstant)
{
    double noon, early;
    jul(2004, 3, 21, 12, noon);
    jul(999, 7, 4, 12, early);
    const struct {
        const char* what;
        double t, zone;
        bool summer;
        const char* label;
    } cases[] = {
        {"zone 3", noon, 3, false, "15:00:00 21/03/2004"},
        {"summer hour", noon, 3, true, "16:00:00 21/03/2004"},
        {"west of Greenwich, the day before", noon - 13.0 / 24, -5, false, "18:00:00 20/03/2004"},
        // The seconds round up to the next day; the date stays.
        {"24:00:00", noon + (12 - 0.3 / 3600) / 24, 0, false, "24:00:00 21/03/2004"},
        {"a year of three digits", early, 0, false, "12:00:00 04/07/0999"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ephemeris::rowLabel(c.t, c.zone, c.summer), c.label) << c.what;
}

// The first row's label is the clock time and date the user entered, for
// every zone, with and without the summer hour, at midnight and on either
// side of it: the zone and summer arithmetic's rounding must not turn an
// entered 00:00:00 into 24:00:00 of the day before (New York, summer,
// 01/03/2024 00:00:00 did).
TEST(RowLabel, AnEnteredClockTimeComesBackAsEntered)
{
    const struct {
        double hour, minute, second;
    } times[] = {{0, 0, 0}, {23, 59, 59}, {0, 0, 1}, {12, 0, 0}};
    const struct {
        double year, month, day;
    } dates[] = {{2024, 3, 1},   {2024, 2, 29}, {2024, 1, 1},   {2023, 12, 31},
                 {2025, 10, 27}, {2000, 1, 1},  {1999, 12, 31}, {2100, 3, 1},
                 {1583, 1, 1},   {2026, 7, 1},  {2030, 11, 3},  {1970, 6, 15}};
    int checked = 0;
    for (int quarter = -12 * 4; quarter <= 14 * 4; ++quarter) {
        const double zone = quarter / 4.0;
        for (bool summer : {false, true})
            for (const auto& d : dates)
                for (const auto& c : times) {
                    const double t = ephemeris::clockInstant(d.year, d.month, d.day, c.hour,
                                                             c.minute, c.second, zone, summer);
                    char want[32];
                    std::snprintf(want, sizeof want, "%02.0f:%02.0f:%02.0f %02.0f/%02.0f/%04.0f",
                                  c.hour, c.minute, c.second, d.day, d.month, d.year);
                    ASSERT_EQ(ephemeris::rowLabel(t, zone, summer), want)
                        << "zone " << zone << (summer ? " summer" : "");
                    ++checked;
                }
    }
    EXPECT_EQ(checked, 105 * 2 * 12 * 4);
}

using RowTest = EphemerisTest;

// The row takes the frame's outputs of corsh and cormm, and formats them
// in the columns and forms of the table.
TEST_F(RowTest, ColumnsAreTheEngineValuesOfTheChosenFrame)
{
    const double t = 2453085.75; // 2004 March 21, 6 h UT
    for (bool geocentric : {true, false}) {
        double a, d, aT, dT, lam, bet, lamT, betT, R, E;
        corsh(pi, t, a, d, aT, dT, lam, bet, lamT, betT, R, E);
        const ephemeris::RowValues sun = ephemeris::computeRow(false, geocentric, t);
        EXPECT_DOUBLE_EQ(sun.raHours * 15, geocentric ? a : aT);
        EXPECT_DOUBLE_EQ(sun.dec, geocentric ? d : dT);
        EXPECT_DOUBLE_EQ(sun.longitude, geocentric ? lam : lamT);
        EXPECT_DOUBLE_EQ(sun.latitude, geocentric ? bet : betT);
        EXPECT_DOUBLE_EQ(sun.distanceKm, R * 149597870.66); // geocentric in both frames
        EXPECT_NEAR(sun.semidiameter * 3600, 959.63 / R, 1e-5);
        EXPECT_NEAR(sun.parallax * 3600, 8.794 / R, 1e-3);

        const std::string line = ephemeris::rowLine("09:00:00 21/03/2004", sun, false);
        EXPECT_EQ(itemAt(line, 22), hms((geocentric ? a : aT) / 15).substr(0, 11));
        EXPECT_EQ(line.substr(21, 12), hms((geocentric ? a : aT) / 15)); // trailing blank kept
        EXPECT_EQ(itemAt(line, 35), dms2(geocentric ? d : dT));
        EXPECT_EQ(itemAt(line, 68), dms2(geocentric ? bet : betT));
        EXPECT_EQ(itemAt(line, 79), dms3(geocentric ? lam : lamT));
        EXPECT_EQ(line.size(), 126u) << line; // DT ends the Sun's row

        double ma, md, maT, mdT, ml, mb, mlT, mbT, par, s, sT, dist;
        cormm(pi, t, ma, md, maT, mdT, ml, mb, mlT, mbT, par, s, sT, dist);
        const ephemeris::RowValues moon = ephemeris::computeRow(true, geocentric, t);
        EXPECT_DOUBLE_EQ(moon.raHours * 15, geocentric ? ma : maT);
        EXPECT_DOUBLE_EQ(moon.dec, geocentric ? md : mdT);
        EXPECT_DOUBLE_EQ(moon.longitude, geocentric ? ml : mlT);
        EXPECT_DOUBLE_EQ(moon.semidiameter, geocentric ? s : sT);
        EXPECT_DOUBLE_EQ(moon.parallax, par); // in both frames
        EXPECT_DOUBLE_EQ(moon.distanceKm, dist);
        EXPECT_STREQ(moon.mansion, ephemeris::lunarMansion(geocentric ? ml : mlT));
        const std::string mline = ephemeris::rowLine("09:00:00 21/03/2004", moon, true);
        EXPECT_EQ(itemAt(mline, 103), dms3(geocentric ? s : sT));
        EXPECT_EQ(itemAt(mline, 113), dms3(par));
        EXPECT_EQ(mline.substr(128), moon.mansion);
    }
}

// An instant so far off that the engine gives no number fills every column
// with "----": no right ascension of 00H 00M 00S, no azimuth of 180:00:00
// beside the others (the arctangent's 0 of the origin).
TEST_F(RowTest, AnInstantWithoutNumbersShowsNoValueInItsRow)
{
    double t = 0;
    jul(1e308, 1, 1, 0, t);
    for (bool moon : {false, true})
        for (bool geocentric : {true, false}) {
            const std::string line =
                ephemeris::rowLine("LABEL", ephemeris::computeRow(moon, geocentric, t), moon);
            EXPECT_EQ(line.find_first_of("0123456789"), std::string::npos)
                << (moon ? "Moon " : "Sun ") << geocentric << ": " << line;
            if (moon) {
                EXPECT_EQ(line.substr(line.size() - 4), "----") << "no mansion without a longitude";
            }
        }
}

// Meeus, Astronomical Algorithms, Examples 25.b and 47.a: the instants are
// dynamical time, so the table runs in TDT at a place of zone 0.
TEST_F(RowTest, MeeusExamplesThroughATdtRun)
{
    put("loc.zvd", kGreenwich);
    struct Case {
        int body;
        double year, month, day;
        double raHours, dec, lon, lat, distanceKm, parallax, raTol, decTol, lonTol;
        const char* raText;
        const char* decText;
    } cases[] = {
        // Sun, 1992 Oct 13.0 TD: 13h13m30.749s, -7 47' 01.74", apparent
        // lambda 199 54' 21.818", R = 0.99760853 AU (the complete series
        // differs by 0.27" in L).
        {0, 1992, 10, 13, (13 + 13 / 60.0 + 30.749 / 3600), -(7 + 47 / 60.0 + 1.74 / 3600),
         199 + 54 / 60.0 + 21.818 / 3600, 0.72 / 3600, 0.99760853 * 149597870.66,
         8.794 / 3600 / 0.99760853, 0.03, 0.5, 0.5, "13H 13M 31S", "-07:47:02"},
        // Moon, 1992 Apr 12.0 TD: 134.688470, 13.768368, apparent lambda
        // 133.167265, beta -3.229126, 368409.7 km, parallax 0.991990.
        {1, 1992, 4, 12, 134.688470 / 15, 13.768368, 133.167265, -3.229126, 368409.7, 0.991990, 0.2,
         1.0, 2.0, "08H 58M 45S", "+13:46:06"},
    };
    for (const Case& c : cases) {
        ephemeris::EphemerisSettings s =
            range(c.body, c.year, c.month, c.day, 0, 0, c.year, c.month, c.day, 0, 0, 1, 3);
        s.ut = false;
        RecordingHost host;
        ASSERT_EQ(ephemeris::runEphemeris(s, host), RunOutcome::Finished);
        const auto rows = tableRows(report());
        ASSERT_EQ(rows.size(), 1u);
        const std::string& row = rows[0];
        EXPECT_EQ(row.substr(0, 19), c.body == 0 ? "00:00:00 13/10/1992" : "00:00:00 12/04/1992");
        EXPECT_EQ(itemAt(row, 22), c.raText);
        EXPECT_EQ(itemAt(row, 35), c.decText);

        tdtmode = 1;
        double jd;
        jul(c.year, c.month, c.day, 0, jd);
        const ephemeris::RowValues v = ephemeris::computeRow(c.body == 1, true, jd);
        tdtmode = 0;
        EXPECT_NEAR((v.raHours - c.raHours) * 15 * 3600, 0, c.raTol * 15);
        EXPECT_NEAR((v.dec - c.dec) * 3600, 0, c.decTol);
        EXPECT_NEAR((v.longitude - c.lon) * 3600, 0, c.lonTol);
        EXPECT_NEAR((v.latitude - c.lat) * 3600, 0, 0.5);
        EXPECT_NEAR(v.distanceKm, c.distanceKm, c.body == 0 ? 200 : 5); // Meeus' truncations
        EXPECT_NEAR((v.parallax - c.parallax) * 3600, 0, 0.05);
        EXPECT_STREQ(v.mansion, c.body == 1 ? "Al-Ttarf" : "Al-Semak");
    }
}

using RunTest = EphemerisTest;

// Whole reports against golden files: a Sun table at Riyadh (geocentric,
// UT1) and a Moon table at a western and southern place (topocentric, TDT,
// summer time). Rewrite with MIQATIX_UPDATE_GOLDEN=1 and read the diff.
TEST_F(RunTest, GoldenReports)
{
    struct Case {
        const char* file;
        const char* loc;
        ephemeris::EphemerisSettings settings;
    } cases[] = {
        {"sun.out", kRiyadh, range(0, 2004, 3, 21, 6, 0, 2004, 3, 21, 12, 0, 1, 2)},
        {"moon.out", kWestSouth, range(1, 2004, 3, 21, 22, 0, 2004, 3, 22, 0, 30, 30, 1)},
    };
    cases[1].settings.geocentric = false;
    cases[1].settings.ut = false;
    cases[1].settings.summer = 1;
    for (const Case& c : cases) {
        put("loc.zvd", c.loc);
        RecordingHost host;
        ASSERT_EQ(ephemeris::runEphemeris(c.settings, host), RunOutcome::Finished);
        ASSERT_EQ(host.opened.size(), 1u);
        EXPECT_EQ(host.opened[0], file(ephemeris::kReportFile));
        const std::string text = report();
        testsupport::compareWithGolden(text, "ephemeris", c.file);
        EXPECT_EQ(text.find('\t'), std::string::npos);
        EXPECT_EQ(tdtmode, 0);
    }
}

TEST_F(RunTest, ReportLayoutOfBothBodies)
{
    put("loc.zvd", kWestSouth);
    for (int body : {0, 1}) {
        RecordingHost host;
        ASSERT_EQ(
            ephemeris::runEphemeris(range(body, 2004, 3, 21, 0, 0, 2004, 3, 22, 0, 0, 3, 2), host),
            RunOutcome::Finished);
        const auto l = lines(report());
        EXPECT_EQ(l[0], std::string(50, ' ') + "By the Name of Allah");
        EXPECT_EQ(l[1], std::string(45, ' ') + "Falakorum");
        EXPECT_EQ(l[2], std::string(44, ' ') + "Miqatix 5.5");
        EXPECT_EQ(l[6], body ? "- Moon Ephemeris" : "- Sun Ephemeris");
        // West and South: the degrees as a negated number and a blank.
        EXPECT_EQ(l[7], "- Ponta, Long: -5 :30:00.0, Lat: -33 :20:10.0, Ele:12.0, Zone:-1.00");
        EXPECT_EQ(l[11], std::string(body ? 141 : 128, '='));
        EXPECT_EQ(l[13].find("Moon House") != std::string::npos, body == 1);
        EXPECT_EQ(l[13].substr(3, 11), "Time & Date");
        EXPECT_EQ(l[13].substr(123, 2), "DT");
        // 9 rows, an empty line after the 4th and the 8th.
        EXPECT_EQ(tableRows(report()).size(), 9u);
        EXPECT_EQ(l[19], "");
        EXPECT_EQ(l[24], "");
        EXPECT_EQ(l[26], std::string(128, '=')); // the short rule for the Moon too
        EXPECT_EQ(l.back(), "* DT: Delta T in seconds.");
    }
}

TEST_F(RunTest, ProgressTimeScaleAndRowInstants)
{
    const struct {
        const char* what;
        ephemeris::EphemerisSettings s;
        size_t rows;
        const char* first;
        const char* last;
    } cases[] = {
        {"start equal to end", range(0, 2004, 3, 21, 6, 0, 2004, 3, 21, 6, 0, 1, 2), 1,
         "06:00:00 21/03/2004", "06:00:00 21/03/2004"},
        {"three-hour steps from -3", range(0, 2004, 3, 21, 0, 0, 2004, 3, 21, 7, 0, -3, 2), 3,
         "00:00:00 21/03/2004", "06:00:00 21/03/2004"},
        {"no unit: days", range(1, 2004, 3, 21, 0, 0, 2004, 3, 23, 0, 0, 5, -1), 3,
         "00:00:00 21/03/2004", "00:00:00 23/03/2004"},
        {"increment 0: days", range(1, 2004, 2, 28, 12, 0, 2004, 3, 1, 12, 0, 0, 1), 3,
         "12:00:00 28/02/2004", "12:00:00 01/03/2004"},
    };
    for (const auto& c : cases) {
        RecordingHost host;
        ASSERT_EQ(ephemeris::runEphemeris(c.s, host), RunOutcome::Finished) << c.what;
        const auto rows = tableRows(report());
        ASSERT_EQ(rows.size(), c.rows) << c.what;
        EXPECT_EQ(rows.front().substr(0, 19), c.first) << c.what;
        EXPECT_EQ(rows.back().substr(0, 19), c.last) << c.what;
        ASSERT_EQ(host.progressValues.size(), c.rows);
        EXPECT_EQ(host.progressValues.back(), 100) << c.what;
        for (double p : host.progressValues)
            EXPECT_LE(p, 100);
    }
}

TEST_F(RunTest, TdtModeIsOneForTheRowsOfATdtRunAndZeroAfter)
{
    for (bool ut : {true, false}) {
        ephemeris::EphemerisSettings s = range(1, 2004, 3, 21, 0, 0, 2004, 3, 21, 3, 0, 1, 2);
        s.ut = ut;
        RecordingHost host;
        double during = -1;
        host.atHandOver = [&](int) { during = tdtmode; };
        ASSERT_EQ(ephemeris::runEphemeris(s, host), RunOutcome::Finished);
        EXPECT_EQ(during, ut ? 0 : 1);
        for (double t : host.tdtDuringRows)
            EXPECT_EQ(t, ut ? 0 : 1);
        EXPECT_EQ(tdtmode, 0);
    }
}

// The TDT row of a clock time is Delta T earlier in UT than the UT1 row of
// the same clock time; the summer box takes an hour off both and the label
// shows the entered clock time again.
TEST_F(RunTest, TimeReferenceAndSummerHourMoveTheInstant)
{
    put("loc.zvd", kGreenwich);
    auto raOf = [&](bool ut, int summer, double hour) {
        ephemeris::EphemerisSettings s = range(1, 2004, 3, 21, hour, 0, 2004, 3, 21, hour, 0, 1, 2);
        s.ut = ut;
        s.summer = summer;
        RecordingHost host;
        EXPECT_EQ(ephemeris::runEphemeris(s, host), RunOutcome::Finished);
        const auto rows = tableRows(report());
        EXPECT_EQ(rows.at(0).substr(0, 8), hour == 6 ? "06:00:00" : "07:00:00");
        double jd;
        jul(2004, 3, 21, hour - summer, jd);
        return std::pair(rows.at(0), jd);
    };
    // UT1 with summer time at 07:00 is the UT1 row at 06:00 without it.
    EXPECT_EQ(raOf(true, 1, 7).first.substr(21), raOf(true, 0, 6).first.substr(21));
    // TDT at 06:00 equals UT1 at 06:00 - Delta T (about 64.6 s in 2004).
    const auto tdt = raOf(false, 0, 6);
    tdtmode = 1;
    const ephemeris::RowValues v = ephemeris::computeRow(true, true, tdt.second);
    tdtmode = 0;
    EXPECT_EQ(itemAt(tdt.first, 22), hms(v.raHours).substr(0, 11));
    const ephemeris::RowValues u = ephemeris::computeRow(true, true, tdt.second);
    // The Moon moves about 0.5" of arc a second: the UT1 instant is 64 s later.
    EXPECT_GT(std::fabs(u.longitude - v.longitude) * 3600, 20);
}

TEST_F(RunTest, CancelOnTheFirstRowFinishesTheReportAndRestoresTheTimeScale)
{
    ephemeris::EphemerisSettings s = range(1, 2004, 3, 21, 0, 0, 2004, 3, 31, 0, 0, 1, 1);
    s.ut = false;
    RecordingHost host;
    host.cancelAt = 1;
    long long rows = 0;
    EXPECT_EQ(ephemeris::runEphemeris(s, host, &rows), RunOutcome::Cancelled);
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(host.tdtDuringRows, std::vector<double>{1});
    EXPECT_EQ(tdtmode, 0);
    EXPECT_TRUE(host.opened.empty());
    const std::string text = report();
    EXPECT_EQ(tableRows(text).size(), 1u);
    EXPECT_NE(text.find(std::string(128, '=') + "\r\n\r\n* Right Ascension"), std::string::npos);
    EXPECT_EQ(lines(text).back(), "* DT: Delta T in seconds.");
}

TEST_F(RunTest, EndBeforeStartWritesNothingInEitherLanguage)
{
    for (const char* pref : {kEnglishPref, kArabicPref}) {
        put("pref.zvd", pref);
        put(ephemeris::kReportFile, "old report\r\n");
        ephemeris::EphemerisSettings s = range(0, 2004, 3, 21, 0, 0, 2004, 3, 20, 23, 59, 1, 2);
        s.ut = false;
        RecordingHost host;
        EXPECT_EQ(ephemeris::runEphemeris(s, host), RunOutcome::DateError);
        EXPECT_EQ(host.dateErrors, std::vector<bool>{pref == kEnglishPref});
        EXPECT_EQ(report(), "old report\r\n");
        EXPECT_TRUE(host.opened.empty());
        EXPECT_EQ(tdtmode, 0);
    }
}

TEST_F(RunTest, AFileFaultDuringARunLeavesTheTimeScaleAtZero)
{
    ephemeris::EphemerisSettings s = range(0, 2004, 3, 21, 0, 0, 2004, 3, 22, 0, 0, 1, 2);
    s.ut = false;
    RecordingHost host;
    // loc.zvd goes away after the first row; the next row's engine call stops.
    host.atHandOver = [&](int) { std::filesystem::remove(file("loc.zvd")); };
    EXPECT_THROW(ephemeris::runEphemeris(s, host), platform::FileFault);
    EXPECT_EQ(tdtmode, 0);

    std::filesystem::remove(file("pref.zvd"));
    EXPECT_THROW(ephemeris::runEphemeris(s, host), platform::FileFault);
}

// The table is made for the years -1999 to 3000, judged on the instants of
// its rows (universal time and its TT, or TT in a TDT run): the span of
// the Delta T polynomials, inside those of VSOP87 and of the ELP Moon. Beyond
// it the rows were no positions (a negative distance at year 70000, a
// latitude past 90 degrees at 1e6, no calendar date at 1e20, one row for a
// range whose step the instant's rounding swallows at 1e15).
TEST_F(RunTest, DatesBeyondTheComputableYearsAreRefusedInEitherLanguage)
{
    struct Case {
        const char* what;
        ephemeris::EphemerisSettings s;
    };
    auto at = [](double y, double mo, double d, double h, double mi) {
        return range(0, y, mo, d, h, mi, y, mo, d, h, mi, 1, 2);
    };
    auto withEnd = [](ephemeris::EphemerisSettings s, double y, double mo, double d) {
        s.year2 = y, s.month2 = mo, s.day2 = d;
        return s;
    };
    const Case refused[] = {
        {"the last minute before -1999", at(-2000, 12, 31, 23, 59)},
        // Riyadh is three hours east: 3001 begins at 3 h local time, and a
        // TT of 4:15 local is 0:01 in universal time.
        {"the first minute after 3000", at(3001, 1, 1, 4, 15)},
        {"an end after 3000", withEnd(at(2004, 3, 21, 0, 0), 3001, 1, 2)},
        {"a local -1999 that is -2000 in universal time", at(-1999, 1, 1, 2, 59)},
        {"year -70000: a negative Sun distance", at(-70000, 1, 1, 0, 0)},
        {"year 70000", at(70000, 1, 1, 0, 0)},
        {"year 1e6: a latitude beyond 90 degrees", at(1e6, 1, 1, 0, 0)},
        {"year 1e20: no calendar date", at(1e20, 1, 1, 0, 0)},
        {"1e15 to 1e15 + 1 in hours: the step lost",
         range(0, 1e15, 1, 1, 0, 0, 1e15 + 1, 1, 1, 0, 0, 1, 2)},
        {"a day of many digits in 2004", withEnd(at(2004, 1, 1e15, 0, 0), 2004, 1, 2)},
        {"an hour of many digits", range(0, 2004, 1, 1, 1e12, 0, 2004, 1, 2, 0, 0, 1, 2)},
        // Not "end before start": the start is what is wrong.
        {"a far start before a near end", withEnd(at(1e9, 1, 1, 0, 0), 2004, 1, 2)},
    };
    // A local date within the span whose instant leaves it, twelve hours
    // west: 23 h of 31 December 3000 is 11 h UT of 3001.
    const std::string west = testsupport::withField(
        std::string(kRiyadh).substr(0, std::string(kRiyadh).find('\r')), 9, "-12");
    const Case refusedWest = {"3000-12-31 23:00 twelve hours west", at(3000, 12, 31, 23, 0)};
    for (const char* pref : {kEnglishPref, kArabicPref}) {
        put("pref.zvd", pref);
        std::vector<std::pair<Case, std::string>> all;
        for (const Case& c : refused)
            all.push_back({c, kRiyadh});
        all.push_back({refusedWest, west + "\r\n"});
        for (const auto& [c, loc] : all) {
            put("loc.zvd", loc);
            SCOPED_TRACE(std::string(c.what) + (pref == kEnglishPref ? " (English)" : " (Arabic)"));
            put(ephemeris::kReportFile, "old report\r\n");
            for (bool ut : {true, false}) {
                ephemeris::EphemerisSettings s = c.s;
                s.ut = ut;
                RecordingHost host;
                host.cancelAt = 1000; // a run that never ended would stop here
                EXPECT_EQ(ephemeris::runEphemeris(s, host), RunOutcome::FarDates);
                EXPECT_EQ(host.farDateRefusals, std::vector<bool>{pref == kEnglishPref});
                ASSERT_EQ(host.farDateTexts.size(), 1u);
                // The end, and the span, in the interface language.
                EXPECT_NE(host.farDateTexts[0].find(pref == kEnglishPref
                                                        ? "LOCAL Time lies beyond the years"
                                                        : "الوقت المحلي ل"),
                          std::string::npos)
                    << host.farDateTexts[0];
                EXPECT_TRUE(host.dateErrors.empty());
                EXPECT_EQ(host.handOvers, 0);
                EXPECT_TRUE(host.opened.empty());
                EXPECT_EQ(report(), "old report\r\n");
                EXPECT_EQ(tdtmode, 0);
            }
        }
    }
}

// A TDT run takes the instants typed as TT and judges them by their
// universal time: the table ending 31/12/3000 23:00 at zone 0 computes (TT
// runs 74 minutes ahead of universal time there), and the first hours of
// -1999, TT, still -2000 in universal time, are refused naming Delta T. A
// UT1 run judges the universal time itself, and the zone where it carries an
// end out, every sign in front of its digits in Arabic.
TEST_F(RunTest, TheEndsAreJudgedByUniversalTimeNamingWhatCarriesThemOut)
{
    const std::string riyadh = std::string(kRiyadh).substr(0, std::string(kRiyadh).find('\r'));
    const struct {
        const char* what;
        const char* zone;
        bool ut;
        double start[4], end[4]; // year, month, day, hour
        const char* refusal;     // the telling piece of the English refusal; "" computes
    } cases[] = {
        {"to 31/12/3000 23:00 at 0", "0", true, {3000, 12, 31, 20}, {3000, 12, 31, 23}, ""},
        {"to 31/12/3000 23:00 TT at 0", "0", false, {3000, 12, 31, 20}, {3000, 12, 31, 23}, ""},
        {"from 1/1/-1999 0:00 at 0", "0", true, {-1999, 1, 1, 0}, {-1999, 1, 1, 3}, ""},
        {"from 1/1/-1999 3:00 TT at 0",
         "0",
         false,
         {-1999, 1, 1, 3},
         {-1999, 1, 1, 6},
         "with Delta T taken off TT, that time is 31/12/-2000 "},
        {"from 1/1/-1999 2:00 at +3",
         "3",
         true,
         {-1999, 1, 1, 2},
         {-1999, 1, 1, 6},
         "at the zone +3 of loc.zvd (field 9), that time is 31/12/-2000 23:00 in universal "
         "time"},
        {"to 1/1/3001 1:00 at 0",
         "0",
         true,
         {3000, 12, 31, 20},
         {3001, 1, 1, 1},
         "The year 3001 of the End LOCAL Time lies beyond"},
    };
    for (const char* pref : {kEnglishPref, kArabicPref}) {
        put("pref.zvd", pref);
        const bool english = pref == kEnglishPref;
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (english ? " (English)" : " (Arabic)"));
            put("loc.zvd", testsupport::withField(riyadh, 9, c.zone) + "\r\n");
            ephemeris::EphemerisSettings s =
                range(0, c.start[0], c.start[1], c.start[2], c.start[3], 0, c.end[0], c.end[1],
                      c.end[2], c.end[3], 0, 1, 2);
            s.ut = c.ut;
            RecordingHost host;
            const RunOutcome outcome = ephemeris::runEphemeris(s, host);
            EXPECT_EQ(outcome, *c.refusal ? RunOutcome::FarDates : RunOutcome::Finished);
            if (!*c.refusal)
                continue;
            ASSERT_EQ(host.farDateTexts.size(), 1u);
            const QString text = QString::fromStdString(host.farDateTexts[0]);
            if (english)
                EXPECT_TRUE(text.contains(QString::fromUtf8(c.refusal))) << text.toStdString();
            else
                EXPECT_EQ(testsupport::signsOnTheFarSide(text), QStringList{});
        }
    }
}

// The first and the last minute of the span in universal time give
// ordinary rows, for the Sun and the Moon, three hours east: the first
// at 3 h local time, the last local minute of 3000 at 20:59 UT.
TEST_F(RunTest, TheEndsOfTheComputableYearsGiveTrueRows)
{
    struct Case {
        double year, month, day, hour, minute;
        const char* label;
    } cases[] = {
        {-1999, 1, 1, 3, 0, "03:00:00 01/01/-1999"},
        {3000, 12, 31, 23, 59, "23:59:00 31/12/3000"},
    };
    for (const Case& c : cases)
        for (int body : {0, 1}) {
            SCOPED_TRACE(std::string(c.label) + (body ? " Moon" : " Sun"));
            RecordingHost host;
            ASSERT_EQ(ephemeris::runEphemeris(range(body, c.year, c.month, c.day, c.hour, c.minute,
                                                    c.year, c.month, c.day, c.hour, c.minute, 1, 2),
                                              host),
                      RunOutcome::Finished);
            const auto rows = tableRows(report());
            ASSERT_EQ(rows.size(), 1u);
            EXPECT_EQ(rows[0].substr(0, rows[0].find(' ', 9)), c.label);

            const double t =
                ephemeris::clockInstant(c.year, c.month, c.day, c.hour, c.minute, 0, 3, false);
            const ephemeris::RowValues v = ephemeris::computeRow(body == 1, true, t);
            EXPECT_GT(v.distanceKm, body ? 350000 : 1.4e8);
            EXPECT_LT(v.distanceKm, body ? 410000 : 1.53e8);
            EXPECT_LE(std::fabs(v.latitude), body ? 5.4 : 0.01);
            EXPECT_LE(std::fabs(v.dec), 29);
            EXPECT_GT(v.semidiameter, 0.24);
            EXPECT_LT(v.semidiameter, 0.28);
        }
}

TEST_F(RunTest, AFailedWriteIsReportedAndKeepsTheOldReport)
{
    put(ephemeris::kReportFile, "old report\r\n");
    testsupport::FailingWriter failing("disk full");
    platform::FileWriter* old = platform::setFileWriter(&failing);
    RecordingHost host;
    const RunOutcome outcome =
        ephemeris::runEphemeris(range(0, 2004, 3, 21, 0, 0, 2004, 3, 21, 3, 0, 1, 2), host);
    platform::setFileWriter(old);
    EXPECT_EQ(outcome, RunOutcome::WriteFailed);
    EXPECT_EQ(host.failures, std::vector<std::string>{"disk full"});
    EXPECT_TRUE(host.opened.empty());
    EXPECT_EQ(report(), "old report\r\n");
}

// A long table goes through a temporary file instead of memory; the file it
// leaves is the same, and a failure still keeps the old report.
TEST_F(RunTest, ASpilledReportIsTheSameText)
{
    std::string all;
    {
        ephemeris::ReportText whole;
        ephemeris::ReportText spilled(64);
        for (int i = 0; i < 100; ++i) {
            const std::string l = "line " + std::to_string(i) + std::string(i % 7, '=');
            whole.line(l);
            spilled.line(l);
        }
        all = whole.text();
        std::string error;
        ASSERT_TRUE(spilled.save(file(ephemeris::kReportFile), error)) << error;
    }
    EXPECT_EQ(report(), all);
    for (const auto& entry : std::filesystem::directory_iterator(folder()))
        EXPECT_EQ(entry.path().filename().string().find(".ephemeris.out."), std::string::npos);

    std::filesystem::remove(file(ephemeris::kReportFile));
    std::filesystem::create_directories(file(ephemeris::kReportFile) / "busy");
    ephemeris::ReportText spilled(64);
    for (int i = 0; i < 100; ++i)
        spilled.line("row");
    std::string error;
    EXPECT_FALSE(spilled.save(file(ephemeris::kReportFile), error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_directory(file(ephemeris::kReportFile) / "busy"));
}

using SettingsFileTest = EphemerisTest;

TEST_F(SettingsFileTest, TheRecordRoundTripsInItsOrder)
{
    ephemeris::EphemerisSettings s = range(0, 2004, 3, 21, 0, 0, 2004, 3, 22, 0, 0, 1, 2);
    ASSERT_TRUE(ephemeris::writeEphemerisSettings(s));
    EXPECT_EQ(get("coor.zvd"), "0,#TRUE#,#TRUE#,2004,3,21,0,0,0,2004,3,22,0,0,0,1,2,0\r\n");

    s = range(-1, 1999.5, 12, 31, 23, 59, 2000, 1, 1, 0, 0, 3, -1);
    s.second1 = 59, s.second2 = 1;
    s.ut = false, s.geocentric = false, s.summer = 1;
    ASSERT_TRUE(ephemeris::writeEphemerisSettings(s));
    EXPECT_EQ(get("coor.zvd"),
              "-1,#FALSE#,#FALSE#,1999.5,12,31,23,59,59,2000,1,1,0,0,1,3,-1,1\r\n");
    const ephemeris::EphemerisSettings r = ephemeris::readEphemerisSettings();
    EXPECT_EQ(ephemeris::toFields(r).size(), 18u);
    EXPECT_EQ(settings::writeSettingsLine(ephemeris::toFields(r)), get("coor.zvd"));
}

TEST_F(SettingsFileTest, AMissingOrShortFileStopsNamingIt)
{
    std::filesystem::remove(file("coor.zvd"));
    EXPECT_THROW(ephemeris::readEphemerisSettings(), platform::FileFault);
    put("coor.zvd", "0,#TRUE#,#TRUE#,2004,3,21\r\n");
    try {
        ephemeris::readEphemerisSettings();
        FAIL();
    } catch (const platform::FileFault& f) {
        EXPECT_EQ(f.file(), "coor.zvd");
        EXPECT_EQ(f.kind(), platform::FileFaultKind::Short);
    }
}

TEST_F(SettingsFileTest, TheShippedFileIsARecord)
{
    EXPECT_EQ(testsupport::readFile(testsupport::dataDir() / "settings" / "coor.zvd"),
              "0,#TRUE#,#TRUE#,2004,3,21,0,0,0,2004,3,22,0,0,0,1,2,0\r\n");
}

} // namespace

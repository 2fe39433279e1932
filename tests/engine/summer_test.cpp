#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "engine/modsummer.h"
#include "platform/filewriter.h"
#include "support/testsupport.h"

namespace {

std::string preferences(int smf, int sdf, int smt, int sdt, const std::string& summ)
{
    return "18,18," + std::to_string(smf) + "," + std::to_string(sdf) + "," + std::to_string(smt) +
           "," + std::to_string(sdt) + ",0,0,0,0,\"" + summ +
           "\",\"0\",\"1\",\"1\",#TRUE#,\"1\",\"1\",0,0,1\r\n";
}

class Summer : public testsupport::ProgramFolderTest {
protected:
    int flag(double day, double month, double year = 2026)
    {
        std::int16_t f = 7;
        summer(day, month, year, f);
        return f;
    }
};

} // namespace

TEST_F(Summer, Windows)
{
    struct Window {
        int smf, sdf, smt, sdt;
        const char* summ;
    };
    struct Case {
        const char* what;
        Window window;
        double day, month, year;
        int flag;
    } cases[] = {
        {"first day included", {4, 1, 10, 1, "1"}, 1, 4, 2026, 1},
        {"last day included", {4, 1, 10, 1, "1"}, 1, 10, 2026, 1},
        {"the day before", {4, 1, 10, 1, "1"}, 31, 3, 2026, 0},
        {"the day after", {4, 1, 10, 1, "1"}, 2, 10, 2026, 0},
        {"wrapping: December", {10, 1, 4, 1, "1"}, 15, 12, 2026, 1},
        {"wrapping: January", {10, 1, 4, 1, "1"}, 15, 1, 2027, 1},
        {"wrapping: 31 December", {10, 1, 4, 1, "1"}, 31, 12, 2026, 1},
        {"wrapping: 1 January", {10, 1, 4, 1, "1"}, 1, 1, 2027, 1},
        {"wrapping: June is outside", {10, 1, 4, 1, "1"}, 15, 6, 2026, 0},
        {"wrapping: start day", {10, 1, 4, 1, "1"}, 1, 10, 2026, 1},
        {"wrapping: end day", {10, 1, 4, 1, "1"}, 1, 4, 2026, 1},
        {"wrapping: the day after the end", {10, 1, 4, 1, "1"}, 2, 4, 2026, 0},
        {"wrapping: the day before the start", {10, 1, 4, 1, "1"}, 30, 9, 2026, 0},
        {"one-day window: that day", {6, 21, 6, 21, "1"}, 21, 6, 2026, 1},
        {"one-day window: the next day", {6, 21, 6, 21, "1"}, 22, 6, 2026, 0},
        {"switch off", {4, 1, 10, 1, "0"}, 1, 6, 2026, 0},
        {"only the text \"1\" switches on", {4, 1, 10, 1, "yes"}, 1, 6, 2026, 0},
        {"a fractional day is rounded: 14.6 is the 15th", {3, 15, 10, 1, "1"}, 14.6, 3, 2026, 1},
        {"an exact half goes to even: 14.5 is the 14th", {3, 15, 10, 1, "1"}, 14.5, 3, 2026, 0},
        {"31 April rolls over into 1 May", {5, 1, 10, 1, "1"}, 31, 4, 2026, 1},
        {"29 February of a common year is 1 March", {3, 1, 10, 1, "1"}, 29, 2, 2026, 1},
        {"29 February of a leap year stays February", {3, 1, 10, 1, "1"}, 29, 2, 2028, 0},
        {"an end of 31 September reaches 1 October", {4, 1, 9, 31, "1"}, 1, 10, 2026, 1},
    };
    for (const Case& c : cases) {
        const Window& w = c.window;
        put("pref.zvd", preferences(w.smf, w.sdf, w.smt, w.sdt, w.summ));
        EXPECT_EQ(flag(c.day, c.month, c.year), c.flag) << c.what;
    }
}

TEST_F(Summer, ASavedChangeCountsAtTheNextCall)
{
    put("pref.zvd", preferences(4, 1, 10, 1, "1"));
    EXPECT_EQ(flag(1, 6), 1);
    std::string error;
    ASSERT_TRUE(
        platform::fileWriter().replaceFile(file("pref.zvd"), preferences(4, 1, 10, 1, "0"), error));
    EXPECT_EQ(flag(1, 6), 0);
}

TEST_F(Summer, AMissingOrShortFileStops)
{
    EXPECT_THROW(flag(1, 6), platform::FileFault);
    put("pref.zvd", "18,18,4,1,10,1,0,0,0,0,\"1\"\r\n");
    EXPECT_THROW(flag(1, 6), platform::FileFault);
}

// The window itself under its two year rules: the engine's `summer` and the
// alert program's day take the tested year, the crescent preview and the
// Qibla times compare month and day as dates of one leap year. They differ
// only where a window's end does not exist in the tested year.
TEST(SummerWindow, BothYearRules)
{
    using Rule = SummerYearRule;
    struct Case {
        const char* what;
        int smf, sdf, smt, sdt;
        double year, month, day;
        bool testedYear, oneLeapYear;
    } cases[] = {
        {"inside", 4, 1, 10, 1, 2026, 6, 15, true, true},
        {"first day", 4, 1, 10, 1, 2026, 4, 1, true, true},
        {"last day", 4, 1, 10, 1, 2026, 10, 1, true, true},
        {"the day after", 4, 1, 10, 1, 2026, 10, 2, false, false},
        {"the day before", 4, 1, 10, 1, 2026, 3, 31, false, false},
        {"wrapping: December", 10, 1, 3, 31, 2026, 12, 20, true, true},
        {"wrapping: January", 10, 1, 3, 31, 2027, 1, 5, true, true},
        {"wrapping: June is outside", 10, 1, 3, 31, 2026, 6, 1, false, false},
        {"wrapping: the end day", 10, 1, 3, 31, 2026, 3, 31, true, true},
        {"one-day window", 2, 29, 2, 29, 2028, 2, 29, true, true},
        {"an end of 31 April: 1 May", 3, 28, 4, 31, 2026, 5, 1, true, false},
        {"an end of 31 April: 30 April", 3, 28, 4, 31, 2026, 4, 30, true, true},
        {"an end of 29 February, common year: 1 March", 1, 1, 2, 29, 2026, 3, 1, true, false},
        {"an end of 29 February, leap year: 1 March", 1, 1, 2, 29, 2028, 3, 1, false, false},
        {"a start of 29 February, common year: 28 February", 2, 29, 10, 1, 2026, 2, 28, false,
         false},
        {"a start of 31 April: 1 May", 4, 31, 10, 1, 2026, 5, 1, true, true},
    };
    for (const Case& c : cases) {
        settings::Preferences pref;
        pref.smf = c.smf, pref.sdf = c.sdf, pref.smt = c.smt, pref.sdt = c.sdt;
        EXPECT_EQ(inSummerWindow(pref, Rule::TestedYear, c.year, c.month, c.day), c.testedYear)
            << c.what;
        EXPECT_EQ(inSummerWindow(pref, Rule::OneLeapYear, c.year, c.month, c.day), c.oneLeapYear)
            << c.what;
    }
}

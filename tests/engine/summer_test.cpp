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

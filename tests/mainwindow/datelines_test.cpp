#include <gtest/gtest.h>

#include "mainwindow/datelines.h"

namespace {

using mainwindow::CalendarDate;

TEST(DateLines, BothLanguages)
{
    struct Case {
        const char* what;
        bool english;
        const char* weekday;
        CalendarDate gregorian, hijri;
        const char* line;
    };
    const Case cases[] = {
        {"English",
         true,
         "Wednesday",
         {9, 12, 2026},
         {28, 6, 1448},
         "Machine's Date: Wednesday, 9 December 2026 ( 28 Jamada Aakherah 1448 )"},
        {"Arabic: two blanks after the colon, the Arabic comma",
         false,
         "الأربعاء",
         {9, 12, 2026},
         {28, 6, 1448},
         "تاريخ الجهاز:  الأربعاء، 9 كانون أول 2026 ( 28 جمادي الآخرة 1448 )"},
        {"no leading zeros; May is spelled with plain alef",
         false,
         "الجمعة",
         {1, 5, 2026},
         {5, 5, 1447},
         "تاريخ الجهاز:  الجمعة، 1 أيار 2026 ( 5 جمادى الأولى 1447 )"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(mainwindow::machineDateLine(c.english, c.weekday, c.gregorian, c.hijri), c.line)
            << c.what;
}

TEST(DateLines, ClockLine)
{
    EXPECT_EQ(mainwindow::machineTimeLine(true, 17, 45), "Machine's Time: 17:45");
    EXPECT_EQ(mainwindow::machineTimeLine(true, 7, 5), "Machine's Time: 07:05");
    EXPECT_EQ(mainwindow::machineTimeLine(false, 0, 0), "وقت الجهاز: 00:00");
}

} // namespace

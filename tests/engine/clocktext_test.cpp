#include <string>

#include <gtest/gtest.h>

#include "engine/modctim.h"
#include "engine/moddegree.h"
#include "engine/moddegree2.h"
#include "engine/moddegree3.h"

namespace {

std::string clock(const NumberOrText& mode, double hours)
{
    std::string text = "unset";
    ctim(mode, hours, text);
    return text;
}

} // namespace

TEST(ClockText, Ctim)
{
    struct Case {
        const char* what;
        NumberOrText mode;
        double hours;
        const char* text;
    } cases[] = {
        {"seconds form", "0", 5.5, "05:30:00"},
        {"midnight", "0", 0, "00:00:00"},
        {"the number 0 selects seconds too", 0, 7 + 5 / 60.0 + 9 / 3600.0, "07:05:09"},
        {"a rounded 60 s carries into the hour", "0", 12.999999, "13:00:00"},
        {"24:00:00 from 23:59:59.5 on", "0", 23.99999, "24:00:00"},
        {"just below 23:59:59.5", "0", 23 + 59 / 60.0 + 59.4 / 3600, "23:59:59"},
        {"seconds half to even: 52.5 s gives 52", "0", 1 / 32.0, "00:01:52"},
        {"seconds half to even: 37.5 s gives 38", "0", 3 / 32.0, "00:05:38"},
        {"minutes form", 1, 6.25, "06:15"},
        {"24:00 under mode 1", 1, 23.9918, "24:00"},
        {"the text \"1\" of the preferences, 23:59:29.5", "1", 23.99153, "24:00"},
        {"below the 24:00 threshold", 1, 23 + 59 / 60.0 + 29.4 / 3600, "23:59"},
        {"other modes wrap to 00:00", 2, 23.9999, "00:00"},
        {"a mode text holding 2 is not 1", "2", 23.9999, "00:00"},
        {"minutes 30.5 round to even 30", 1, 30.5 / 60, "00:30"},
        {"minutes 31.5 round to even 32", 1, 31.5 / 60, "00:32"},
        {"a rounded 60 min carries into the hour", 1, 9.9999, "10:00"},
        {"24 h and more wrap past midnight (high latitudes)", 1, 24.2, "00:12"},
        {"wrapping in the seconds form", "0", 25.5, "01:30:00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(clock(c.mode, c.hours), c.text) << c.what;
}

TEST(ClockText, Sexagesimal)
{
    using Procedure = void (*)(const NumberOrText&, const NumberOrText&, double, std::string&);
    struct Case {
        const char* what;
        Procedure procedure;
        NumberOrText mode, style;
        double value;
        const char* text;
    } cases[] = {
        {"degree, sign style", degree, 0, "d", 21.4186, "+21\u00b0:25':07\""},
        {"degree, sign style, minutes only", degree, 1, "d", 21.4186, "+21\u00b0:25'"},
        {"degree, the text \"1\" selects minutes only", degree, "1", "d", 21.4186, "+21\u00b0:25'"},
        {"degree, letter style keeps the sign of -0.2", degree, 0, "x", -0.2, "-00H 12M 00S "},
        {"degree, \"D\" is the letter style", degree, 1, "D", 21.4186, "+21H 25M "},
        {"degree, zero is positive", degree, 0, "d", 0, "+00\u00b0:00':00\""},
        {"degree2, negative", degree2, 0, "d", -5.5, "-05:30:00"},
        {"degree2, seconds carry into degrees", degree2, 0, "d", 10.99999, "+11:00:00"},
        {"degree2, minutes carry into degrees", degree2, 1, "d", 10.999, "+11:00"},
        {"degree2, three-digit degrees", degree2, 1, "d", -123.5, "-123:30"},
        {"degree2, letter style", degree2, 0, "", 3.25, "+03H 15M 00S "},
        {"degree3, minutes carry into hours", degree3, 1, "d", 12.9999, "13:00"},
        {"degree3, letter style without sign", degree3, 0, "h", 3.25, "03H 15M 00S "},
        {"degree3, no sign for a negative value", degree3, 0, "d", -3.25, "03:15:00"},
        {"degree3, letter style minutes only", degree3, 1, 0, 3.25, "03H 15M "},
        {"seconds half to even: 52.5 s gives 52", degree3, 0, "d", 1 / 32.0, "00:01:52"},
        {"seconds half to even: 37.5 s gives 38", degree2, 0, "d", -3 / 32.0, "-00:05:38"},
    };
    for (const Case& c : cases) {
        std::string text = "unset";
        c.procedure(c.mode, c.style, c.value, text);
        EXPECT_EQ(text, c.text) << c.what;
    }
}

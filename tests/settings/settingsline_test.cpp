#include <clocale>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "settings/settingsline.h"

using settings::SettingsField;
using settings::SettingsLineReader;
using Kind = SettingsField::Kind;

namespace {

std::vector<SettingsField> readAll(const std::string& contents, size_t count)
{
    std::vector<SettingsField> fields;
    SettingsLineReader(contents).read(fields, count);
    return fields;
}

} // namespace

TEST(SettingsLine, NumbersAreWrittenInPlainDecimal)
{
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {18, "18"},
        {0, "0"},
        {-5, "-5"},
        {19.5, "19.5"},
        {-3.25, "-3.25"},
        {0.5, "0.5"},
        {-0.5, "-0.5"},
        {0.0065, "0.0065"},
        {1.0 / 3, "0.333333333333333"},
        {123456.789, "123456.789"},
        {1e-7, "0.0000001"},
        {2e20, "200000000000000000000"},
        {5.333, "5.333"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(settings::formatNumber(c.value), c.text) << c.value;
}

TEST(SettingsLine, ReadingTable)
{
    struct Case {
        const char* what;
        std::string contents;
        size_t count;
        std::vector<std::string> texts; // asText of each field read
        std::vector<double> numbers;    // asNumber of each field read
    } cases[] = {
        {"comma inside a quoted name", "\"Mecca, KSA\",3\r\n", 2, {"Mecca, KSA", "3"}, {0, 3}},
        {"negative numbers", "-5,-0.25\r\n", 2, {"-5", "-0.25"}, {-5, -0.25}},
        {"fraction without a leading zero",
         ".5,-.5,0.5\r\n",
         3,
         {".5", "-.5", "0.5"},
         {0.5, -0.5, 0.5}},
        {"empty fields", "1,,\"\",3\r\n", 4, {"1", "", "", "3"}, {1, 0, 0, 3}},
        {"extra fields are ignored", "1,2,3,4\r\n5\r\n", 2, {"1", "2"}, {1, 2}},
        {"a line end separates fields", "1,2\r\n3,4\r\n", 4, {"1", "2", "3", "4"}, {1, 2, 3, 4}},
        {"LF alone also ends a line", "1,2\n3\n", 3, {"1", "2", "3"}, {1, 2, 3}},
        {"blanks before a field", "  1, \"a\",  2\r\n", 3, {"1", "a", "2"}, {1, 0, 2}},
        {"exponent", "1E3,2.5e-2\r\n", 2, {"1E3", "2.5e-2"}, {1000, 0.025}},
        {"text holding a number", "\"0.0065\"\r\n", 1, {"0.0065"}, {0.0065}},
        {"empty last field", "1,\r\n", 2, {"1", ""}, {1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto fields = readAll(c.contents, c.count);
        ASSERT_EQ(fields.size(), c.texts.size());
        for (size_t i = 0; i < fields.size(); ++i) {
            EXPECT_EQ(fields[i].asText(), c.texts[i]) << "field " << i;
            EXPECT_DOUBLE_EQ(fields[i].asNumber(), c.numbers[i]) << "field " << i;
        }
    }
}

TEST(SettingsLine, TruthFieldsAndKinds)
{
    const auto f = readAll("#TRUE#,#FALSE#,\"1\",1,,abc\r\n", 6);
    ASSERT_EQ(f.size(), 6u);
    EXPECT_EQ(f[0].kind(), Kind::Truth);
    EXPECT_TRUE(f[0].asTruth());
    EXPECT_FALSE(f[1].asTruth());
    EXPECT_EQ(f[2].kind(), Kind::Text);
    EXPECT_EQ(f[3].kind(), Kind::Number);
    EXPECT_EQ(f[2].asText(), f[3].asText()); // a flag compares as "1" either way
    EXPECT_EQ(f[4].kind(), Kind::Empty);
    EXPECT_FALSE(f[4].asTruth());
    EXPECT_EQ(f[5].kind(), Kind::Unreadable);
}

TEST(SettingsLine, ShortContentsReadFewerFields)
{
    EXPECT_EQ(readAll("1,2\r\n", 5).size(), 2u);
    EXPECT_EQ(readAll("", 3).size(), 0u);
    EXPECT_EQ(readAll("\r\n\r\n", 3).size(), 0u);
}

TEST(SettingsLine, WriteAndReadBack)
{
    const std::vector<SettingsField> fields = {
        SettingsField::text("Mecca, KSA"), SettingsField::number(-5),  SettingsField::empty(),
        SettingsField::truth(true),        SettingsField::number(0.5), SettingsField::truth(false)};
    const std::string line = settings::writeSettingsLine(fields);
    EXPECT_EQ(line, "\"Mecca, KSA\",-5,,#TRUE#,0.5,#FALSE#\r\n");
    const auto back = readAll(line, fields.size());
    ASSERT_EQ(back.size(), fields.size());
    for (size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(back[i].kind(), fields[i].kind()) << i;
        EXPECT_EQ(back[i].asText(), fields[i].asText()) << i;
    }
}

TEST(SettingsLine, TextWithADoubleQuoteIsRefused)
{
    EXPECT_THROW(settings::writeSettingsLine({SettingsField::text("say \"hi\"")}),
                 settings::UnwritableText);
}

TEST(SettingsLine, LenientNumberParse)
{
    struct Case {
        const char* text;
        double value;
    } cases[] = {{"2 0", 20},   {"12abc", 12},  {"-3", -3},     {"abc", 0},
                 {"", 0},       {" 1.5 ", 1.5}, {"\t4\n2", 42}, {".25", 0.25},
                 {"1e2x", 100}, {"+7", 7},      {"0,0065", 0}};
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(settings::lenientNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(SettingsLine, LenientNumberOverflowIsToldApartFromZero)
{
    struct Case {
        const char* text;
        bool overflows;
    } cases[] = {{"1e309", true},    {"-1e400", true}, {" 1 e 3 0 9", true},
                 {"1e309abc", true}, {"1e308", false}, {"1e-400", false},
                 {"0", false},       {"abc", false},   {"", false}};
    for (const Case& c : cases)
        EXPECT_EQ(settings::lenientNumberOverflows(c.text), c.overflows) << '"' << c.text << '"';
}

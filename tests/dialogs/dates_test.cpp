#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>

#include "dialogtest.h"
#include "settings/dialogs/frmdate.h"
#include "settings/records.h"
#include "support/signedtext.h"

using namespace dialogtest;

namespace {

class DatesTest : public DialogTest {
protected:
    QLineEdit* box(frmdate& d, const char* name) { return child<QLineEdit>(&d, name); }
    QComboBox* combo(frmdate& d, const char* name) { return child<QComboBox>(&d, name); }
    QRadioButton* opt(frmdate& d, const char* name) { return child<QRadioButton>(&d, name); }

    // The nine date controls: from, to, one day (year, month, day each).
    void enter(frmdate& d, const std::array<const char*, 9>& v)
    {
        box(d, "txtfyear")->setText(v[0]);
        combo(d, "cbofmonth")->setEditText(v[1]);
        combo(d, "cbofday")->setEditText(v[2]);
        box(d, "txttyear")->setText(v[3]);
        combo(d, "cbotmonth")->setEditText(v[4]);
        combo(d, "cbotday")->setEditText(v[5]);
        box(d, "txtoyear")->setText(v[6]);
        combo(d, "cboomonth")->setEditText(v[7]);
        combo(d, "cbooday")->setEditText(v[8]);
    }
};

const char* const kOneDayGroup[] = {"lbloyear",  "txtoyear", "lblomonth",
                                    "cboomonth", "lbloday",  "cbooday"};
const char* const kPeriodGroups[] = {"lblf",      "lblfyear",  "txtfyear", "lblfmonth", "cbofmonth",
                                     "lblfday",   "cbofday",   "lblt",     "lbltyear",  "txttyear",
                                     "lbltmonth", "cbotmonth", "lbltday",  "cbotday"};

} // namespace

TEST_F(DatesTest, EachModeRestoresItsControlsAndSavesItsDates)
{
    const struct {
        const char* file; // date.zvd as stored
        const char* mode;
        bool oneDayEnabled, periodEnabled;
        const char* written; // after OK with the controls as restored
    } cases[] = {
        {"#TRUE#,2025,3,4,2025,3,4,2024,1,2,2024,5,6,2025,3,4,#FALSE#,#FALSE#\r\n", "optday", true,
         false, "#TRUE#,2025,3,4,2025,3,4,2024,1,2,2024,5,6,2025,3,4,#FALSE#,#FALSE#\r\n"},
        {"#FALSE#,0,0,0,0,0,0,2024,1,2,2024,5,6,2025,3,4,#TRUE#,#FALSE#\r\n", "optper", false, true,
         "#FALSE#,2024,1,2,2024,5,6,2024,1,2,2024,5,6,2025,3,4,#TRUE#,#FALSE#\r\n"},
        // The system date runs no date test: a reversed period is saved as it is.
        {"#FALSE#,0,0,0,0,0,0,2024,5,6,2024,1,2,2025,3,4,#FALSE#,#TRUE#\r\n", "optsystem", false,
         false, "#FALSE#,2024,5,6,2024,1,2,2024,5,6,2024,1,2,2025,3,4,#FALSE#,#TRUE#\r\n"},
    };
    for (const auto& c : cases) {
        put("date.zvd", c.file);
        frmdate d;
        QSignalSpy saved(&d, &frmdate::saved);
        EXPECT_TRUE(opt(d, c.mode)->isChecked()) << c.mode;
        for (const char* name : kOneDayGroup)
            EXPECT_EQ(child<QWidget>(&d, name)->isEnabled(), c.oneDayEnabled) << c.mode << name;
        for (const char* name : kPeriodGroups)
            EXPECT_EQ(child<QWidget>(&d, name)->isEnabled(), c.periodEnabled) << c.mode << name;
        d.cmdok_Click();
        EXPECT_TRUE(messages.empty()) << c.mode;
        EXPECT_EQ(get("date.zvd"), c.written) << c.mode;
        EXPECT_EQ(saved.count(), 1);
        EXPECT_EQ(d.result(), QDialog::Accepted);
    }
}

TEST_F(DatesTest, SwitchingTheModeKeepsTheValuesOfDisabledControls)
{
    frmdate d;
    opt(d, "optday")->setChecked(true);
    enter(d, {"2020", "1", "1", "2020", "2", "2", "2021", "7", "8"});
    opt(d, "optper")->setChecked(true);
    EXPECT_FALSE(box(d, "txtoyear")->isEnabled());
    EXPECT_TRUE(box(d, "txtfyear")->isEnabled());
    EXPECT_EQ(box(d, "txtoyear")->text(), "2021");
    d.cmdok_Click();
    EXPECT_EQ(get("date.zvd"),
              "#FALSE#,2020,1,1,2020,2,2,2020,1,1,2020,2,2,2021,7,8,#TRUE#,#FALSE#\r\n");
}

TEST_F(DatesTest, TheLastDateOfAPeriodMayNotComeBeforeTheFirst)
{
    const struct {
        std::array<const char*, 6> period; // from y m d, to y m d
        bool accepted;
        const char* why;
    } cases[] = {
        {{"2024", "3", "1", "2024", "3", "1"}, true, "equal dates"},
        {{"2024", "3", "2", "2024", "3", "1"}, false, "one day back"},
        {{"2025", "1", "1", "2024", "12", "31"}, false, "a year back"},
        // 31 February rolls over into March: 3 March, or 2 March in a leap year.
        {{"2002", "2", "31", "2002", "3", "2"}, false, "31 Feb 2002 is 3 Mar"},
        {{"2002", "2", "31", "2002", "3", "3"}, true, "31 Feb 2002 is 3 Mar"},
        {{"2004", "2", "31", "2004", "3", "2"}, true, "31 Feb 2004 is 2 Mar"},
        {{"2002", "13", "1", "2003", "1", "1"}, true, "month 13 is next January"},
        {{"2002", "13", "1", "2002", "12", "31"}, false, "month 13 is next January"},
        {{"2002", "3", "0", "2002", "2", "28"}, true, "day 0 is the last of the month before"},
        // Each number goes to the nearest whole number, an exact half to the even one.
        {{"2002.5", "1", "1", "2002", "1", "1"}, true, "2002.5 is 2002"},
        {{"2003.5", "1", "1", "2003", "12", "31"}, false, "2003.5 is 2004"},
        {{"2002", "1", "1.6", "2002", "1", "1"}, false, "day 1.6 is 2"},
        {{"abc", "1", "1", "2002", "1", "1"}, true, "a year without a number is 0"},
    };
    for (const auto& c : cases) {
        const std::string before =
            "#FALSE#,0,0,0,0,0,0,2000,1,1,2000,1,1,2000,1,1,#TRUE#,#FALSE#\r\n";
        put("date.zvd", before);
        messages.clear();
        frmdate d;
        const auto& p = c.period;
        enter(d, {p[0], p[1], p[2], p[3], p[4], p[5], "2000", "1", "1"});
        d.cmdok_Click();
        if (c.accepted) {
            EXPECT_TRUE(messages.empty()) << c.why;
            EXPECT_NE(get("date.zvd"), before) << c.why;
            continue;
        }
        ASSERT_EQ(messages.size(), 1u) << c.why;
        EXPECT_EQ(messages[0].text, "The end date must be AFTER the beginning date!");
        EXPECT_EQ(messages[0].title, "Date Error");
        EXPECT_EQ(messages[0].icon, platform::MsgIcon::Warning);
        EXPECT_EQ(d.focusWidget(), box(d, "txtfyear")) << c.why;
        EXPECT_EQ(get("date.zvd"), before) << c.why;
        EXPECT_EQ(d.result(), QDialog::Rejected) << c.why;
    }
}

// A year outside the computable years is refused, naming its box, in the
// boxes the chosen mode uses; date.zvd stays as it was. Those of the other
// mode are saved as they are.
TEST_F(DatesTest, AYearBeyondTheComputableYearsIsRefusedNamingItsBox)
{
    const struct {
        const char* mode;
        std::array<const char*, 9> dates;
        const char* box; // nullptr: saved
        const char* english;
        const char* arabic;
    } cases[] = {
        {"optday",
         {"2026", "1", "1", "2026", "1", "1", "100000", "1", "1"},
         "txtoyear",
         "The year of the one-day date must be from -1999 to 3000!",
         "السنة في تاريخ اليوم الواحد يجب أن تكون من \u2066-1999\u2069 إلى \u20663000\u2069"},
        {"optday",
         {"2026", "1", "1", "2026", "1", "1", "3001", "12", "11"},
         "txtoyear",
         "The year of the one-day date must be from -1999 to 3000!",
         "السنة في تاريخ اليوم الواحد يجب أن تكون من \u2066-1999\u2069 إلى \u20663000\u2069"},
        {"optper",
         {"-2000", "1", "1", "2026", "1", "1", "2026", "1", "1"},
         "txtfyear",
         "The year of the beginning date must be from -1999 to 3000!",
         "السنة في التاريخ الأول يجب أن تكون من \u2066-1999\u2069 إلى \u20663000\u2069"},
        {"optper",
         {"2026", "1", "1", "40001", "1", "1", "2026", "1", "1"},
         "txttyear",
         "The year of the end date must be from -1999 to 3000!",
         "السنة في التاريخ الثاني يجب أن تكون من \u2066-1999\u2069 إلى \u20663000\u2069"},
        {"optday", {"2026", "1", "1", "2026", "1", "1", "3000", "12", "31"}, nullptr, "", ""},
        {"optday", {"2026", "1", "1", "2026", "1", "1", "-1999", "1", "1"}, nullptr, "", ""},
        {"optper", {"-1999", "1", "1", "3000", "12", "31", "2026", "1", "1"}, nullptr, "", ""},
        {"optday", {"-70000", "1", "1", "70000", "1", "1", "2026", "12", "11"}, nullptr, "", ""},
        {"optper", {"2026", "1", "1", "2026", "1", "2", "100000", "1", "1"}, nullptr, "", ""},
        {"optsystem", {"2026", "1", "1", "100000", "1", "1", "100000", "1", "1"}, nullptr, "", ""},
    };
    for (bool english : {true, false}) {
        put("pref.zvd", std::string("18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",") +
                            (english ? "#TRUE#" : "#FALSE#") + ",\"1\",\"1\",0,0,1\r\n");
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.mode) + " " + c.dates[0] + " " + c.dates[3] + " " +
                         c.dates[6] + (english ? " English" : " Arabic"));
            const std::string before =
                "#FALSE#,0,0,0,0,0,0,2000,1,1,2000,1,1,2000,1,1,#TRUE#,#FALSE#\r\n";
            put("date.zvd", before);
            messages.clear();
            frmdate d;
            d.show();
            QApplication::setActiveWindow(&d);
            opt(d, c.mode)->setChecked(true);
            enter(d, c.dates);
            d.cmdok_Click();
            if (!c.box) {
                EXPECT_TRUE(messages.empty());
                EXPECT_NE(get("date.zvd"), before);
                continue;
            }
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].text, QString::fromUtf8(english ? c.english : c.arabic));
            EXPECT_EQ(testsupport::signsOnTheFarSide(messages[0].text), QStringList{});
            EXPECT_EQ(messages[0].title,
                      english ? QStringLiteral("Date Error") : QStringLiteral("خطأ"));
            EXPECT_EQ(QApplication::focusWidget(), box(d, c.box));
            EXPECT_EQ(get("date.zvd"), before);
            EXPECT_EQ(d.result(), QDialog::Rejected);
        }
    }
}

TEST_F(DatesTest, NumbersAreSavedAsTyped)
{
    frmdate d;
    opt(d, "optday")->setChecked(true);
    // A fraction is saved with its fraction, a text as 0, 31 February as typed.
    enter(d, {"19 99", "x", "1", "2000", "1", "1", "2002.5", "2", "31abc"});
    d.cmdok_Click();
    EXPECT_EQ(get("date.zvd"),
              "#TRUE#,2002.5,2,31,2002.5,2,31,1999,0,1,2000,1,1,2002.5,2,31,#FALSE#,#FALSE#\r\n");
}

TEST_F(DatesTest, ArabicInterface)
{
    put("pref.zvd", "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#FALSE#,\"1\",\"1\",0,0,1\r\n");
    put("date.zvd", "#FALSE#,0,0,0,0,0,0,2024,5,6,2024,1,2,2025,3,4,#TRUE#,#FALSE#\r\n");
    frmdate d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("التاريخ"));
    EXPECT_GT(child<QWidget>(&d, "cmdok")->x(), child<QWidget>(&d, "cmdcan")->x());
    // Only the window, the frame and the options turn right to left.
    for (const char* name : {"fradate", "optday", "optsystem"})
        EXPECT_EQ(child<QWidget>(&d, name)->layoutDirection(), Qt::RightToLeft) << name;
    for (const char* name :
         {"lbloyear", "txtoyear", "cboomonth", "lblf", "txttyear", "cbotday", "lblthis"})
        EXPECT_EQ(child<QWidget>(&d, name)->layoutDirection(), Qt::LeftToRight) << name;
    d.cmdok_Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("التاريخ الثاني يجب أن يكون بعد التاريخ الأول"));
    EXPECT_EQ(messages[0].title, QStringLiteral("خطأ"));
}

TEST_F(DatesTest, AFailedSaveSaysSoAndKeepsTheDialogAndTheOldFile)
{
    const std::string before = get("date.zvd");
    FailingWriter failing;
    platform::setFileWriter(&failing);
    frmdate d;
    QSignalSpy saved(&d, &frmdate::saved);
    opt(d, "optday")->setChecked(true);
    d.cmdok_Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains("date.zvd"));
    EXPECT_EQ(saved.count(), 0);
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(get("date.zvd"), before);
}

TEST_F(DatesTest, CancelWritesNothing)
{
    const std::string before = get("date.zvd");
    frmdate d;
    opt(d, "optday")->setChecked(true);
    d.cmdcan_Click();
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(get("date.zvd"), before);
}

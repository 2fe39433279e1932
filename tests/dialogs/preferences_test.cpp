#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>

#include "dialogtest.h"
#include "settings/dialogs/frmpreferences.h"
#include "settings/records.h"

using namespace dialogtest;

namespace {

const char kDefaultLine[] =
    "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#TRUE#,\"1\",\"1\",0,0,1\r\n";

class PreferencesTest : public DialogTest {
protected:
    QLineEdit* box(frmpreferences& d, const char* name) { return child<QLineEdit>(&d, name); }
    QRadioButton* opt(frmpreferences& d, const char* name) { return child<QRadioButton>(&d, name); }
    QComboBox* list(frmpreferences& d, const char* name) { return child<QComboBox>(&d, name); }
};

} // namespace

TEST_F(PreferencesTest, DefaultThenOkWritesTheDefaultRecord)
{
    // Everything different from the defaults, except English and the
    // elevation flag, which Default keeps.
    put("pref.zvd", "10,12,3,5,11,7,1,2,3,4,\"1\",\"1\",\"0\",\"0\",#TRUE#,\"1\",\"6\",5,1,0\r\n");
    frmpreferences d;
    QSignalSpy saved(&d, &frmpreferences::saved);
    d.cmddef_Click();
    EXPECT_FALSE(list(d, "cbofmonth")->isEnabled()); // No Summer Time disables the window
    d.cmdok_Click();
    EXPECT_EQ(get("pref.zvd"), kDefaultLine);
    EXPECT_EQ(saved.count(), 1);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_TRUE(messages.empty());
}

TEST_F(PreferencesTest, DefaultKeepsTheStoredLanguageAndTheElevationBox)
{
    put("pref.zvd", "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#FALSE#,\"0\",\"1\",0,0,1\r\n");
    frmpreferences d;
    opt(d, "opten")->setChecked(true);
    d.cmddef_Click();
    EXPECT_TRUE(opt(d, "optar")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(&d, "chkeleset")->isChecked());
    EXPECT_EQ(d.windowTitle(), QStringLiteral("الخيارات"));
    d.cmdcan_Click();
    EXPECT_EQ(get("pref.zvd").substr(0, 5), "18,18"); // Cancel after Default writes nothing
}

TEST_F(PreferencesTest, TwilightConventionsFillTheAngleBoxes)
{
    put("pref.zvd",
        "16.5,15,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#TRUE#,\"1\",\"1\",0,0,1\r\n");
    frmpreferences d;
    const struct {
        int entry;
        const char* fajr;
        const char* isha;
        bool enabled;
    } cases[] = {
        {1, "19.5", "17.5", false}, // Egyptian
        {2, "18", "18", false},     // North America: 18, not 15
        {3, "18", "17", false},     // Muslim World League
        {5, "16.5", "15", true},    // Custom after a preset: the angles read at load
        {4, "18", "18", false},     // Karachi
        {0, "18", "18", false},     // Standard
    };
    for (const auto& c : cases) {
        list(d, "cbotwi")->setCurrentIndex(c.entry);
        EXPECT_EQ(box(d, "txtfaj")->text(), QLatin1String(c.fajr)) << c.entry;
        EXPECT_EQ(box(d, "txtisha")->text(), QLatin1String(c.isha)) << c.entry;
        EXPECT_EQ(box(d, "txtfaj")->isEnabled(), c.enabled) << c.entry;
        EXPECT_EQ(box(d, "txtisha")->isEnabled(), c.enabled) << c.entry;
    }
}

TEST_F(PreferencesTest, NegativeAnglesAreRefused)
{
    const struct {
        const char* fajr;
        const char* isha;
        const char* language;
        const char* message;
        const char* title;
        const char* focus;
    } cases[] = {
        {"-0.5", "18", "#TRUE#", "Fajer Angle Must Be Positive!", "Angle Error!", "txtfaj"},
        {"18", "-1", "#TRUE#", "Isha Angle Must Be Positive!", "Angle Error!", "txtisha"},
        {"-1", "-1", "#TRUE#", "Fajer Angle Must Be Positive!", "Angle Error!", "txtfaj"},
        // The stored language decides, whatever option has been clicked since.
        {"-2", "18", "#FALSE#", "زاوية الفجر يجب أن تكون موجبة", "خطأ", "txtfaj"},
        {"18", "-2", "#FALSE#", "زاوية العشاء يجب أن تكون موجبة", "خطأ", "txtisha"},
    };
    for (const auto& c : cases) {
        const std::string before = std::string("18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",") +
                                   c.language + ",\"1\",\"6\",0,0,1\r\n";
        put("pref.zvd", before);
        messages.clear();
        frmpreferences d;
        opt(d, "opten")->setChecked(true);
        box(d, "txtfaj")->setText(QLatin1String(c.fajr));
        box(d, "txtisha")->setText(QLatin1String(c.isha));
        d.cmdok_Click();
        ASSERT_EQ(messages.size(), 1u) << c.fajr << " " << c.isha;
        EXPECT_EQ(messages[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(messages[0].title, QString::fromUtf8(c.title));
        EXPECT_EQ(messages[0].icon, platform::MsgIcon::Warning);
        EXPECT_EQ(d.focusWidget(), box(d, c.focus));
        EXPECT_EQ(get("pref.zvd"), before);
        EXPECT_EQ(d.result(), QDialog::Rejected); // still open: not accepted
    }
}

TEST_F(PreferencesTest, ZeroAndTextAnglesAreStoredAsZero)
{
    frmpreferences d;
    list(d, "cbotwi")->setCurrentIndex(5);
    box(d, "txtfaj")->setText("0");
    box(d, "txtisha")->setText("abc");
    d.cmdok_Click();
    EXPECT_TRUE(messages.empty());
    const settings::Preferences p = settings::readPreferences();
    EXPECT_EQ(p.fajang, 0);
    EXPECT_EQ(p.ishang, 0);
    EXPECT_EQ(p.opttwi, "6");
}

TEST_F(PreferencesTest, TwelveHourClockNeedsALatitudeBelowForty)
{
    const struct {
        const char* latitude; // degrees, minutes, seconds of loc.zvd
        const char* north;
        bool twelveAllowed;
    } cases[] = {
        {"40,0,0", "#TRUE#", false},
        {"40,0,0", "#FALSE#", false}, // the hemisphere does not count
        {"39,59,59", "#TRUE#", true},
        {"65,0,0", "#TRUE#", false},
    };
    for (const auto& c : cases) {
        put("loc.zvd", std::string("\"X\",10,0,0,") + c.latitude + ",0,0,#TRUE#," + c.north +
                           ",#FALSE#,#FALSE#,0,1010,10,0,\"0.0065\"\r\n");
        // The stored clock is 12-hour.
        put("pref.zvd",
            "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#TRUE#,\"1\",\"1\",0,0,0\r\n");
        frmpreferences d;
        EXPECT_EQ(opt(d, "Opt12")->isEnabled(), c.twelveAllowed) << c.latitude;
        EXPECT_EQ(opt(d, "Opt24")->isChecked(), !c.twelveAllowed) << c.latitude;
        d.cmdok_Click();
        EXPECT_EQ(settings::readPreferences().hour24, c.twelveAllowed ? 0 : 1) << c.latitude;
    }
}

TEST_F(PreferencesTest, MinuteBoxesTakeTheLenientNumber)
{
    frmpreferences d;
    box(d, "txtsubfaj")->setText("2 0");
    box(d, "txtsubsho")->setText("12abc");
    box(d, "txtadddoh")->setText("-3");
    box(d, "txtaddasr")->setText("letters");
    box(d, "txtaddmag")->setText("\t1.5e1\n");
    d.cmdok_Click();
    const settings::Preferences p = settings::readPreferences();
    EXPECT_EQ(p.subfaj, 20);
    EXPECT_EQ(p.subsho, 12);
    EXPECT_EQ(p.adddoh, -3);
    EXPECT_EQ(p.addasr, 0);
    EXPECT_EQ(p.addmag, 15);
}

TEST_F(PreferencesTest, TheSummerWindowIsKeptWithoutSummerTime)
{
    put("pref.zvd",
        "18,18,3,27,10,30,0,0,0,0,\"1\",\"0\",\"1\",\"1\",#TRUE#,\"1\",\"1\",0,0,1\r\n");
    {
        frmpreferences d;
        EXPECT_TRUE(list(d, "cbofday")->isEnabled());
        opt(d, "optnosum")->setChecked(true); // as a click would
        EXPECT_FALSE(list(d, "cbofday")->isEnabled());
        EXPECT_FALSE(child<QWidget>(&d, "lblto")->isEnabled());
        d.cmdok_Click();
    }
    frmpreferences d;
    EXPECT_TRUE(opt(d, "optnosum")->isChecked());
    EXPECT_FALSE(list(d, "cbotmonth")->isEnabled());
    EXPECT_EQ(list(d, "cbofmonth")->currentText(), "3");
    EXPECT_EQ(list(d, "cbofday")->currentText(), "27");
    EXPECT_EQ(list(d, "cbotmonth")->currentText(), "10");
    EXPECT_EQ(list(d, "cbotday")->currentText(), "30");
}

TEST_F(PreferencesTest, WithoutAPreferencesFileItOpensFromEmptyValues)
{
    std::filesystem::remove(file("pref.zvd"));
    frmpreferences d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("الخيارات"));
    EXPECT_TRUE(opt(d, "Opt12")->isChecked());
    EXPECT_TRUE(opt(d, "optsum")->isChecked());
    EXPECT_EQ(list(d, "cbofmonth")->currentIndex(), -1);
    EXPECT_EQ(list(d, "cbotwi")->currentIndex(), -1);
    EXPECT_EQ(box(d, "txtfaj")->text(), "18");
    EXPECT_FALSE(box(d, "txtfaj")->isEnabled());
    EXPECT_EQ(box(d, "txtsubfaj")->text(), "");
    EXPECT_EQ(box(d, "txtaddasr")->text(), "");
    EXPECT_EQ(box(d, "txtaddmag")->text(), "0");
    EXPECT_TRUE(opt(d, "opthan")->isChecked());
    EXPECT_TRUE(opt(d, "optsec")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(&d, "chkeleset")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(&d, "chkhl")->isChecked());
}

TEST_F(PreferencesTest, AFailedSaveSaysSoAndKeepsTheDialogAndTheOldFile)
{
    const std::string before = get("pref.zvd");
    FailingWriter failing;
    platform::setFileWriter(&failing);
    frmpreferences d;
    QSignalSpy saved(&d, &frmpreferences::saved);
    box(d, "txtsubfaj")->setText("7");
    d.cmdok_Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains("pref.zvd"));
    EXPECT_TRUE(messages[0].text.contains("No space left on device"));
    EXPECT_EQ(saved.count(), 0);
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(box(d, "txtsubfaj")->text(), "7");
    EXPECT_EQ(get("pref.zvd"), before);
}

TEST_F(PreferencesTest, ArabicMovesTheButtons)
{
    put("pref.zvd", "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#FALSE#,\"1\",\"1\",0,0,1\r\n");
    frmpreferences d;
    QWidget* ok = child<QWidget>(&d, "cmdok");
    QWidget* cancel = child<QWidget>(&d, "cmdcan");
    EXPECT_GT(ok->x(), cancel->x());
    EXPECT_EQ(d.layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(child<QWidget>(&d, "cmdok")->property("text").toString(), QStringLiteral("&موافق"));
    // Only the named controls turn right to left; the others must not take
    // the direction of their frame.
    for (const char* name : {"lblisha", "lblishd", "lblsubfaj", "txtsubfaj", "optnosum", "chkhl"})
        EXPECT_EQ(child<QWidget>(&d, name)->layoutDirection(), Qt::RightToLeft) << name;
    for (const char* name :
         {"lblfaj", "lblfajd", "txtfaj", "txtisha", "cbotwi", "cbofmonth", "cbotday"})
        EXPECT_EQ(child<QWidget>(&d, name)->layoutDirection(), Qt::LeftToRight) << name;
}

// A line end pasted with a number would join the digits around it (1, a line
// end and 2 read as 12): every number box refuses one under its own name.
TEST_F(PreferencesTest, ALineBreakInANumberBoxIsRefused)
{
    const struct {
        const char* box;
        const char* title;
        const char* message;
    } boxes[] = {
        {"txtfaj", "Angle Error!", "The box of the Fajer angle can not hold a line break!"},
        {"txtisha", "Angle Error!", "The box of the Isha angle can not hold a line break!"},
        {"txtsubfaj", "Addition Error!",
         "The box of the minutes from Fajer can not hold a line break!"},
        {"txtsubsho", "Addition Error!",
         "The box of the minutes from Shoroq can not hold a line break!"},
        {"txtadddoh", "Addition Error!",
         "The box of the minutes to Dhohur can not hold a line break!"},
        {"txtaddasr", "Addition Error!",
         "The box of the minutes to Asr can not hold a line break!"},
        {"txtaddmag", "Addition Error!",
         "The box of the minutes to Maghreb can not hold a line break!"},
    };
    // Convention 6: the angle boxes are the user's own.
    const std::string before =
        "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#TRUE#,\"1\",\"6\",0,0,1\r\n";
    for (const auto& b : boxes) {
        for (const char* end : {"\n", "\r"}) {
            SCOPED_TRACE(std::string(b.box) + (end[0] == '\n' ? " LF" : " CR"));
            put("pref.zvd", before);
            messages.clear();
            frmpreferences d;
            box(d, b.box)->setText(QLatin1String("1") + QLatin1String(end) + QLatin1String("2"));
            d.cmdok_Click();
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].text, QString::fromUtf8(b.message));
            EXPECT_EQ(messages[0].title, QString::fromUtf8(b.title));
            EXPECT_EQ(d.focusWidget(), box(d, b.box));
            EXPECT_EQ(get("pref.zvd"), before);
            EXPECT_EQ(d.result(), QDialog::Rejected);
        }
    }
}

// A number beyond the range of numbers ("1e309") typed into any number box of
// the four settings dialogs: refused under the box's own name, in both
// languages, with the focus back in the box and nothing saved. Read leniently
// it would be 0, and saved as 0 without a word.
#include <cstdlib>
#include <functional>
#include <memory>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>

#include "dialogtest.h"
#include "platform/qt/programs.h"
#include "settings/dialogs/frmalerts.h"
#include "settings/dialogs/frmdate.h"
#include "settings/dialogs/frmlocation.h"
#include "settings/dialogs/frmpreferences.h"
#include "settings/records.h"

using namespace dialogtest;

namespace {

const char kEnglishPref[] =
    "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#TRUE#,\"1\",\"6\",0,0,1\r\n";
const char kArabicPref[] =
    "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#FALSE#,\"1\",\"6\",0,0,1\r\n";

// Should OK get past the refusal, nothing is started and nothing runs.
class NothingStarts : public platform::ProgramStarter {
public:
    bool start(const QString&, const QStringList&, const QString&, QString& error) override
    {
        ++starts;
        error = QStringLiteral("not in a test");
        return false;
    }
    int starts = 0;
};

// adhanbell runs already, so an OK that goes through starts no second copy.
class AlreadyRunning : public platform::ProgramFinder {
public:
    bool isRunning(const QString&) override { return true; }
};

class OverflowTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        const char* old = std::getenv("XDG_CONFIG_HOME");
        hadConfig_ = old != nullptr;
        if (old)
            oldConfig_ = old;
        ::setenv("XDG_CONFIG_HOME", (folder() / "config").c_str(), 1);
        platform::setProgramStarter(&starter);
        platform::setProgramFinder(&finder);
    }
    void TearDown() override
    {
        platform::setProgramStarter(nullptr);
        platform::setProgramFinder(nullptr);
        if (hadConfig_)
            ::setenv("XDG_CONFIG_HOME", oldConfig_.c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        DialogTest::TearDown();
    }

    // The text of a box or of an editable list.
    static void type(QWidget* box, const QString& text)
    {
        if (auto* edit = qobject_cast<QLineEdit*>(box))
            edit->setText(text);
        else if (auto* list = qobject_cast<QComboBox*>(box))
            list->setEditText(text);
        else
            FAIL() << "not a number box";
    }

    NothingStarts starter;
    AlreadyRunning finder;

private:
    bool hadConfig_ = false;
    std::string oldConfig_;
};

struct Dialog {
    const char* file; // the file its OK writes
    const char* ok;   // the button that would save
    const char* mode; // selected first, so that the box takes typing, or null
    std::function<QDialog*()> make;
};

const Dialog kPreferences{"pref.zvd", "cmdok", nullptr, [] { return new frmpreferences; }};
const Dialog kLocation{"loc.zvd", "cmdok", nullptr, [] { return new frmlocation; }};
const Dialog kNamedLocations{"loc.txt", "cmdadd", nullptr, [] { return new frmlocation; }};
const Dialog kOneDay{"date.zvd", "cmdok", "optday", [] { return new frmdate; }};
const Dialog kPeriod{"date.zvd", "cmdok", "optper", [] { return new frmdate; }};
const Dialog kAlerts{"alert.zvd", "cmdok", "chkpep", [] { return new frmalerts; }};

} // namespace

TEST_F(OverflowTest, EveryNumberBoxRefusesANumberBeyondTheRangeByItsName)
{
    const struct {
        const Dialog& dialog;
        const char* box;
        const char* english; // words of the English message that name the box
        const char* arabic;
    } cases[] = {
        {kPreferences, "txtfaj", "Fajer Angle", "زاوية الفجر"},
        {kPreferences, "txtisha", "Isha Angle", "زاوية العشاء"},
        {kPreferences, "txtsubfaj", "Minutes from Fajer", "وقت الفجر"},
        {kPreferences, "txtsubsho", "Minutes from Shoroq", "وقت الشروق"},
        {kPreferences, "txtadddoh", "Minutes to Dhohur", "وقت الظهر"},
        {kPreferences, "txtaddasr", "Minutes to Asr", "وقت العصر"},
        {kPreferences, "txtaddmag", "Minutes to Maghreb", "وقت المغرب"},
        {kLocation, "txtlongid", "degrees of the longitude", "درجات خط الطول"},
        {kLocation, "txtlongim", "minutes of the longitude", "دقائق خط الطول"},
        {kLocation, "txtlongis", "seconds of the longitude", "ثواني خط الطول"},
        {kLocation, "txtlatid", "degrees of the latitude", "درجات خط العرض"},
        {kLocation, "txtlatim", "minutes of the latitude", "دقائق خط العرض"},
        {kLocation, "txtlatis", "seconds of the latitude", "ثواني خط العرض"},
        {kLocation, "txtzon", "time zone", "النطاق الزمني"},
        {kLocation, "txtele", "elevation", "الإرتفاع"},
        {kLocation, "txtcity", "City Settings", "مواقيت المدينة"},
        {kLocation, "txtpre", "air pressure", "الضغط الجوي"},
        {kLocation, "txttem", "temperature", "درجة الحرارة"},
        {kLocation, "txthum", "relative humidity", "الرطوبة النسبية"},
        // Read as 0 it drew the false "must be a number other than 0".
        {kLocation, "txtalpha", "Alpha", "تغير الحرارة"},
        {kNamedLocations, "txtlatis", "seconds of the latitude", "ثواني خط العرض"},
        {kNamedLocations, "txtalpha", "Alpha", "تغير الحرارة"},
        {kOneDay, "txtoyear", "year of the one-day date", "السنة في تاريخ اليوم الواحد"},
        {kOneDay, "cboomonth", "month of the one-day date", "الشهر في تاريخ اليوم الواحد"},
        {kOneDay, "cbooday", "day of the one-day date", "اليوم في تاريخ اليوم الواحد"},
        {kPeriod, "txtfyear", "year of the beginning date", "السنة في التاريخ الأول"},
        {kPeriod, "cbofmonth", "month of the beginning date", "الشهر في التاريخ الأول"},
        {kPeriod, "cbofday", "day of the beginning date", "اليوم في التاريخ الأول"},
        {kPeriod, "txttyear", "year of the end date", "السنة في التاريخ الثاني"},
        {kPeriod, "cbotmonth", "month of the end date", "الشهر في التاريخ الثاني"},
        {kPeriod, "cbotday", "day of the end date", "اليوم في التاريخ الثاني"},
        {kAlerts, "txtpep", "minutes before the prayer time", "الدقائق قبل موعد الآذان"},
    };
    for (const bool english : {true, false}) {
        for (const auto& c : cases) {
            for (const char* number : {"1e309", "-1e400"}) {
                SCOPED_TRACE(std::string(c.dialog.file) + " " + c.box + " " + number +
                             (english ? " (English)" : " (Arabic)"));
                putDefaultSettings();
                put("pref.zvd", english ? kEnglishPref : kArabicPref);
                const std::string before = get(c.dialog.file);
                messages.clear();
                std::unique_ptr<QDialog> d(c.dialog.make());
                if (c.dialog.mode)
                    child<QAbstractButton>(d.get(), c.dialog.mode)->setChecked(true);
                QWidget* box = child<QWidget>(d.get(), c.box);
                ASSERT_TRUE(box->isEnabled());
                type(box, QString::fromLatin1(number));
                child<QAbstractButton>(d.get(), c.dialog.ok)->click();

                ASSERT_EQ(messages.size(), 1u);
                EXPECT_TRUE(
                    messages[0].text.contains(QString::fromUtf8(english ? c.english : c.arabic)))
                    << messages[0].text.toStdString();
                EXPECT_EQ(messages[0].icon, platform::MsgIcon::Warning);
                EXPECT_EQ(messages[0].rightToLeft, !english);
                EXPECT_EQ(d->focusWidget(), box);
                EXPECT_EQ(get(c.dialog.file), before);
                EXPECT_NE(d->result(), QDialog::Accepted);
            }
        }
    }
    EXPECT_EQ(starter.starts, 0);
}

// A saved box that the mode has disabled is refused all the same, since its
// value would be saved; the focus goes to what enables it.
TEST_F(OverflowTest, ADisabledBoxIsRefusedWithTheFocusOnWhatEnablesIt)
{
    const struct {
        const Dialog& dialog;
        const char* box;
        const char* focus;
    } cases[] = {
        {kPeriod, "txtoyear", "optday"},
        {kOneDay, "cbotday", "optper"},
        {kAlerts, "txtpep", "chkpep"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        putDefaultSettings();
        put("pref.zvd", kEnglishPref);
        const std::string before = get(c.dialog.file);
        messages.clear();
        std::unique_ptr<QDialog> d(c.dialog.make());
        QWidget* box = child<QWidget>(d.get(), c.box);
        type(box, QStringLiteral("1e309"));
        if (&c.dialog == &kAlerts)
            child<QCheckBox>(d.get(), "chkpep")->setChecked(false);
        else
            child<QRadioButton>(d.get(), c.dialog.mode)->setChecked(true);
        ASSERT_FALSE(box->isEnabled());
        child<QAbstractButton>(d.get(), "cmdok")->click();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(d->focusWidget(), child<QWidget>(d.get(), c.focus));
        EXPECT_EQ(get(c.dialog.file), before);
    }
}

// Only a number beyond the range is refused: the lenient reading of every
// other text stays (blanks dropped, no number gives 0, a tiny one is 0).
TEST_F(OverflowTest, TheLenientReadingOfOtherTextsStays)
{
    const struct {
        const char* text;
        bool refused;
        double stored;
    } cases[] = {
        {"1e308", false, 1e308},
        {"1e-400", false, 0},
        {"abc", false, 0},
        {"12 minutes", false, 12},
        {"1e309", true, 0},
        {"1 e 3 0 9", true, 0}, // the blanks go first, so this is 1e309 too
        {"1e309x", true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        putDefaultSettings();
        messages.clear();
        frmalerts d;
        child<QCheckBox>(&d, "chkpep")->setChecked(true);
        child<QLineEdit>(&d, "txtpep")->setText(QString::fromLatin1(c.text));
        d.cmdok_Click();
        EXPECT_EQ(messages.size(), c.refused ? 1u : 0u);
        if (!c.refused) {
            EXPECT_EQ(settings::readAlertSettings().beepmin, c.stored);
        }
    }
}

#include <cstdlib>
#include <filesystem>

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>

#include "dialogtest.h"
#include "platform/qt/autostart.h"
#include "platform/qt/programs.h"
#include "settings/dialogs/frmalerts.h"
#include "settings/records.h"

using namespace dialogtest;

namespace {

// Records each start, and what alert.zvd held at that moment.
class FakeStarter : public platform::ProgramStarter {
public:
    explicit FakeStarter(std::filesystem::path alertFile) : alertFile_(std::move(alertFile)) {}
    bool start(const QString& program, const QStringList& arguments,
               const QString& workingDirectory, QString& error) override
    {
        programs << program;
        this->arguments = arguments;
        directories << workingDirectory;
        alertAtStart = testsupport::readFile(alertFile_);
        if (fail)
            error = QStringLiteral("No such file or directory");
        return !fail;
    }
    QStringList programs, arguments, directories;
    std::string alertAtStart;
    bool fail = false;

private:
    std::filesystem::path alertFile_;
};

class FakeFinder : public platform::ProgramFinder {
public:
    bool isRunning(const QString& caption) override
    {
        captions << caption;
        return running;
    }
    QStringList captions;
    bool running = false;
};

class AlertsTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        config_ = folder() / "config";
        const char* old = std::getenv("XDG_CONFIG_HOME");
        hadConfig_ = old != nullptr;
        if (old)
            oldConfig_ = old;
        ::setenv("XDG_CONFIG_HOME", config_.c_str(), 1);
        starter = std::make_unique<FakeStarter>(file("alert.zvd"));
        platform::setProgramStarter(starter.get());
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

    QCheckBox* check(frmalerts& d, const char* name) { return child<QCheckBox>(&d, name); }
    QRadioButton* opt(frmalerts& d, const char* name) { return child<QRadioButton>(&d, name); }
    std::filesystem::path entry() const { return config_ / "autostart" / "Miqatix.desktop"; }
    QString folderText() const
    {
        return QString::fromStdString(std::filesystem::absolute(folder()).string());
    }
    bool adhanChoicesEnabled(frmalerts& d)
    {
        bool all = true, none = true;
        for (const char* name :
             {"fradoh", "fraasr", "framag", "fraish", "optdhrh", "optasrh", "optmagh", "optishh",
              "optdhre", "optasre", "optmage", "optishe", "lblprao"}) {
            const bool on = child<QWidget>(&d, name)->isEnabled();
            all = all && on;
            none = none && !on;
        }
        EXPECT_TRUE(all || none) << "the adhan choices are enabled together";
        return all;
    }

    std::filesystem::path config_;
    std::unique_ptr<FakeStarter> starter;
    FakeFinder finder;

private:
    bool hadConfig_ = false;
    std::string oldConfig_;
};

} // namespace

TEST_F(AlertsTest, TheCheckBoxesInterlock)
{
    put("alert.zvd", "0,10,0,0,#TRUE#,#TRUE#,#TRUE#,#TRUE#\r\n");
    frmalerts d;
    QCheckBox* pep = check(d, "chkpep");
    QCheckBox* pra = check(d, "chkpra");
    QCheckBox* popup = check(d, "chkpopup");
    QLineEdit* minutes = child<QLineEdit>(&d, "txtpep");
    EXPECT_FALSE(minutes->isEnabled());
    EXPECT_FALSE(adhanChoicesEnabled(d));

    pra->setChecked(true);
    EXPECT_TRUE(adhanChoicesEnabled(d));
    popup->setChecked(true); // unticks the adhan and disables its choices
    EXPECT_FALSE(pra->isChecked());
    EXPECT_FALSE(adhanChoicesEnabled(d));
    pra->setChecked(true); // unticks the pop-up alone
    EXPECT_FALSE(popup->isChecked());
    EXPECT_TRUE(adhanChoicesEnabled(d));
    pra->setChecked(false);
    popup->setChecked(true);
    popup->setChecked(false); // unticking the pop-up changes nothing else
    EXPECT_FALSE(pra->isChecked());
    EXPECT_FALSE(adhanChoicesEnabled(d));

    pep->setChecked(true); // the beep is independent of both
    EXPECT_TRUE(minutes->isEnabled());
    EXPECT_FALSE(pra->isChecked());
    EXPECT_FALSE(popup->isChecked());
    pep->setChecked(false);
    EXPECT_FALSE(minutes->isEnabled());
}

TEST_F(AlertsTest, LoadShowsTheStoredSettings)
{
    const struct {
        const char* file;
        bool pep, pra, popup, minutesEnabled, choicesEnabled;
        const char* minutes;
        bool dhr, asr, mag, ish; // Mecca selected
    } cases[] = {
        {"1,7,0,0,#TRUE#,#FALSE#,#TRUE#,#FALSE#\r\n", true, false, false, true, false, "7", true,
         false, true, false},
        // Both set: the pop-up wins, as it is applied second.
        {"0,10,1,1,#FALSE#,#TRUE#,#FALSE#,#TRUE#\r\n", false, false, true, false, false, "10",
         false, true, false, true},
        {"0,2.5,1,0,#TRUE#,#TRUE#,#TRUE#,#TRUE#\r\n", false, true, false, false, true, "2.5", true,
         true, true, true},
    };
    for (const auto& c : cases) {
        put("alert.zvd", c.file);
        frmalerts d;
        EXPECT_EQ(check(d, "chkpep")->isChecked(), c.pep) << c.file;
        EXPECT_EQ(check(d, "chkpra")->isChecked(), c.pra) << c.file;
        EXPECT_EQ(check(d, "chkpopup")->isChecked(), c.popup) << c.file;
        EXPECT_EQ(child<QLineEdit>(&d, "txtpep")->isEnabled(), c.minutesEnabled) << c.file;
        EXPECT_EQ(child<QLineEdit>(&d, "txtpep")->text(), c.minutes) << c.file;
        EXPECT_EQ(adhanChoicesEnabled(d), c.choicesEnabled) << c.file;
        EXPECT_EQ(opt(d, "optdhrh")->isChecked(), c.dhr) << c.file;
        EXPECT_EQ(opt(d, "optdhre")->isChecked(), !c.dhr) << c.file;
        EXPECT_EQ(opt(d, "optasrh")->isChecked(), c.asr) << c.file;
        EXPECT_EQ(opt(d, "optmagh")->isChecked(), c.mag) << c.file;
        EXPECT_EQ(opt(d, "optishh")->isChecked(), c.ish) << c.file;
        EXPECT_EQ(opt(d, "optishe")->isChecked(), !c.ish) << c.file;
    }
}

TEST_F(AlertsTest, OkWithAnAlertOnMakesTheEntryStartsTheProgramAndWritesLast)
{
    put("alert.zvd", "0,10,0,0,#TRUE#,#TRUE#,#TRUE#,#TRUE#\r\n");
    frmalerts d;
    QSignalSpy saved(&d, &frmalerts::saved);
    check(d, "chkpep")->setChecked(true); // the beep alone: the choices stay disabled
    child<QLineEdit>(&d, "txtpep")->setText("five");
    opt(d, "optasre")->setChecked(true);
    d.cmdok_Click();

    EXPECT_TRUE(messages.empty());
    ASSERT_TRUE(std::filesystem::exists(entry()));
    const QString text = QString::fromStdString(testsupport::readFile(entry()));
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(text.contains("\nType=Application\n"));
    EXPECT_TRUE(text.contains("\nExec=\"" + folderText() + "/adhanbell\"\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nPath=" + folderText() + "\n")) << text.toStdString();

    EXPECT_EQ(finder.captions, QStringList{"Miqatix Alerts"});
    ASSERT_EQ(starter->programs.size(), 1);
    EXPECT_EQ(starter->programs[0], folderText() + "/adhanbell");
    EXPECT_TRUE(starter->arguments.isEmpty());
    EXPECT_EQ(starter->directories[0], folderText());
    // The program was started before the settings were replaced.
    EXPECT_EQ(starter->alertAtStart, "0,10,0,0,#TRUE#,#TRUE#,#TRUE#,#TRUE#\r\n");
    EXPECT_EQ(get("alert.zvd"), "1,0,0,0,#TRUE#,#FALSE#,#TRUE#,#TRUE#\r\n");
    EXPECT_EQ(saved.count(), 1);
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST_F(AlertsTest, ARunningAlertProgramIsNotStartedAgain)
{
    finder.running = true;
    std::filesystem::create_directories(entry().parent_path());
    testsupport::writeFile(entry(), "[Desktop Entry]\nExec=old\n");
    frmalerts d;
    check(d, "chkpra")->setChecked(true);
    d.cmdok_Click();
    EXPECT_TRUE(starter->programs.isEmpty());
    EXPECT_NE(testsupport::readFile(entry()).find("adhanbell"), std::string::npos); // rewritten
    EXPECT_EQ(get("alert.zvd"), "0,10,1,0,#TRUE#,#TRUE#,#TRUE#,#TRUE#\r\n");
}

TEST_F(AlertsTest, OkWithEveryAlertOffRemovesTheEntryAndStartsNothing)
{
    for (const bool entryExists : {true, false}) {
        if (entryExists) {
            std::filesystem::create_directories(entry().parent_path());
            testsupport::writeFile(entry(), "[Desktop Entry]\n");
        }
        put("alert.zvd", "1,10,1,0,#TRUE#,#TRUE#,#TRUE#,#TRUE#\r\n");
        messages.clear();
        frmalerts d;
        check(d, "chkpep")->setChecked(false);
        check(d, "chkpra")->setChecked(false);
        d.cmdok_Click();
        EXPECT_TRUE(messages.empty()) << entryExists; // silently also without an entry
        EXPECT_FALSE(std::filesystem::exists(entry()));
        EXPECT_TRUE(starter->programs.isEmpty());
        EXPECT_TRUE(finder.captions.isEmpty());
        EXPECT_EQ(get("alert.zvd"), "0,10,0,0,#TRUE#,#TRUE#,#TRUE#,#TRUE#\r\n");
    }
}

TEST_F(AlertsTest, AnEntryThatCannotBeMadeOrRemovedIsToldAndOkGoesOn)
{
    // The autostart folder's place is taken by a file: no entry can be made.
    std::filesystem::create_directories(config_);
    testsupport::writeFile(config_ / "autostart", "not a folder");
    {
        frmalerts d;
        check(d, "chkpopup")->setChecked(true);
        d.cmdok_Click();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_TRUE(
            messages[0].text.startsWith("Miqatix Alerts could not be set to start at login."));
        EXPECT_EQ(starter->programs.size(), 1); // started all the same
        EXPECT_EQ(get("alert.zvd"), "0,10,0,1,#TRUE#,#TRUE#,#TRUE#,#TRUE#\r\n");
        EXPECT_EQ(d.result(), QDialog::Accepted);
    }

    // The entry's name is taken by a folder that is not empty: it cannot go.
    std::filesystem::remove(config_ / "autostart");
    std::filesystem::create_directories(entry() / "inside");
    messages.clear();
    frmalerts d;
    check(d, "chkpopup")->setChecked(false);
    d.cmdok_Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(
        messages[0].text.startsWith("Miqatix Alerts could not be kept from starting at login."));
    EXPECT_EQ(get("alert.zvd"), "0,10,0,0,#TRUE#,#TRUE#,#TRUE#,#TRUE#\r\n");
}

TEST_F(AlertsTest, AProgramThatCannotBeStartedIsTold)
{
    starter->fail = true;
    frmalerts d;
    check(d, "chkpep")->setChecked(true);
    d.cmdok_Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains("could not be started"));
    EXPECT_EQ(get("alert.zvd"), "1,10,0,0,#TRUE#,#TRUE#,#TRUE#,#TRUE#\r\n");
}

TEST_F(AlertsTest, AFailedSaveUndoesTheEntryAndSaysWhatWasDone)
{
    // Fails alert.zvd, and the entry too when asked.
    struct Writer : platform::FileWriter {
        bool failEntry = false;
        FailingWriter alert{"alert.zvd"};
        bool replaceFile(const std::filesystem::path& file, const std::string& contents,
                         std::string& error) override
        {
            if (failEntry && file.filename() == "Miqatix.desktop") {
                error = "Permission denied";
                return false;
            }
            return alert.replaceFile(file, contents, error);
        }
    };
    const std::string oldEntry = "[Desktop Entry]\nExec=old\n";
    const struct {
        const char* what;
        bool entryBefore, running, alertOn, failEntry;
        bool started;
        const char* entryAfter; // nullptr: no entry
        QStringList lines;      // after the first, which names the file and why
        const char* before = "1,10,0,0,#TRUE#,#TRUE#,#TRUE#,#TRUE#\r\n"; // alert.zvd
    } cases[] = {
        {"started, the new entry taken away again",
         false,
         false,
         true,
         false,
         true,
         nullptr,
         {"The alert settings stay as they were.",
          "Miqatix Alerts was started and follows the settings saved before."}},
        {"started with every alert off before: it ends at its first tick",
         false,
         false,
         true,
         false,
         true,
         nullptr,
         {"The alert settings stay as they were.",
          "Miqatix Alerts was started, but the settings saved before have every alert off, so "
          "it ends again within seconds."},
         "0,10,0,0,#TRUE#,#TRUE#,#TRUE#,#TRUE#\r\n"},
        {"already running, the old entry put back",
         true,
         true,
         true,
         false,
         false,
         oldEntry.c_str(),
         {"Nothing was changed."}},
        {"every alert off, the removed entry put back",
         true,
         false,
         false,
         false,
         false,
         oldEntry.c_str(),
         {"Nothing was changed."}},
        {"every alert off, the entry cannot be put back",
         true,
         false,
         false,
         true,
         false,
         nullptr,
         {"The alert settings stay as they were.",
          "Its start at login was changed and could not be put back as it was. "
          "Permission denied"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string before = c.before;
        put("alert.zvd", before);
        std::filesystem::remove_all(config_);
        if (c.entryBefore) {
            std::filesystem::create_directories(entry().parent_path());
            testsupport::writeFile(entry(), oldEntry);
        }
        finder.running = c.running;
        starter->programs.clear();
        messages.clear();
        Writer writer;
        writer.failEntry = c.failEntry;
        platform::setFileWriter(&writer);

        frmalerts d;
        QSignalSpy saved(&d, &frmalerts::saved);
        check(d, "chkpep")->setChecked(c.alertOn);
        d.cmdok_Click();
        platform::setFileWriter(nullptr);

        EXPECT_EQ(starter->programs.size(), c.started ? 1 : 0);
        if (c.entryAfter)
            EXPECT_EQ(testsupport::readFile(entry()), c.entryAfter);
        else
            EXPECT_FALSE(std::filesystem::exists(entry()));
        ASSERT_EQ(messages.size(), 1u);
        const QStringList lines = messages[0].text.split('\n');
        EXPECT_EQ(lines.first(),
                  "The settings could not be saved in alert.zvd: No space left on device");
        EXPECT_EQ(lines.mid(1), c.lines);
        EXPECT_EQ(messages[0].title, "Save Error");
        EXPECT_EQ(saved.count(), 0);
        EXPECT_EQ(d.result(), QDialog::Rejected); // the dialog stays open
        EXPECT_EQ(get("alert.zvd"), before);
    }

    // In Arabic the whole message is Arabic, the file's name a left-to-right
    // run of its own.
    put("pref.zvd", "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#FALSE#,\"1\",\"1\",0,0,1\r\n");
    std::filesystem::remove_all(config_);
    finder.running = false;
    messages.clear();
    FailingWriter failing("alert.zvd");
    platform::setFileWriter(&failing);
    frmalerts d;
    check(d, "chkpep")->setChecked(true);
    d.cmdok_Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(
        messages[0].text,
        QStringLiteral("تعذر حفظ الإعدادات في الملف \u2066alert.zvd\u2069: لا توجد مساحة كافية "
                       "على القرص\n"
                       "بقيت إعدادات المنبه كما كانت\n"
                       "تم تشغيل المنبه وهو يتبع الإعدادات المحفوظة من قبل"));
    EXPECT_EQ(messages[0].title, QStringLiteral("خطأ"));
    EXPECT_TRUE(messages[0].rightToLeft);
}

TEST_F(AlertsTest, CancelTouchesNothing)
{
    const std::string before = get("alert.zvd");
    frmalerts d;
    check(d, "chkpep")->setChecked(true);
    d.cmdcan_Click();
    EXPECT_EQ(get("alert.zvd"), before);
    EXPECT_FALSE(std::filesystem::exists(entry()));
    EXPECT_TRUE(starter->programs.isEmpty());
}

TEST_F(AlertsTest, ArabicInterfaceMirrorsTheLayout)
{
    put("pref.zvd", "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#FALSE#,\"1\",\"1\",0,0,1\r\n");
    frmalerts d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("المنبه"));
    QWidget* pep = child<QWidget>(&d, "chkpep");
    QWidget* minutes = child<QWidget>(&d, "txtpep");
    QWidget* label = child<QWidget>(&d, "lblpep");
    EXPECT_GT(pep->x(), minutes->x());
    EXPECT_GT(minutes->x(), label->x());
    EXPECT_GT(child<QWidget>(&d, "cmdok")->x(), child<QWidget>(&d, "cmdcan")->x());
    for (const char* name : {"chkpep", "lblpep", "optdhrh", "optishe"})
        EXPECT_EQ(child<QWidget>(&d, name)->layoutDirection(), Qt::RightToLeft) << name;
    for (const char* name : {"txtpep", "lblprao"})
        EXPECT_EQ(child<QWidget>(&d, name)->layoutDirection(), Qt::LeftToRight) << name;
}

// A line end pasted with the minutes would join the digits around it (1, a
// line end and 0 read as 10): refused under the box's name before anything
// is started or changed.
TEST_F(AlertsTest, ALineBreakInTheMinutesIsRefused)
{
    const std::string before = get("alert.zvd");
    frmalerts d;
    check(d, "chkpep")->setChecked(true);
    child<QLineEdit>(&d, "txtpep")->setText(QStringLiteral("1\n0"));
    d.cmdok_Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              "The box of the minutes before the prayer time can not hold a line break!");
    EXPECT_EQ(messages[0].title, "Alerts");
    EXPECT_EQ(d.focusWidget(), child<QLineEdit>(&d, "txtpep"));
    EXPECT_EQ(get("alert.zvd"), before);
    EXPECT_TRUE(starter->programs.isEmpty());
    EXPECT_FALSE(std::filesystem::exists(entry()));
}

// The main window driven offscreen by its controls' names: start-up in both
// languages, the date and clock lines, the buttons and the exit.
#include <chrono>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>
#include <QWidget>

#include "engine/modgeneral.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/programwindows.h"
#include "platform/eventloop.h"
#include "platform/fault.h"
#include "platform/qt/messagebox.h"
#include "platform/qt/textviewer.h"
#include "sharedwindows/frmwait.h"
#include "sharedwindows/windowregistry.h"
#include "support/testsupport.h"
#include "tools/frmcoor.h"
#include "tools/frmqib.h"
#include "version.h"

namespace {

using platform::FileFault;
using platform::FileFaultKind;

const std::string kArabicPref =
    "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#FALSE#,\"1\",\"1\",0,0,1\r\n";

platform::Clock::time_point localTime(int year, int month, int day, int hour, int minute)
{
    const QDateTime t(QDate(year, month, day), QTime(hour, minute));
    return platform::Clock::time_point(std::chrono::milliseconds(t.toMSecsSinceEpoch()));
}

class MainWindowTest : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        putDefaultSettings();
        putSeriesFiles();
        setClock(2026, 12, 9, 17, 45);
        platform::setMessageResponder([this](const platform::MessageRequest& r) {
            messages.push_back(r.text);
            progressShownWithMessage.push_back(frmwait::isLoaded() && frmwait::form().isVisible());
            return platform::MsgAnswer::Ok;
        });
        platform::setTextFileShower(
            [this](const platform::TextFileView& v) { shown.push_back(v.file); });
    }

    // Runs `during` at the first hand-over to the message loop of a run.
    void atFirstHandOver(std::function<void()> during)
    {
        platform::setEventProcessor([this, during] {
            if (handOvers++ == 0)
                during();
            QCoreApplication::processEvents();
        });
    }

    void TearDown() override
    {
        windows::unloadAll();
        flushDeletes();
        for (const char* kind :
             {"frmphase", "frmcresv", "frmpreferences", "frmlocation", "frmalerts", "frmdate"})
            windows::setFactory(QString::fromLatin1(kind), {});
        platform::setMessageResponder({});
        platform::setTextFileShower({});
        platform::setEventProcessor({});
        frmwait::unload();
        flushDeletes();
        cancelflag = 0;
        platform::setClock({});
        platform::setFaultLanguage(true);
        ProgramFolderTest::TearDown();
    }

    void setClock(int year, int month, int day, int hour, int minute)
    {
        const auto t = localTime(year, month, day, hour, minute);
        platform::setClock([t] { return t; });
    }

    static void flushDeletes()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    template <class T = QLabel> T* control(QWidget* window, const char* name)
    {
        T* c = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }

    QString text(QWidget* window, const char* name) { return control(window, name)->text(); }

    std::vector<QString> messages;
    std::vector<bool> progressShownWithMessage; // frmwait on screen while a message shows
    std::vector<std::filesystem::path> shown;   // files handed to the viewer
    int handOvers = 0;
};

// Ten days, 1 to 10 December 2026, for the report runs.
const std::string kTenDays = "#FALSE#,2026,12,1,2026,12,10,2026,12,1,2026,12,10,2026,12,1,#TRUE#,"
                             "#FALSE#\r\n";

// The dated rows of a prayer-times report.
int reportRows(const std::string& report)
{
    static const QRegularExpression row(QString::fromLatin1(R"(\r\n\*?\d\d/12/2026 )"));
    int rows = 0;
    for (auto it = row.globalMatch(QString::fromStdString(report)); it.hasNext(); it.next())
        ++rows;
    return rows;
}

bool isClockText(const QString& t, bool seconds)
{
    static const QRegularExpression minutes(QStringLiteral("^([01]\\d|2[0-3]):[0-5]\\d$"));
    static const QRegularExpression withSeconds(
        QStringLiteral("^([01]\\d|2[0-3]):[0-5]\\d:[0-5]\\d$"));
    return (seconds ? withSeconds : minutes).match(t).hasMatch();
}

TEST_F(MainWindowTest, StartUpShowsTheLocationVersionAndCredit)
{
    frmmain* w = frmmain::load();
    EXPECT_TRUE(w->english);
    EXPECT_EQ(w->windowTitle(), "Miqatix " MIQATIX_VERSION);
    EXPECT_EQ(text(w, "lbltitle"), "Miqatix " MIQATIX_VERSION_SHORT);
    EXPECT_EQ(QStringLiteral(MIQATIX_VERSION), "5.5.0");
    EXPECT_EQ(text(w, "lblby"), "by the Miqatix team");
    EXPECT_EQ(text(w, "lblhead"), "Falakorum (FKR)");
    EXPECT_EQ(text(w, "lbltloc"), "Mecca");
    EXPECT_EQ(text(w, "lblmtime"), "Machine's Time: 17:45");
    EXPECT_EQ(w->layoutDirection(), Qt::LeftToRight);
    EXPECT_EQ(windows::loadedWindows(), QList<QWidget*>{w});
    auto* timer = control<QTimer>(w, "timertime");
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 5000);
}

TEST_F(MainWindowTest, ToolButtonsWaitForTheirWindows)
{
    windows::setFactory("frmphase", [] { return new QWidget; });
    frmmain* w = frmmain::load();
    for (const char* name : {"cmdcresv", "cmdcon", "cmdqib", "cmdcoor", "cmdtele"})
        EXPECT_FALSE(control<QAbstractButton>(w, name)->isEnabled()) << name;
    for (const char* name : {"cmdpha", "cmdcom", "cmdmoon", "cmdhel", "cmdext"})
        EXPECT_TRUE(control<QAbstractButton>(w, name)->isEnabled()) << name;
}

TEST_F(MainWindowTest, MoonTimesWritesItsReportAndOpensIt)
{
    put("date.zvd", kTenDays);
    frmmain* w = frmmain::load();
    w->show();
    control<QAbstractButton>(w, "cmdmoon")->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], file("mresults.out"));
    EXPECT_FALSE(frmwait::isLoaded());
    EXPECT_FALSE(LongComputation::running());
    // The last day's moonrise and moonset land in the sunrise and sunset members.
    EXPECT_EQ(w->shuroqtext, w->engine().shuroqtext);

    // A cancelled run opens nothing.
    shown.clear();
    atFirstHandOver([] { frmwait::form().bcancel->click(); });
    control<QAbstractButton>(w, "cmdmoon")->click();
    EXPECT_TRUE(shown.empty());
}

TEST_F(MainWindowTest, MoonPhasesTwiceLeavesOneWindow)
{
    int made = 0;
    windows::setFactory("frmphase", [&made] {
        ++made;
        return new QWidget;
    });
    frmmain* w = frmmain::load();
    w->show();
    control<QAbstractButton>(w, "cmdpha")->click();
    control<QAbstractButton>(w, "cmdpha")->click();
    EXPECT_EQ(made, 1);
    ASSERT_EQ(windows::loadedWindows().size(), 2);
    EXPECT_TRUE(windows::find("frmphase")->isVisible());
}

TEST_F(MainWindowTest, ArabicStartUpSwapsCaptionsAndDirection)
{
    put("pref.zvd", kArabicPref);
    frmmain* w = frmmain::load();
    EXPECT_FALSE(w->english);
    EXPECT_EQ(w->windowTitle(), "Miqatix " MIQATIX_VERSION_SHORT);
    EXPECT_EQ(text(w, "lbltitle"), "Miqatix " MIQATIX_VERSION);
    EXPECT_EQ(w->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(control<QGroupBox>(w, "framain")->title(), "اللوحة الرئيسة");
    EXPECT_EQ(control<QGroupBox>(w, "fratoday")->title(), "مواقيت الصلاة");
    EXPECT_EQ(text(w, "lblby"), "إعداد فريق Miqatix");
    EXPECT_EQ(text(w, "lblhead"), "Falakorum");
    EXPECT_EQ(text(w, "lbltheader"), "مواقيت الصلاة اليوم");
    const std::pair<const char*, const char*> captions[] = {
        {"cmddat", "ال&تاريخ"},      {"cmdcom", "مواقيت ال&صلاة"},        {"cmdext", "&خروج"},
        {"cmdcon", "&هجري ميلا&دي"}, {"cmdcoor", "أ&زياج الشمس و القمر"}, {"lblhfaj", "الفجر"},
        {"lblhish", "العشاء"},
    };
    for (const auto& [name, caption] : captions) {
        QWidget* c = w->findChild<QWidget*>(name);
        ASSERT_NE(c, nullptr) << name;
        const QString shown = c->property("text").toString();
        EXPECT_EQ(shown, QString::fromUtf8(caption)) << name;
    }
    EXPECT_EQ(text(w, "lblmtime"), "وقت الجهاز: 17:45");
    EXPECT_EQ(control(w, "lbltheader")->font().pointSize(), 15);
}

TEST_F(MainWindowTest, ExitAndCloseBoxUnloadEveryWindow)
{
    windows::setFactory("frmphase", [] { return new QWidget; });
    for (bool byCloseBox : {false, true}) {
        SCOPED_TRACE(byCloseBox ? "close box" : "Exit");
        QPointer<frmmain> w = frmmain::load();
        w->show();
        control<QAbstractButton>(w, "cmdpha")->click();
        QPointer<QWidget> phases = windows::find("frmphase");
        ASSERT_TRUE(phases);
        if (byCloseBox)
            w->close();
        else
            control<QAbstractButton>(w, "cmdext")->click();
        EXPECT_TRUE(windows::loadedWindows().isEmpty());
        EXPECT_FALSE(phases->isVisible());
        EXPECT_FALSE(w->isVisible());
        flushDeletes();
        EXPECT_FALSE(w);
        EXPECT_FALSE(phases);
        EXPECT_EQ(frmmain::instance(), nullptr);
    }
}

TEST_F(MainWindowTest, MissingOrShortFileAtStartUpIsNamed)
{
    struct Case {
        const char* file;
        const char* contents; // nullptr: the file is removed
        FileFaultKind kind;
    };
    const Case cases[] = {
        {"termfull.zvd", nullptr, FileFaultKind::Missing},
        {"loc.zvd", nullptr, FileFaultKind::Missing},
        {"term.zvd", nullptr, FileFaultKind::Missing},
        {"mterm.zvd", "1,2,3\r\n", FileFaultKind::Short},
        {"pref.zvd", nullptr, FileFaultKind::Missing},
        {"pref.zvd", "18,18,4\r\n", FileFaultKind::Short},
        {"elp.zvd", nullptr, FileFaultKind::Missing},
    };
    for (bool english : {true, false}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.file) + (english ? " English" : " Arabic"));
            putDefaultSettings();
            putSeriesFiles();
            if (!english)
                put("pref.zvd", kArabicPref);
            if (c.contents)
                put(c.file, c.contents);
            else
                std::filesystem::remove(file(c.file));
            try {
                frmmain::load();
                ADD_FAILURE() << "the start-up went on";
            } catch (const FileFault& fault) {
                EXPECT_EQ(fault.file(), c.file);
                EXPECT_EQ(fault.kind(), c.kind);
            }
            EXPECT_EQ(frmmain::instance(), nullptr);
            EXPECT_TRUE(windows::loadedWindows().isEmpty());
            // The message comes in the interface language whenever pref.zvd
            // can tell it.
            if (std::string(c.file) != "pref.zvd") {
                EXPECT_EQ(platform::faultLanguage(), english);
            }
            platform::setFaultLanguage(true);
        }
    }
}

// A damaged file at the start or in a report run: the stop names the file and
// the reason, in the interface language, within seconds and with no abort.
TEST_F(MainWindowTest, DamagedFileIsNamedWithItsReason)
{
    struct Case {
        const char* file;
        const char* damage; // "folder", "zero" (a link to /dev/zero), "huge", or contents
        FileFaultKind kind;
    };
    const Case cases[] = {
        {"pref.zvd", "folder", FileFaultKind::NotAFile},
        {"loc.zvd", "zero", FileFaultKind::NotAFile},
        {"loc.zvd", "huge", FileFaultKind::TooLarge},
        {"loc.zvd",
         "\"Mecca\",inf,49,34,21,25,21,277,3,#TRUE#,#TRUE#,#FALSE#,#FALSE#,0,1010,10,0,\"0."
         "0065\"\r\n",
         FileFaultKind::BadData},
        {"date.zvd", "folder", FileFaultKind::NotAFile},
        {"date.zvd",
         "#FALSE#,2026,NaN,1,2026,12,10,2026,12,1,2026,12,10,2026,12,1,#TRUE#,#FALSE#\r\n",
         FileFaultKind::BadData},
        {"termfull.zvd", "huge", FileFaultKind::TooLarge},
        {"term.zvd", "folder", FileFaultKind::NotAFile},
        {"mterm.zvd", "1,2,1e999,4\r\n", FileFaultKind::BadData},
        {"elp.zvd", "zero", FileFaultKind::NotAFile},
    };
    auto damage = [this](const Case& c) {
        std::filesystem::remove(file(c.file));
        const std::string how = c.damage;
        if (how == "folder")
            std::filesystem::create_directory(file(c.file));
        else if (how == "zero")
            std::filesystem::create_symlink("/dev/zero", file(c.file));
        else if (how == "huge")
            put(c.file, std::string(3u << 20, '5'));
        else
            put(c.file, how);
    };
    for (bool english : {true, false}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.file) + " " + c.damage + (english ? " English" : " Arabic"));
            putDefaultSettings();
            putSeriesFiles();
            put("date.zvd", kTenDays);
            if (!english)
                put("pref.zvd", kArabicPref);
            // A file that the start reads stops the start; date.zvd, read only
            // when a report runs, stops the run.
            const bool atStart = std::string(c.file) != "date.zvd";
            frmmain* w = nullptr;
            if (!atStart)
                w = frmmain::load();
            damage(c);
            const auto start = std::chrono::steady_clock::now();
            try {
                if (atStart)
                    frmmain::load();
                else
                    // The handler itself, not a click: the test's stop throws,
                    // and an exception must not pass through Qt's own frames
                    // (they are built without unwinding and would keep the
                    // button's guards alive).
                    w->cmdcom_Click();
                ADD_FAILURE() << "it went on";
            } catch (const FileFault& fault) {
                EXPECT_EQ(fault.file(), c.file);
                EXPECT_EQ(fault.kind(), c.kind);
                EXPECT_NE(fault.message(english).find(c.file), std::string::npos);
            }
            // A stall, not a slow machine: the damaged file is read up to its bound
            // (a few megabytes at most), which takes far less than this on any load.
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
            if (std::string(c.file) != "pref.zvd") {
                EXPECT_EQ(platform::faultLanguage(), english);
            }
            windows::unloadAll();
            frmwait::unload();
            flushDeletes();
            cancelflag = 0;
            platform::setFaultLanguage(true);
            std::filesystem::remove_all(file(c.file));
        }
    }
}

TEST_F(MainWindowTest, ClockLineFollowsTheTimer)
{
    frmmain* w = frmmain::load();
    setClock(2026, 12, 9, 18, 3);
    w->timertime_Timer();
    EXPECT_EQ(text(w, "lblmtime"), "Machine's Time: 18:03");
}

TEST_F(MainWindowTest, DateLineOfNineDecember2026)
{
    frmmain* w = frmmain::load();
    EXPECT_EQ(text(w, "lblmdate"),
              "Machine's Date: Wednesday, 9 December 2026 ( 28 Jamada Aakherah 1448 )");
    w->close();
    put("pref.zvd", kArabicPref);
    w = frmmain::load();
    EXPECT_EQ(text(w, "lblmdate"),
              "تاريخ الجهاز:  الأربعاء، 9 كانون أول 2026 ( 28 جمادي الآخرة 1448 )");
    EXPECT_EQ(control(w, "lblmdate")->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(control(w, "lblmdate")->font().pointSize(), 12);
}

TEST_F(MainWindowTest, DateLineFollowsMidnight)
{
    setClock(2026, 12, 9, 23, 59);
    frmmain* w = frmmain::load();
    EXPECT_TRUE(text(w, "lblmdate").startsWith("Machine's Date: Wednesday, 9 December 2026 ("));
    setClock(2026, 12, 10, 0, 1);
    w->timertime_Timer();
    EXPECT_EQ(text(w, "lblmdate"),
              "Machine's Date: Thursday, 10 December 2026 ( 29 Jamada Aakherah 1448 )");
    EXPECT_EQ(text(w, "lblmtime"), "Machine's Time: 00:01");
}

TEST_F(MainWindowTest, ReloadReadsTheFilesAgainAndClosesTheOthers)
{
    windows::setFactory("frmphase", [] { return new QWidget; });
    QPointer<frmmain> first = frmmain::load();
    control<QAbstractButton>(first, "cmdpha")->click();
    QPointer<QWidget> phases = windows::find("frmphase");
    put("loc.zvd", "\"Medina\",39,36,0,24,28,0,600,3,#TRUE#,#TRUE#,#FALSE#,#FALSE#,0,1010,10,0,"
                   "\"0.0065\"\r\n");
    put("pref.zvd", kArabicPref);
    frmmain* second = frmmain::reload();
    flushDeletes();
    EXPECT_FALSE(first);
    EXPECT_FALSE(phases);
    EXPECT_EQ(frmmain::instance(), second);
    EXPECT_EQ(windows::loadedWindows(), QList<QWidget*>{second});
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(text(second, "lbltloc"), "Medina");
    EXPECT_EQ(second->layoutDirection(), Qt::RightToLeft);
}

TEST_F(MainWindowTest, SavedPreferencesReloadTheMainWindow)
{
    mainwindow::registerProgramWindows();
    QPointer<frmmain> first = frmmain::load();
    first->show();
    for (const char* name : {"cmdpre", "cmdloc", "cmdale", "cmddat"})
        EXPECT_TRUE(control<QAbstractButton>(first, name)->isEnabled()) << name;
    bool dialogSeen = false;
    QTimer::singleShot(0, [&dialogSeen] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        dialogSeen = dialog->objectName() == "frmpreferences" ||
                     dialog->findChild<QRadioButton*>("optar") != nullptr;
        dialog->findChild<QRadioButton*>("optar")->click();
        dialog->findChild<QAbstractButton*>("cmdok")->click();
    });
    control<QAbstractButton>(first, "cmdpre")->click();
    EXPECT_TRUE(dialogSeen);
    flushDeletes();
    EXPECT_FALSE(first);
    frmmain* second = frmmain::instance();
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(second->english);
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(second->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(windows::loadedWindows(), QList<QWidget*>{second});
}

TEST_F(MainWindowTest, PanelShowsTodaysTimesOnTheTwentyFourHourClock)
{
    struct Case {
        const char* what;
        const char* pref;
        bool seconds;
    };
    const Case cases[] = {
        {"minutes", "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#TRUE#,\"1\",\"1\",0,0,1\r\n",
         false},
        {"seconds, 12-hour reports",
         "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"0\",#TRUE#,\"1\",\"1\",0,0,0\r\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        put("pref.zvd", c.pref);
        frmmain* w = frmmain::load();
        QStringList times;
        for (const char* name : {"lbltfaj", "lbltshr", "lbltdoh", "lbltasr", "lbltmag", "lbltish"})
            times << text(w, name);
        for (const QString& t : times)
            EXPECT_TRUE(isClockText(t, c.seconds)) << t.toStdString();
        // Mecca in December: each time after the one before, Maghrib in the
        // evening whatever the report's clock.
        for (int i = 1; i < times.size(); ++i)
            EXPECT_LT(times[i - 1], times[i]);
        EXPECT_TRUE(times[4].startsWith("17:")) << times[4].toStdString();
        EXPECT_EQ(times[0].toStdString(), w->fajertext);
        // The today run leaves the progress window loaded and hidden.
        ASSERT_TRUE(frmwait::isLoaded());
        EXPECT_FALSE(frmwait::form().isVisible());
        w->close();
        flushDeletes();
    }
}

TEST_F(MainWindowTest, MissingDateFileAtStartUpIsNamedInBothLanguages)
{
    for (bool english : {true, false}) {
        putDefaultSettings();
        if (!english)
            put("pref.zvd", kArabicPref);
        std::filesystem::remove(file("date.zvd"));
        try {
            frmmain::load();
            ADD_FAILURE() << "the start-up went on";
        } catch (const FileFault& fault) {
            EXPECT_EQ(fault.file(), "date.zvd");
            EXPECT_EQ(fault.kind(), FileFaultKind::Missing);
        }
        EXPECT_EQ(platform::faultLanguage(), english);
        platform::setFaultLanguage(true);
    }
}

TEST_F(MainWindowTest, PrayerTimesWritesTheReportAndOpensIt)
{
    put("date.zvd", kTenDays);
    frmmain* w = frmmain::load();
    w->show();
    control<QAbstractButton>(w, "cmdcom")->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], file("results.out"));
    const std::string report = get("results.out");
    EXPECT_EQ(reportRows(report), 10);
    EXPECT_NE(report.find("* Remarks:-"), std::string::npos);
    EXPECT_FALSE(frmwait::isLoaded());
    EXPECT_FALSE(LongComputation::running());
    EXPECT_TRUE(w->isVisible());
}

// A run refused before it writes says why once: no second box about a
// report that was never tried.
TEST_F(MainWindowTest, ARefusedReportRunShowsOneMessageOnly)
{
    // One day of a year too far to be counted day by day.
    const std::string farDates =
        "#TRUE#,1e308,6,1,1e308,6,1,2027,1,1,2027,12,31,2027,1,1,#FALSE#,#FALSE#\r\n";
    put("date.zvd", farDates);
    put("loc.zvd", "\"London\",0,7,40,51,30,27,11,0,#FALSE#,#TRUE#,#TRUE#,#FALSE#,0,1010,10,0,"
                   "\"0.0065\"\r\n");
    const struct {
        const char* what;
        std::function<void(frmmain*)> run;
        bool farDates; // refused for the dates, else for an end before the beginning
    } cases[] = {
        {"prayer times", [this](frmmain* w) { control<QAbstractButton>(w, "cmdcom")->click(); },
         true},
        {"moon times", [this](frmmain* w) { control<QAbstractButton>(w, "cmdmoon")->click(); },
         true},
        {"Qiblah times",
         [](frmmain*) {
             frmqib q;
             q.cmdqib->click();
         },
         true},
        {"ephemeris",
         [this](frmmain*) {
             frmcoor e;
             control<QLineEdit>(&e, "txt2y")->setText(QStringLiteral("2003"));
             e.cmdcalc->click();
         },
         false},
    };
    for (const bool english : {true, false}) {
        put("pref.zvd", english ? "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#TRUE#,\"1\","
                                  "\"1\",0,0,1\r\n"
                                : kArabicPref);
        frmmain* w = frmmain::load();
        w->show();
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (english ? " (English)" : " (Arabic)"));
            put("results.out", "old");
            messages.clear();
            shown.clear();
            c.run(w);
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_FALSE(progressShownWithMessage.back()) << "the progress window stays behind";
            if (c.farDates) { // the span's refusal, naming the year and its field
                EXPECT_TRUE(messages[0].contains(english ? QStringLiteral("The year 1e+308 in "
                                                                          "date.zvd (field 2)")
                                                         : QStringLiteral("1e+308")))
                    << messages[0].toStdString();
            }
            EXPECT_TRUE(shown.empty());
            EXPECT_EQ(get("results.out"), "old");
            EXPECT_FALSE(frmwait::isLoaded());
            EXPECT_FALSE(LongComputation::running());
        }
        windows::unloadAll();
        flushDeletes();
    }
}

TEST_F(MainWindowTest, CancelledRunOpensNothing)
{
    put("date.zvd", kTenDays);
    frmmain* w = frmmain::load();
    w->show();
    atFirstHandOver([] { frmwait::form().bcancel->click(); });
    control<QAbstractButton>(w, "cmdcom")->click();
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(cancelflag, -1);
    const std::string report = get("results.out");
    EXPECT_EQ(reportRows(report), 1);
    EXPECT_NE(report.find("* Remarks:-"), std::string::npos);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(frmwait::isLoaded());
}

TEST_F(MainWindowTest, ExitDuringARunCancelsItThenUnloadsEverything)
{
    windows::setFactory("frmphase", [] { return new QWidget; });
    for (bool byCloseBox : {false, true}) {
        SCOPED_TRACE(byCloseBox ? "close box" : "Exit");
        handOvers = 0;
        shown.clear();
        put("date.zvd", kTenDays);
        QPointer<frmmain> w = frmmain::load();
        w->show();
        control<QAbstractButton>(w, "cmdpha")->click();
        QPointer<QWidget> phases = windows::find("frmphase");
        bool stillThere = false;
        atFirstHandOver([&] {
            if (byCloseBox)
                w->close();
            else
                control<QAbstractButton>(w, "cmdext")->click();
            // The run still holds the windows: they are out of sight but not gone.
            stillThere = w && phases && !w->isVisible() && !phases->isVisible();
        });
        control<QAbstractButton>(w, "cmdcom")->click();
        EXPECT_TRUE(stillThere);
        EXPECT_TRUE(shown.empty());
        EXPECT_EQ(reportRows(get("results.out")), 1);
        EXPECT_TRUE(windows::loadedWindows().isEmpty());
        EXPECT_FALSE(frmwait::isLoaded());
        flushDeletes();
        EXPECT_FALSE(w);
        EXPECT_FALSE(phases);
        platform::setEventProcessor({});
    }
}

TEST_F(MainWindowTest, HelpOpensHelpTextOfTheProgramFolder)
{
    std::filesystem::copy_file(testsupport::dataDir() / "program" / "help.txt", file("help.txt"));
    frmmain* w = frmmain::load();
    const auto here = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    control<QAbstractButton>(w, "cmdhel")->click();
    std::filesystem::current_path(here);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], file("help.txt"));
    const platform::TextFileView view = platform::textFileView(shown[0]);
    EXPECT_TRUE(view.opened);
    EXPECT_TRUE(view.text.contains("Prayer Times"));
}

TEST_F(MainWindowTest, ReloadDuringARunWaitsForItToStop)
{
    put("date.zvd", kTenDays);
    QPointer<frmmain> first = frmmain::load();
    first->show();
    frmmain* during = first;
    atFirstHandOver([&] {
        // What a saved preference does while the report runs.
        put("pref.zvd", kArabicPref);
        during = frmmain::reload();
    });
    control<QAbstractButton>(first, "cmdcom")->click();
    EXPECT_EQ(during, nullptr);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(reportRows(get("results.out")), 1);
    flushDeletes();
    EXPECT_FALSE(first);
    frmmain* second = frmmain::instance();
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(second->english);
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(windows::loadedWindows(), QList<QWidget*>{second});
}

TEST_F(MainWindowTest, ExitEndsTheMessageLoop)
{
    frmmain* w = frmmain::load();
    w->show();
    QTimer::singleShot(0, w, [w] { w->findChild<QAbstractButton*>("cmdext")->click(); });
    // A loop that Exit failed to end is ended with another status.
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    safety.start(5000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
}

} // namespace

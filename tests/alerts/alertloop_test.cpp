// The alert program's start-up and loop, driven tick by tick with a set clock.
#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <unistd.h>

#include "alertfixture.h"
#include "alerts/frmadan.h"
#include "platform/programfolder.h"
#include "platform/qt/programs.h"
#include "platform/qt/trayicon.h"

using namespace alerttest;
using alerts::DayTimes;
using alerts::Prayer;

namespace {

const DayTimes kDay{"04:12", "05:40", "11:45", "15:21", "18:02", "19:27"};

class AlertLoop : public AlertProgramTest {};

TEST_F(AlertLoop, TipAtStartNamesTheNextPrayer)
{
    struct Case {
        const char* what;
        DayTimes times;
        int hour, minute;
        const char* tip;
    };
    const Case cases[] = {
        {"before Fajr", kDay, 3, 0, "Next Prayer is Fajer at 04:12"},
        {"at 13:00, Asr next", kDay, 13, 0, "Next Prayer is Aser at 15:21"},
        {"in the minute of Asr", kDay, 15, 21, "Next Prayer is Maghreb at 18:02"},
        // 04:38 is one of the minutes whose two ways of counting hours differ
        // in the last bit: the prayer's own minute must still not be pending.
        {"in the minute of Fajr at 04:38",
         {"04:38", "06:01", "11:45", "15:21", "18:02", "19:27"},
         4,
         38,
         "Next Prayer is Dhuhor at 11:45"},
        {"after Isha", kDay, 20, 0, "Miqatix"},
        {"Asr a marker",
         {"04:12", "05:40", "11:45", "----", "18:02", "19:27"},
         13,
         0,
         "Next Prayer is Maghreb at 18:02"},
        {"every time a marker", {"Dark", "Down", "Down", "Down", "Down", "Dark"}, 1, 0, "Miqatix"},
        // Rounded up to midnight: still ahead all evening.
        {"Isha at 24:00",
         {"04:12", "05:40", "11:45", "15:21", "18:02", "24:00"},
         20,
         0,
         "Next Prayer is Isha at 00:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        days_.times = c.times;
        window_.reset();
        startAt(c.hour, c.minute);
        EXPECT_EQ(tip(), QString::fromUtf8(c.tip));
    }
    EXPECT_EQ(window_->prayerText(Prayer::Isha), "00:00");
}

TEST_F(AlertLoop, TipAfterEachPrayer)
{
    struct Case {
        const char* what;
        DayTimes times;
        int hour, minute;
        const char* tip;
    };
    const Case cases[] = {
        {"Fajr", kDay, 4, 12, "Next Prayer is Dhuhor at 11:45"},
        {"Dhuhr", kDay, 11, 45, "Next Prayer is Aser at 15:21"},
        {"Asr", kDay, 15, 21, "Next Prayer is Maghreb at 18:02"},
        {"Maghrib", kDay, 18, 2, "Next Prayer is Isha at 19:27"},
        {"Isha", kDay, 19, 27, "Miqatix"},
        {"Fajr skips a Dhuhr marker",
         {"04:12", "05:40", "----", "15:21", "18:02", "19:27"},
         4,
         12,
         "Next Prayer is Aser at 15:21"},
        {"Dhuhr does not look past a marked Asr",
         {"04:12", "05:40", "11:45", "----", "18:02", "19:27"},
         11,
         45,
         "Miqatix"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        days_.times = c.times;
        window_.reset();
        startAt(c.hour, c.minute - 1, 30);
        tickAt(c.hour, c.minute, 2);
        EXPECT_EQ(tip(), QString::fromUtf8(c.tip));
        EXPECT_EQ(waiter_->waits, std::vector<int>{61});
    }
}

TEST_F(AlertLoop, AdhanPlaysOnceAtThePrayerMinute)
{
    putAlerts({.beep = 0, .adhan = 1});
    startAt(4, 11, 30);
    tickAt(4, 12, 1);

    const QString wav = QString::fromStdString(file("fajer.wav").string());
    EXPECT_EQ(playerCommands(), QStringList({"close", "open " + wav, "play"}));
    ASSERT_NE(window_->adhanWindow(), nullptr);
    EXPECT_TRUE(window_->adhanWindow()->isVisible());
    EXPECT_EQ(window_->adhanWindow()->heading()->text(), "Fajer Prayer");
    EXPECT_EQ(window_->adhanWindow()->timeLabel()->text(), "04:12");
    EXPECT_EQ(waiter_->waits, std::vector<int>{61});

    // The wait has carried the clock into 04:13: nothing more happens.
    tickAt(4, 13, 7);
    tickAt(4, 13, 12);
    EXPECT_EQ(playerCommands().size(), 3);
    EXPECT_EQ(waiter_->waits.size(), 1u);
}

TEST_F(AlertLoop, RecordingFollowsTheMeccaField)
{
    struct Case {
        const char* what;
        int hour, minute;
        AlertLine alerts;
        const char* file;
    };
    // Each row turns only the prayer's own field against the others.
    const Case cases[] = {
        {"Dhuhr, Mecca",
         11,
         45,
         {.adhan = 1, .dhrmecca = true, .asrmecca = false, .magmecca = false, .ishmecca = false},
         "haram.wav"},
        {"Dhuhr, other", 11, 45, {.adhan = 1, .dhrmecca = false}, "egypt.wav"},
        {"Asr, Mecca",
         15,
         21,
         {.adhan = 1, .dhrmecca = false, .asrmecca = true, .magmecca = false, .ishmecca = false},
         "haram.wav"},
        {"Asr, other", 15, 21, {.adhan = 1, .asrmecca = false}, "egypt.wav"},
        {"Maghrib, Mecca",
         18,
         2,
         {.adhan = 1, .dhrmecca = false, .asrmecca = false, .magmecca = true, .ishmecca = false},
         "haram.wav"},
        {"Maghrib, other", 18, 2, {.adhan = 1, .magmecca = false}, "egypt.wav"},
        {"Isha, Mecca",
         19,
         27,
         {.adhan = 1, .dhrmecca = false, .asrmecca = false, .magmecca = false, .ishmecca = true},
         "haram.wav"},
        {"Isha, other", 19, 27, {.adhan = 1, .ishmecca = false}, "egypt.wav"},
        {"Fajr has its own",
         4,
         12,
         {.adhan = 1, .dhrmecca = false, .asrmecca = false, .magmecca = false, .ishmecca = false},
         "fajer.wav"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        putAlerts(c.alerts);
        window_.reset();
        startAt(c.hour, c.minute - 1, 30);
        tickAt(c.hour, c.minute, 2);
        const QStringList commands = playerCommands();
        ASSERT_EQ(commands.size(), 3);
        EXPECT_EQ(commands[1], "open " + QString::fromStdString(file(c.file).string()));
    }
}

TEST_F(AlertLoop, AMeccaFieldThatIsNoTruthSetsNoRecording)
{
    // Only #TRUE# and #FALSE# choose a recording; for anything else the
    // player is closed and nothing opened or played, and the pop-up shows.
    // (A bare word there is no field at all: the file is damaged and stops
    // the program, as the damaged-file tests show.)
    for (const char* field : {"0", "-1", "", "\"#TRUE#\""}) {
        SCOPED_TRACE(field);
        putAlerts({.adhan = 1});
        setField("alert.zvd", 5, field);
        window_.reset();
        startAt(11, 44, 30);
        tickAt(11, 45, 2);
        EXPECT_EQ(playerCommands(), QStringList{"close"});
        ASSERT_NE(window_->adhanWindow(), nullptr);
        EXPECT_TRUE(window_->adhanWindow()->isVisible());
        EXPECT_EQ(window_->adhanWindow()->heading()->text(), "Dhuhor Prayer");
    }
    // The other prayers keep their own fields.
    window_.reset();
    startAt(15, 20, 30);
    tickAt(15, 21, 2);
    ASSERT_EQ(playerCommands().size(), 3);
    EXPECT_EQ(playerCommands()[1], "open " + QString::fromStdString(file("haram.wav").string()));
}

TEST_F(AlertLoop, PopUpAloneAndNeitherSwitch)
{
    putAlerts({.beep = 0, .adhan = 0, .popup = 1});
    startAt(11, 44, 30);
    tickAt(11, 45, 2);
    EXPECT_TRUE(playerCommands().isEmpty());
    ASSERT_NE(window_->adhanWindow(), nullptr);
    EXPECT_TRUE(window_->adhanWindow()->isVisible());
    EXPECT_EQ(window_->adhanWindow()->heading()->text(), "Dhuhor Prayer");

    // Only the beep on: the tip moves on and the tick still waits, but
    // nothing sounds and nothing shows.
    putAlerts({.beep = 1, .beepmin = 10});
    window_.reset();
    startAt(15, 20, 30);
    tickAt(15, 21, 2);
    EXPECT_TRUE(playerCommands().isEmpty());
    EXPECT_TRUE(window_->adhanWindow() == nullptr || !window_->adhanWindow()->isVisible());
    EXPECT_EQ(tip(), "Next Prayer is Maghreb at 18:02");
    EXPECT_EQ(waiter_->waits, std::vector<int>{61});
}

TEST_F(AlertLoop, ArabicHeadingAtPrayer)
{
    setField("pref.zvd", 15, "#FALSE#");
    putAlerts({.beep = 0, .popup = 1});
    startAt(18, 1, 30);
    tickAt(18, 2, 2);
    QLabel* heading = window_->adhanWindow()->heading();
    EXPECT_EQ(heading->text(), "صلاة المغرب");
    EXPECT_EQ(heading->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(heading->font().family(), "Arabic Transparent");
    EXPECT_EQ(heading->font().pointSize(), 30);
    EXPECT_EQ(heading->width(), alerts::twipsToPixels(4500, heading));
}

TEST_F(AlertLoop, PopUpIsReusedWithTheTextsOfItsCreation)
{
    putAlerts({.beep = 0, .adhan = 1});
    startAt(4, 11, 30);
    tickAt(4, 12, 1);
    QPointer<alerts::frmadan> first = window_->adhanWindow();
    ASSERT_TRUE(first);
    const QString longitude = first->findChild<QLabel*>("lbllon2")->text();
    first->findChild<QPushButton*>("cmdmin")->click();

    // The coordinates are not watched: a changed place shows only in a new window.
    setField("loc.zvd", 2, "50");
    tickAt(11, 45, 2); // a jump: reloads, then announces Dhuhr
    EXPECT_EQ(window_->adhanWindow(), first.data());
    EXPECT_EQ(first->heading()->text(), "Dhuhor Prayer");
    EXPECT_EQ(first->timeLabel()->text(), "11:45");
    EXPECT_EQ(first->findChild<QLabel*>("lbllon2")->text(), longitude);

    // Close stops the sound and releases the window; the next one is new.
    player_->commands.clear();
    first->findChild<QPushButton*>("cmdclose")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(playerCommands(), QStringList({"stop", "close"}));
    EXPECT_FALSE(first);
    EXPECT_FALSE(programEnded_);
    tickAt(15, 21, 2);
    ASSERT_NE(window_->adhanWindow(), nullptr);
    EXPECT_EQ(window_->adhanWindow()->findChild<QLabel*>("lbllon2")->text(), "50:49:34.0 E");
}

TEST_F(AlertLoop, CloseBoxStopsTheAdhan)
{
    putAlerts({.beep = 0, .adhan = 1});
    startAt(4, 11, 30);
    tickAt(4, 12, 1);
    player_->commands.clear();
    window_->adhanWindow()->close();
    EXPECT_EQ(playerCommands(), QStringList({"stop", "close"}));
}

TEST_F(AlertLoop, ReloadTriggers)
{
    struct Case {
        const char* what;
        std::function<void(AlertLoop&)> change;
        int hour, minute, second;
        bool reload;
    };
    const Case cases[] = {
        {"next minute, nothing changed", [](AlertLoop&) {}, 13, 1, 3, false},
        {"same minute", [](AlertLoop&) {}, 13, 0, 40, false},
        {"Fajr angle", [](AlertLoop& t) { t.setField("pref.zvd", 1, "15"); }, 13, 0, 40, true},
        {"Isha minutes of Maghrib", [](AlertLoop& t) { t.setField("pref.zvd", 10, "3"); }, 13, 0,
         40, true},
        {"language", [](AlertLoop& t) { t.setField("pref.zvd", 15, "#FALSE#"); }, 13, 0, 40, true},
        {"place name", [](AlertLoop& t) { t.setField("loc.zvd", 1, "\"Cairo\""); }, 13, 0, 40,
         true},
        {"pressure", [](AlertLoop& t) { t.setField("loc.zvd", 15, "990"); }, 13, 0, 40, true},
        // Taken at the next reload only.
        {"summer-time switch", [](AlertLoop& t) { t.setField("pref.zvd", 11, "\"1\""); }, 13, 0, 40,
         false},
        {"time zone", [](AlertLoop& t) { t.setField("loc.zvd", 9, "2"); }, 13, 0, 40, false},
        {"two minutes on", [](AlertLoop&) {}, 13, 2, 0, true},
        {"clock set back a minute", [](AlertLoop&) {}, 12, 59, 50, false},
        {"clock set back two minutes", [](AlertLoop&) {}, 12, 58, 50, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        putDefaultSettings();
        putAlerts({});
        days_.times = kDay;
        days_.calls.clear();
        window_.reset();
        startAt(13, 0, 10);
        ASSERT_EQ(days_.calls.size(), 1u);
        // A reload computes the day again and renews the tip.
        days_.times.asr = "15:30";
        c.change(*this);
        tickAt(c.hour, c.minute, c.second);
        EXPECT_EQ(days_.calls.size(), c.reload ? 2u : 1u);
        EXPECT_EQ(tip(),
                  c.reload ? "Next Prayer is Aser at 15:30" : "Next Prayer is Aser at 15:21");
    }
}

TEST_F(AlertLoop, MidnightBringsTheNewDay)
{
    days_.byDay[11] = {"04:15", "05:43", "11:45", "15:22", "18:03", "19:28"};
    startAt(23, 58, 40);
    tickAt(23, 59, 2);
    EXPECT_EQ(tip(), "Miqatix");
    tickAt(0, 0, 3, 11);
    EXPECT_EQ(window_->dayDate(), QDate(2027, 3, 11));
    EXPECT_EQ(days_.calls.back(), (alerts::CalendarDate{2027, 3, 11}));
    EXPECT_EQ(tip(), "Next Prayer is Fajer at 04:15");
}

TEST_F(AlertLoop, IshaAtMidnightIsAnnouncedAtTheEndOfItsDay)
{
    putAlerts({.beep = 1, .beepmin = 5, .adhan = 1, .ishmecca = false});
    days_.times.isha = "24:00";
    days_.byDay[11] = kDay;
    startAt(23, 54, 40);
    // Its beep comes five minutes before midnight.
    tickAt(23, 55, 2);
    EXPECT_EQ(beeps_, 3);
    tickAt(23, 59, 2);
    EXPECT_TRUE(playerCommands().isEmpty());

    tickAt(0, 0, 2, 11);
    ASSERT_EQ(playerCommands().size(), 3);
    EXPECT_EQ(playerCommands()[1], "open " + QString::fromStdString(file("egypt.wav").string()));
    EXPECT_EQ(window_->adhanWindow()->heading()->text(), "Isha Prayer");
    EXPECT_EQ(window_->adhanWindow()->timeLabel()->text(), "00:00");
    // The new day's times are in, and its first prayer is in the tip.
    EXPECT_EQ(window_->prayerText(Prayer::Isha), "19:27");
    EXPECT_EQ(tip(), "Next Prayer is Fajer at 04:12");
}

TEST_F(AlertLoop, OwnMidnightIshaIsNotAnnouncedAsTheDayBegins)
{
    putAlerts({.beep = 0, .adhan = 1});
    days_.times.isha = "24:00";
    startAt(0, 0, 1);
    tickAt(0, 0, 6);
    EXPECT_TRUE(playerCommands().isEmpty());
    EXPECT_TRUE(waiter_->waits.empty());
}

TEST_F(AlertLoop, BeepMinute)
{
    struct Case {
        const char* what;
        double beepmin;
        int hour, minute;
        int beeps;
        std::vector<int> waits;
    };
    const Case cases[] = {
        {"ten minutes before Asr", 10, 15, 11, 3, {1, 1, 56}},
        {"a minute early", 10, 15, 10, 0, {}},
        {"a fraction never matches", 10.5, 15, 11, 0, {}},
        {"a fraction never matches, next minute", 10.5, 15, 10, 0, {}},
        // In the prayer's own minute, after the prayer's wait.
        {"zero: after the prayer", 0, 15, 21, 3, {61, 1, 1, 56}},
        {"before Fajr", 30, 3, 42, 3, {1, 1, 56}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        putAlerts({.beep = 1, .beepmin = c.beepmin});
        window_.reset();
        beeps_ = 0;
        startAt(c.hour, c.minute - 1, 30);
        tickAt(c.hour, c.minute, 2);
        EXPECT_EQ(beeps_, c.beeps);
        EXPECT_EQ(waiter_->waits, c.waits);
    }
}

TEST_F(AlertLoop, EndsWhenEveryAlertIsOff)
{
    startAt(13, 0);
    EXPECT_TRUE(window_->trayIcon().isAdded());
    EXPECT_TRUE(window_->timer()->isActive());
    putAlerts({.beep = 0, .adhan = 0, .popup = 0});
    tickAt(13, 0, 5);
    EXPECT_TRUE(window_->hasEnded());
    EXPECT_FALSE(window_->trayIcon().isAdded());
    EXPECT_FALSE(window_->timer()->isActive());
    EXPECT_TRUE(programEnded_);

    // Any alert on keeps it running (a popup switch of 1 among others off).
    putAlerts({.beep = 0, .adhan = 0, .popup = 1});
    window_.reset();
    programEnded_ = false;
    startAt(13, 0);
    tickAt(13, 0, 5);
    EXPECT_FALSE(window_->hasEnded());
}

TEST_F(AlertLoop, ExitDuringAWaitEndsForGood)
{
    putAlerts({.beep = 1, .beepmin = 0, .adhan = 1});
    startAt(4, 11, 30);
    waiter_->onWait = [this](int) {
        window_->popupMenu()->findChild<QAction*>("mnuExit")->trigger();
    };
    tickAt(4, 12, 1);
    EXPECT_TRUE(window_->hasEnded());
    EXPECT_TRUE(waiter_->cancelled);
    EXPECT_EQ(waiter_->waits, std::vector<int>{61}); // no beeps after it
    EXPECT_EQ(beeps_, 0);
    EXPECT_FALSE(window_->trayIcon().isAdded());
    EXPECT_FALSE(window_->timer()->isActive());
    // The pop-up with its adhan keeps the program until it is closed.
    EXPECT_FALSE(programEnded_);

    // A tick that was due does not bring it back.
    tickAt(4, 15, 0);
    EXPECT_FALSE(window_->trayIcon().isAdded());
    EXPECT_FALSE(window_->timer()->isActive());

    window_->adhanWindow()->findChild<QPushButton*>("cmdclose")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(programEnded_);
}

TEST_F(AlertLoop, IconAndMenu)
{
    startAt(13, 0);
    QMenu* menu = window_->popupMenu();
    QStringList texts;
    for (QAction* a : menu->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(texts, QStringList({"&Open Miqatix ", "-", "&Close \"Prayer Alerts\" of Miqatix"}));

    window_->Form_MouseMove(platform::TrayIcon::kLeftClick);
    EXPECT_TRUE(starter_.starts.empty());
    window_->Form_MouseMove(platform::TrayIcon::kLeftDoubleClick);
    window_->Form_MouseMove(platform::TrayIcon::kLeftDoubleClick);
    menu->findChild<QAction*>("mnuopen")->trigger();
    ASSERT_EQ(starter_.starts.size(), 3u); // a new copy each time
    EXPECT_EQ(starter_.starts[0].program, QString::fromStdString(file("qamtar").string()));
    EXPECT_EQ(starter_.starts[0].folder, QString::fromStdString(folder().string()));

    menu->findChild<QAction*>("mnuExit")->trigger();
    EXPECT_FALSE(window_->trayIcon().isAdded());
    EXPECT_TRUE(programEnded_);
}

TEST_F(AlertLoop, HiddenWindowAndItsServer)
{
    startAt(13, 0);
    EXPECT_EQ(window_->windowTitle(), "Miqatix Alerts");
    EXPECT_FALSE(window_->isVisible());
    ASSERT_NE(window_->server(), nullptr);
    ASSERT_TRUE(window_->server()->isListening());
    QLocalSocket client;
    client.connectToServer(window_->server()->fullServerName());
    EXPECT_TRUE(client.waitForConnected(1000));
    EXPECT_EQ(window_->server()->fullServerName(), serverPath());

    // Ended, it lets go of the name at once, even with a pop-up still open.
    window_->mnuExit_Click();
    EXPECT_FALSE(window_->server()->isListening());
}

TEST_F(AlertLoop, ASecondCopyTakesTheNameOverAtItsNextTick)
{
    // A copy started by hand while another holds the name runs without it.
    platform::ProgramName first(serverPath());
    ASSERT_TRUE(first.hold());
    startAt(13, 0);
    EXPECT_FALSE(window_->programName()->isHeld());
    tickAt(13, 0, 5);
    EXPECT_FALSE(window_->programName()->isHeld());

    // The holder ends: the next tick takes the name, so the look-up finds a
    // running copy and the alert dialog starts no third one.
    first.release();
    tickAt(13, 0, 10);
    EXPECT_TRUE(window_->programName()->isHeld());
    QLocalSocket client;
    client.connectToServer(first.path());
    EXPECT_TRUE(client.waitForConnected(1000));

    // Its socket file removed under it (a cleaner of the temporary folder):
    // taken back at the next tick.
    client.abort();
    std::filesystem::remove(first.path().toStdString());
    tickAt(13, 0, 15);
    EXPECT_TRUE(window_->programName()->isHeld());
    EXPECT_TRUE(std::filesystem::exists(first.path().toStdString()));
}

TEST_F(AlertLoop, FilesComeFromTheProgramFolderWhateverTheWorkingDirectory)
{
    const auto old = std::filesystem::current_path();
    const auto elsewhere = folder() / "elsewhere";
    std::filesystem::create_directory(elsewhere);
    std::filesystem::current_path(elsewhere);
    EXPECT_NO_THROW({
        startAt(13, 0);
        tickAt(13, 0, 5);
    });
    std::filesystem::current_path(old);
    EXPECT_EQ(tip(), "Next Prayer is Aser at 15:21");
}

TEST_F(AlertLoop, WaitsForTheAlertFileAtStart)
{
    std::filesystem::remove(file("alert.zvd"));
    makeWindow();
    waiter_->onWait = [this](int) {
        if (waiter_->waits.size() == 3)
            putAlerts({});
    };
    startAt(13, 0);
    EXPECT_EQ(waiter_->waits.size(), 3u);
    EXPECT_EQ(tip(), "Next Prayer is Aser at 15:21");
    EXPECT_TRUE(window_->timer()->isActive());
}

TEST_F(AlertLoop, StopsWhenTheAlertFileNeverComes)
{
    std::filesystem::remove(file("alert.zvd"));
    makeWindow();
    EXPECT_THROW(startAt(13, 0), platform::FileFault);
    EXPECT_EQ(waiter_->waits.size(), static_cast<size_t>(alerts::frmmain2::kAlertFileWait));
    EXPECT_FALSE(window_->trayIcon().isAdded());
}

} // namespace

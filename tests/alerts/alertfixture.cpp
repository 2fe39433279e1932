#include "alertfixture.h"

#include <ctime>
#include <unistd.h>

#include <QCoreApplication>

#include "platform/eventloop.h"
#include "platform/qt/sound.h"
#include "platform/qt/trayicon.h"
#include "settings/settingsline.h"

namespace alerttest {

TimePoint localTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&tm));
}

alerts::DayTimes FakeDayTimes::compute(const alerts::CalendarDate& date)
{
    calls.push_back(date);
    const auto it = byDay.find(date.day);
    return it == byDay.end() ? times : it->second;
}

void StepWaiter::wait(int seconds)
{
    if (cancelled)
        return;
    waits.push_back(seconds);
    clock_ += std::chrono::seconds(seconds);
    if (onWait)
        onWait(seconds);
}

void AlertProgramTest::SetUp()
{
    ProgramFolderTest::SetUp();
    putDefaultSettings();
    putSeriesFiles();
    putAlerts({});
    clock_ = localTime(2027, 3, 10, 12, 0);
    platform::setClock([this] { return clock_; });
    platform::setBeeper([this] { ++beeps_; });
    oldStarter_ = platform::setProgramStarter(&starter_);
}

void AlertProgramTest::TearDown()
{
    window_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    platform::setProgramStarter(oldStarter_);
    platform::setBeeper({});
    platform::setClock({});
    ProgramFolderTest::TearDown();
}

void AlertProgramTest::putAlerts(const AlertLine& a)
{
    using settings::SettingsField;
    put("alert.zvd", settings::writeSettingsLine({
                         SettingsField::number(a.beep),
                         SettingsField::number(a.beepmin),
                         SettingsField::number(a.adhan),
                         SettingsField::number(a.popup),
                         SettingsField::truth(a.dhrmecca),
                         SettingsField::truth(a.asrmecca),
                         SettingsField::truth(a.magmecca),
                         SettingsField::truth(a.ishmecca),
                     }));
}

void AlertProgramTest::setField(const std::string& file, int field, const std::string& value)
{
    std::string line = get(file);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    put(file, testsupport::withField(line, field, value) + "\r\n");
}

void AlertProgramTest::makeWindow()
{
    auto player = std::make_unique<platform::RecordingPlayerLog>();
    player_ = player.get();
    auto waiter = std::make_unique<StepWaiter>(clock_);
    waiter_ = waiter.get();
    window_ = std::make_unique<alerts::frmmain2>(days_, std::move(player), std::move(waiter));
    window_->setServerName(serverPath());
    window_->setProgramEnd([this] { programEnded_ = true; });
}

QString AlertProgramTest::serverPath() const
{
    // The test's own folder of names, not the user's.
    return QString::fromStdString((folder() / "names" / "Miqatix-Alerts").string());
}

void AlertProgramTest::startAt(int hour, int minute, int second, int day)
{
    clock_ = localTime(2027, 3, day, hour, minute, second);
    if (!window_)
        makeWindow();
    window_->start();
}

void AlertProgramTest::tickAt(int hour, int minute, int second, int day)
{
    clock_ = localTime(2027, 3, day, hour, minute, second);
    window_->Timer1_Timer();
}

QString AlertProgramTest::tip() const
{
    return window_->trayIcon().isAdded() ? window_->trayIcon().tip() : QStringLiteral("(no icon)");
}

} // namespace alerttest

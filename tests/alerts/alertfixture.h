// A running alert program in a test program folder, with a clock the test
// sets, a day-times source that gives fixed times, and doubles for the
// player, the waits, the beep and the program starter.
#pragma once

#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "alerts/frmmain2.h"
#include "platform/qt/programs.h"
#include "support/testsupport.h"

namespace alerttest {

using TimePoint = std::chrono::system_clock::time_point;

// The local clock time of a date.
TimePoint localTime(int year, int month, int day, int hour, int minute, int second = 0);

// Times of one day, by date; `times` for any date not listed.
class FakeDayTimes : public alerts::DayTimesSource {
public:
    alerts::DayTimes compute(const alerts::CalendarDate& date) override;

    alerts::DayTimes times{"04:12", "05:40", "11:45", "15:21", "18:02", "19:27"};
    std::map<int, alerts::DayTimes> byDay; // key: day of the month
    std::vector<alerts::CalendarDate> calls;
};

// Moves the test clock on instead of waiting; `onWait` runs inside each wait,
// as window events would.
class StepWaiter : public alerts::Waiter {
public:
    explicit StepWaiter(TimePoint& clock) : clock_(clock) {}
    void wait(int seconds) override;
    void cancel() override { cancelled = true; }

    std::vector<int> waits;
    std::function<void(int)> onWait;
    bool cancelled = false;

private:
    TimePoint& clock_;
};

class StarterLog : public platform::ProgramStarter {
public:
    bool start(const QString& program, const QStringList& arguments,
               const QString& workingDirectory, QString&) override
    {
        starts.push_back({program, arguments, workingDirectory});
        return true;
    }
    struct Start {
        QString program;
        QStringList arguments;
        QString folder;
    };
    std::vector<Start> starts;
};

struct AlertLine {
    double beep = 1, beepmin = 10, adhan = 0, popup = 0;
    bool dhrmecca = true, asrmecca = true, magmecca = true, ishmecca = true;
};

class AlertProgramTest : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override;
    void TearDown() override;

public:
    void putAlerts(const AlertLine& a);
    // Rewrites one field (1-based) of a settings file's record.
    void setField(const std::string& file, int field, const std::string& value);

    void makeWindow();
    // The socket file by which the window's program is found.
    QString serverPath() const;
    void startAt(int hour, int minute, int second = 0, int day = 10);
    void tickAt(int hour, int minute, int second = 0, int day = 10);

    QString tip() const;
    QStringList playerCommands() const { return player_->commands; }

    TimePoint clock_;
    FakeDayTimes days_;
    std::unique_ptr<alerts::frmmain2> window_;
    platform::RecordingPlayerLog* player_ = nullptr;
    StepWaiter* waiter_ = nullptr;
    StarterLog starter_;
    int beeps_ = 0;
    bool programEnded_ = false;

private:
    platform::ProgramStarter* oldStarter_ = nullptr;
};

} // namespace alerttest

// The hidden main window of the alert program, captioned "Miqatix Alerts".
// It loads the series data, the alert settings and today's prayer times,
// shows the next prayer in the notification-area icon, and runs the alert
// loop every 5 seconds: it follows the settings and the clock, beeps before
// each prayer, and at a prayer's minute plays the adhan and/or shows the
// pop-up window. The main program finds it by its local server.
#pragma once

#include <QDate>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "alerts/daytimes.h"
#include "alerts/frmadan.h"
#include "alerts/waiter.h"
#include "platform/qt/sound.h"
#include "settings/records.h"

class QAction;
class QLineEdit;
class QLocalServer;
class QMenu;
class QTimer;

namespace platform {
class ProgramName;
class TrayIcon;
} // namespace platform

namespace alerts {

enum class Prayer { Fajr, Dhuhr, Asr, Maghrib, Isha };

// The settings whose change makes the alert loop load everything again.
struct WatchedSettings {
    std::string locname;
    double city = 0, pres = 0, temp = 0;
    double fajang = 0, ishang = 0, smf = 0, sdf = 0, smt = 0, sdt = 0;
    double subfaj = 0, subsho = 0, adddoh = 0, addmag = 0;
    bool eng = false;
    std::string elefaj;
    bool operator==(const WatchedSettings&) const = default;
};
WatchedSettings watchedFrom(const settings::Preferences& p, const settings::CurrentLocation& l);

class frmmain2 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTickMilliseconds = 5000;
    // Seconds the alert loop waits after announcing a prayer.
    static constexpr int kPrayerWait = 61;
    // Seconds the start waits for alert.zvd, which the alert dialog writes
    // just after starting the program on its very first use.
    static constexpr int kAlertFileWait = 10;

    // `source` computes the day's times; `player` plays the adhan (the real
    // one when null); `waiter` does the waits (a local event loop when null).
    explicit frmmain2(DayTimesSource& source,
                      std::unique_ptr<platform::RecordingPlayer> player = {},
                      std::unique_ptr<Waiter> waiter = {}, QWidget* parent = nullptr);
    ~frmmain2() override;

    // Starts the program: waits briefly for alert.zvd when it is not there
    // yet, runs the start-up step, opens the local server by which the main
    // program finds this one, and starts the alert loop.
    void start();

    // The name of the local server: a bare name lies in the user's private
    // folder of names (the caption's name unless a test sets one).
    void setServerName(const QString& name) { serverName_ = name; }

    // What to do when the program has ended (default: leave the event loop).
    void setProgramEnd(std::function<void()> end) { programEnd_ = std::move(end); }

    // The start-up step, run again by every reload.
    void Form_Load();
    // The day's times of `daydate` into the window.
    void cmdcom_Click();
    // The alert loop's tick.
    void Timer1_Timer();
    // The icon's mouse actions, by the notification area's message codes.
    void Form_MouseMove(int code);
    void mnuopen_Click();
    void mnuExit_Click();

    // Read access for the program's own checks and tests.
    platform::TrayIcon& trayIcon() const { return *tray_; }
    QMenu* popupMenu() const { return mnuPopUp; }
    frmadan* adhanWindow() const { return popup_; }
    QTimer* timer() const { return Timer1; }
    QDate dayDate() const { return daydate; }
    QString prayerText(Prayer p) const;
    QString lastTime() const { return lasttime; }
    bool hasEnded() const { return ended_; }
    QLocalServer* server() const;
    platform::ProgramName* programName() const { return name_; }

protected:
    void changeEvent(QEvent* event) override;

private:
    struct Alerts {
        double beep = 0;
        double beepmin = 0;
        double adhan = 0;
        std::int16_t popup = 0;
        // True: the Mecca recording; false: the Jerusalem one; empty when the
        // field is neither #TRUE# nor #FALSE# (no recording is played).
        std::optional<bool> dhrmecca, asrmecca, magmecca, ishmecca;
    };

    void readAlertSettings();
    bool allAlertsOff() const;
    void runTick();
    bool matches(Prayer p) const;
    QString tipAfter(Prayer p) const;
    QString nextPrayerTip(double nowHours) const;
    void setTip(const QString& tip);
    void announce(Prayer p, const QString& timeText, bool english);
    void beepBefore(Prayer p);
    double prayerHours(Prayer p) const;
    frmadan* adhanWindowForUse();
    void stopAdhan();
    void listen();
    void endIfNoWindowLeft();

    DayTimesSource& source_;
    std::unique_ptr<platform::RecordingPlayer> MMControl1;
    std::unique_ptr<Waiter> waiter_;
    std::function<void()> programEnd_;

    QTimer* Timer1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLineEdit* Text6 = nullptr;
    QMenu* mnuPopUp = nullptr;
    QAction* mnuopen = nullptr;
    QAction* line1 = nullptr;
    QAction* mnuExit = nullptr;
    platform::TrayIcon* tray_ = nullptr;
    platform::ProgramName* name_ = nullptr;
    QString serverName_;
    QPointer<frmadan> popup_;

    QDate daydate;
    QString fajtime, dohtime, asrtime, magtime, ishtime;
    Alerts alert_;
    WatchedSettings watched_;
    QString lasttime;

    // An Isha that rounds up to 24:00 is held as "00:00" and falls due at the
    // midnight that ends its day. `ishaAtMidnight_` says the held day's Isha
    // is such a one; `midnightIshaDue_` is the day whose Isha is due at the
    // coming 00:00 after the times of the next day have replaced it.
    bool ishaAtMidnight_ = false;
    QDate computedDate_;
    QDate midnightIshaDue_;

    bool ended_ = false;
    bool inTick_ = false;
};

} // namespace alerts

// frmmain: the first window of qamtar. Its load is the program's start-up: it
// loads the series tables, shows today's prayer times with the location's
// name, the machine's date with today's Hijri date and the machine's clock,
// and carries the buttons that open every tool. Closing it, by Exit or by its
// close box, unloads every window of the program.
#pragma once

#include <QDate>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>

#include "reports/moontimes.h"
#include "reports/prayertimes.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;

class frmmain : public QWidget {
    Q_OBJECT

public:
    // Loads the main window (Form_Load runs before it is shown) and records it
    // first among the loaded windows. A missing or short settings or series
    // file stops the program with a message naming the file.
    static frmmain* load();

    // The loaded main window, or nullptr.
    static frmmain* instance();

    // The settings dialogs' reload after saving: every window unloads, the
    // main window loads again with fresh reads of every file, and shows.
    // During a long computation the run is cancelled first and the reload
    // follows once it has stopped; nullptr is returned then.
    static frmmain* reload();

    ~frmmain() override;

    // The prayer-times engine behind cmdcom_Click, for callers that need one
    // day of it (the crescent-visibility tool).
    prayer::PrayerTimesEngine& engine() { return engine_; }
    // The moon-times engine behind cmdmoon_Click, likewise.
    moontimes::MoonTimesEngine& moonEngine() { return moon_; }

    // Read from pref.zvd by the load: true = English interface.
    bool english = true;
    // 1 while the load runs the prayer-times engine for the panel.
    std::int16_t todaymode = 0;
    // Julian Day of the machine's date at 0 h.
    double todayjd = 0;
    // Today's six times as the prayer-times engine leaves them.
    std::string fajertext, shuroqtext, dhohurtext, asrtext, maghrebtext, ishatext;

public slots:
    void cmdcom_Click();
    void cmdmoon_Click();
    void cmdpre_Click();
    void cmdloc_Click();
    void cmdale_Click();
    void cmddat_Click();
    void cmdcresv_Click();
    void cmdpha_Click();
    void cmdcon_Click();
    void cmdqib_Click();
    void cmdcoor_Click();
    void cmdtele_Click();
    void cmdhel_Click();
    void cmdext_Click();
    void timertime_Timer();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    frmmain();
    void Form_Load();
    void createControls();
    void switchToArabic();
    void computeToday();
    void writeDateLine();
    void writeClockLine();
    void enableButtons();
    void Form_QueryUnload();
    void finishUnload();

    // What waits for the running long computation to stop.
    enum class Pending { None, Exit, Reload };
    static Pending& pending();
    static void suspendForRunEnd(Pending what);
    static void settlePending();

    prayer::PrayerTimesEngine engine_;
    moontimes::MoonTimesEngine moon_;

    // The six texts of the prayer engine's last day, into the window's members.
    void takeEngineTimes();
    // After a report run: settles what waited for it when the program is
    // closing, otherwise tells the user when the report could not be written.
    void endReport(const prayer::RunResult& result, const char* file, const QString& title);

    std::string locname_;
    QDate panelDate_;        // the machine's date the panel and the date line show
    bool unloading_ = false; // Exit or close has begun
    bool unloaded_ = false;  // every window has been unloaded

    QLabel* lbltitle = nullptr;
    QLabel* lblhead = nullptr;
    QLabel* lblby = nullptr;
    QGroupBox* framain = nullptr;
    QPushButton* cmddat = nullptr;
    QPushButton* cmdloc = nullptr;
    QPushButton* cmdpre = nullptr;
    QPushButton* cmdqib = nullptr;
    QPushButton* cmdcom = nullptr;
    QPushButton* cmdale = nullptr;
    QPushButton* cmdpha = nullptr;
    QPushButton* cmdcresv = nullptr;
    QPushButton* cmdtele = nullptr;
    QPushButton* cmdext = nullptr;
    QPushButton* cmdhel = nullptr;
    QPushButton* cmdcon = nullptr;
    QPushButton* cmdmoon = nullptr;
    QPushButton* cmdcoor = nullptr;
    QGroupBox* fratoday = nullptr;
    QLabel* lbltheader = nullptr;
    QLabel* lblhfaj = nullptr;
    QLabel* lblhshr = nullptr;
    QLabel* lblhdoh = nullptr;
    QLabel* lblhasr = nullptr;
    QLabel* lblhmag = nullptr;
    QLabel* lblhish = nullptr;
    QLabel* lbltloc = nullptr;
    QLabel* lbltfaj = nullptr;
    QLabel* lbltshr = nullptr;
    QLabel* lbltdoh = nullptr;
    QLabel* lbltasr = nullptr;
    QLabel* lbltmag = nullptr;
    QLabel* lbltish = nullptr;
    QLabel* lblmdate = nullptr;
    QLabel* lblmtime = nullptr;
    QTimer* timertime = nullptr;
};

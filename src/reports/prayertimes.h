// The prayer-times engine of the main window: the six daily times of the
// stored place and preferences, for the calculation dates (report run, writes
// results.out), for today (the main window's panel) or for one day (sunrise
// and sunset for the crescent-visibility tool). Window-free: the main window
// owns one engine, implements its host with the progress window and the text
// viewer, and forwards the button's click to cmdcom_Click.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/eventtime.h"

namespace prayer {

class PrayerReport;

// What a run needs of the window layer. The report run uses all of it; the
// today and one-day runs only reset(), setProgress() (the progress window is
// loaded, never shown) and nothing else.
class RunHost {
public:
    virtual ~RunHost() = default;
    // Bar to 0 and label to "0" (the first use loads the progress window).
    virtual void reset() = 0;
    // Report runs: show the progress window modeless.
    virtual void show() = 0;
    // Bar to `percent` (0 .. 100), label to `label` ("37 %").
    virtual void setProgress(float percent, const std::string& label) = 0;
    // One hand-over to the message loop; the Cancel button sets `cancelflag`
    // to -1 during it.
    virtual void handOver() = 0;
    // Open the finished report in the text viewer (only when not cancelled).
    virtual void showReport(const std::filesystem::path& file) = 0;
    // Unload the progress window (no effect when Cancel unloaded it already).
    virtual void unload() = 0;
    // A warning message box with an OK button (the refusal of the
    // high-latitude method above 65 degrees), right-to-left unless `english`.
    // Only the prayer-times run warns; the main window's host shows it. The
    // hosts of the other reports, which never warn, need not provide it.
    virtual void warn(const std::string& title, const std::string& text, bool english)
    {
        (void)title;
        (void)text;
        (void)english;
    }
};

// One day of a report run as the high-latitude method sees it.
struct HighLatitudeDay {
    double jd = 0;        // Julian Day at 0 h
    std::string dateText; // "dd/mm/yyyy"
    int summer = 0;       // 1: summer time in force
    // Sunrise and sunset as the event finder gives them: before the city
    // correction and the minute adjustments.
    EventTime sunrise, sunset;
    bool nightFraction = false; // Fajr and Isha came from brightFajr
    // The six clock texts (filled for gathering, after the Asr step).
    std::string fajertext, shuroqtext, dhohurtext, asrtext, maghrebtext, ishatext;
};

// Hook points of the high-latitude alternative method. The engine decides when
// the method is on (hilat = 1, not a today run) and when it applies (on, and
// 48.5 < latitude <= 65); it then runs the whole year of year1 with both
// angles 18 and calls these in place of its ordinary steps.
class HighLatitudeMethod {
public:
    virtual ~HighLatitudeMethod() = default;
    // A "Bright" Fajr while the method is on. Return false to stop the run
    // (above 65 degrees: the engine warns through its host, then closes the
    // report with the rows so far and no remarks). Otherwise put the
    // night-fraction Fajr and Isha (decimal hours, or "----") into fajr and
    // isha and return true; the engine goes on with them as with any Fajr and
    // Isha of the event finder (Fajr adjusted once, Isha not at all).
    virtual bool brightFajr(double latitude, const HighLatitudeDay& day, EventTime& fajr,
                            EventTime& isha) = 0;
    // Start of a run to which the method applies (before the first day).
    virtual void begin(double latitude) = 0;
    // Gathering: one day of the year, after its Asr.
    virtual void storeDay(const HighLatitudeDay& day) = 0;
    // After the last day: the passes and the rows. Returns false when the run
    // was cancelled (the report keeps the header only and gets no remarks).
    virtual bool finish(PrayerReport& report, RunHost& host) = 0;
};

// How the last run ended.
struct RunResult {
    bool reportRun = false; // the run was a report run
    bool cancelled = false; // Cancel stopped it (cancelflag -1)
    bool stopped = false;   // refused to go on: the high-latitude method above
                            // 65 degrees, or dates too far to count day by day
    bool written = false;   // the report file was written
    std::filesystem::path reportFile;
    std::string writeError; // why writing the report failed, or empty
};

class PrayerTimesEngine {
public:
    PrayerTimesEngine();
    ~PrayerTimesEngine();

    // Today run: 1 while the main window's load computes its panel.
    std::int16_t todaymode = 0;
    double todayjd = 0; // Julian Day at 0 h of the day of the today run

    // The six times of the last computed day: clock texts or markers.
    std::string fajertext, shuroqtext, dhohurtext, asrtext, maghrebtext, ishatext;

    // Runs the engine: the one-day run when `onedaymode` is 1 (process-wide,
    // with `onedayjd` and `summerflag`; writes `daysunrise`, `daysunset`), the
    // today run when todaymode is 1, otherwise the report run. A missing or
    // short settings file stops the program through the platform's fault.
    void cmdcom_Click();

    // The window layer's side of a run; without a host the run shows no
    // progress, never yields and opens no viewer.
    void setHost(RunHost* host) { host_ = host; }
    // The high-latitude method: the night-fraction method of the program
    // unless a test puts another in (nullptr restores it).
    void setHighLatitudeMethod(HighLatitudeMethod* method) { hilat_ = method; }

    const RunResult& lastRun() const { return result_; }

private:
    RunHost* host_ = nullptr;
    HighLatitudeMethod* hilat_ = nullptr;
    std::unique_ptr<HighLatitudeMethod> nightFraction_;
    RunResult result_;
};

// The name of the report file in the program folder.
inline constexpr const char* kPrayerReportFile = "results.out";

} // namespace prayer

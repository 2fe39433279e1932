// A program folder with the series tables loaded and settings records that
// each test adjusts, and a progress host that records what a run shows.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/filewriter.h"
#include "reports/prayertimes.h"
#include "settings/records.h"
#include "support/testsupport.h"

namespace prayertest {

// A place of the tests: name, latitude and longitude in signed degrees,
// elevation, zone.
struct Place {
    const char* name;
    double latitude, longitude, ele, zon;
};

settings::CurrentLocation location(const Place& p);
settings::DateSelection dates(int y1, int m1, int d1, int y2, int m2, int d2);

// Records what the engine asks of its window.
class RecordingHost : public prayer::RunHost {
public:
    std::vector<std::string> calls; // "reset", "show", "progress 50 50 %", ...
    std::vector<float> percents;
    std::vector<std::string> labels;
    int handOvers = 0;
    std::vector<std::string> shown;      // files opened in the viewer
    std::function<void(int)> onHandOver; // called with the hand-over count

    void reset() override { calls.push_back("reset"); }
    void show() override { calls.push_back("show"); }
    void setProgress(float percent, const std::string& label) override
    {
        percents.push_back(percent);
        labels.push_back(label);
        calls.push_back("progress");
    }
    void handOver() override
    {
        platform::processEvents(); // as the progress window's hand-over does
        ++handOvers;
        calls.push_back("handOver");
        if (onHandOver)
            onHandOver(handOvers);
    }
    void showReport(const std::filesystem::path& file) override
    {
        shown.push_back(file.filename().string());
        calls.push_back("showReport");
    }
    void unload() override { calls.push_back("unload"); }
    std::vector<std::string> warnings; // "title|text|en" (or "ar") of each warning box
    void warn(const std::string& title, const std::string& text, bool english) override
    {
        warnings.push_back(title + "|" + text + (english ? "|en" : "|ar"));
        calls.push_back("warn");
    }
};

class PrayerTest : public testsupport::ProgramFolderTest {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Writes the three settings files of a run.
    void save();

    settings::Preferences pref;
    settings::CurrentLocation loc;
    settings::DateSelection date;
};

// Julian Day at 0 h.
double jd(int year, int month, int day);

using testsupport::compareWithGolden;

// The rows of tests/reference/<file> after its header line, each cut at its
// commas into `fields` fields (missing ones empty).
std::vector<std::vector<std::string>> referenceRows(const std::string& file, size_t fields);
// A number of a reference row, or none for an empty field.
std::optional<double> optionalNumber(const std::string& field);
// The year, month and day of a "yyyy-mm-dd" field.
void referenceDate(const std::string& field, int& year, int& month, int& day);

} // namespace prayertest

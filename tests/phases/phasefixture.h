// A program folder with the series tables loaded and the settings files of a
// moon-phases run, and a host that records what a run asks of its window.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "lunar/moonphases.h"
#include "settings/records.h"
#include "support/testsupport.h"

namespace phasetest {

class RecordingHost : public lunar::PhaseRunHost {
public:
    lunar::PhaseChoices now;         // what choices() answers
    std::vector<std::string> labels; // progress labels
    std::vector<float> percents;
    std::vector<std::string> shown; // files opened in the viewer
    int handOvers = 0, unloads = 0, shows = 0;
    std::function<void(int)> onHandOver; // called with the hand-over count

    void reset() override {}
    void show() override { ++shows; }
    void setProgress(float percent, const std::string& label) override
    {
        percents.push_back(percent);
        labels.push_back(label);
    }
    void handOver() override
    {
        platform::processEvents(); // as the progress window's hand-over does
        ++handOvers;
        if (onHandOver)
            onHandOver(handOvers);
    }
    void showReport(const std::filesystem::path& file) override
    {
        shown.push_back(file.filename().string());
    }
    void unload() override { ++unloads; }
    lunar::PhaseChoices choices() override { return now; }
};

class PhaseTest : public testsupport::ProgramFolderTest {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Writes pref.zvd and loc.zvd from the records.
    void save();

    settings::Preferences pref;
    settings::CurrentLocation loc;
};

// Mecca as the shipped loc.zvd has it; Madrid (west, summer time) for the
// report.
settings::CurrentLocation mecca();
settings::CurrentLocation madrid();

// Julian Day of a calendar date and time.
double jd(int year, int month, int day, double hours = 0);

} // namespace phasetest

// A program folder with the series loaded, a place, the preferences and
// coor.zvd, and a run host that records what the run asked of the windows.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/modgeneral.h"
#include "support/seriestables.h"
#include "support/testsupport.h"
#include "tools/ephemeris.h"

namespace ephemeristest {

// Riyadh, 46 43' E, 24 38' N, 600 m, zone 3.
inline const char* const kRiyadh =
    "\"Riyadh\",46,43,0,24,38,0,600,3,#TRUE#,#TRUE#,#FALSE#,#FALSE#,0,1010,10,0,\"0.0065\"\r\n";
// A western and southern place: 5 30' W, 33 20' 10" S, 12 m, zone -1.
inline const char* const kWestSouth =
    "\"Ponta\",5,30,0,33,20,10,12,-1,#FALSE#,#FALSE#,#TRUE#,#TRUE#,0,1010,10,0,\"0.0065\"\r\n";
// Greenwich at sea level, zone 0: local time is UT (or TT).
inline const char* const kGreenwich =
    "\"Greenwich\",0,0,0,51,28,38,0,0,#TRUE#,#TRUE#,#FALSE#,#FALSE#,0,1010,10,0,\"0.0065\"\r\n";

inline const char* const kEnglishPref =
    "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#TRUE#,\"1\",\"1\",0,0,1\r\n";
inline const char* const kArabicPref =
    "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#FALSE#,\"1\",\"1\",0,0,1\r\n";

class RecordingHost : public ephemeris::RunHost {
public:
    void progress(double p) override
    {
        progressValues.push_back(p);
        tdtDuringRows.push_back(tdtmode);
    }
    bool handOverCancelled() override
    {
        platform::processEvents(); // as the progress window's hand-over does
        ++handOvers;
        if (atHandOver)
            atHandOver(handOvers);
        return cancelAt > 0 && handOvers >= cancelAt;
    }
    void dateError(bool english) override { dateErrors.push_back(english); }
    void farDates(const std::string& text, bool english) override
    {
        farDateRefusals.push_back(english);
        farDateTexts.push_back(text);
    }
    void writeFailed(const std::string& error, bool) override { failures.push_back(error); }
    void openReport(const std::filesystem::path& file) override { opened.push_back(file); }

    int cancelAt = 0; // the hand-over at which Cancel is pressed; 0 never
    std::function<void(int)> atHandOver;
    int handOvers = 0;
    std::vector<double> progressValues;
    std::vector<double> tdtDuringRows;
    std::vector<bool> dateErrors;
    std::vector<bool> farDateRefusals;
    std::vector<std::string> farDateTexts;
    std::vector<std::string> failures;
    std::vector<std::filesystem::path> opened;
};

class EphemerisTest : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        putDefaultSettings();
        putSeriesFiles();
        put("pref.zvd", kEnglishPref);
        put("loc.zvd", kRiyadh);
        testsupport::loadSeriesTables();
        tdtmode = 0;
        pi = kPi15;
    }
    void TearDown() override
    {
        tdtmode = 0;
        ProgramFolderTest::TearDown();
    }

    // A run from start to end (local clock times) in steps of `increment`
    // units.
    static ephemeris::EphemerisSettings range(int body, double y1, double mo1, double d1, double h1,
                                              double mi1, double y2, double mo2, double d2,
                                              double h2, double mi2, double increment, int unit)
    {
        ephemeris::EphemerisSettings s;
        s.body = body;
        s.year1 = y1, s.month1 = mo1, s.day1 = d1, s.hour1 = h1, s.minute1 = mi1, s.second1 = 0;
        s.year2 = y2, s.month2 = mo2, s.day2 = d2, s.hour2 = h2, s.minute2 = mi2, s.second2 = 0;
        s.increment = increment;
        s.unit = unit;
        return s;
    }

    std::string report() const { return get(ephemeris::kReportFile); }
};

// The table rows of a report: the lines that start with a row label.
inline std::vector<std::string> tableRows(const std::string& report)
{
    std::vector<std::string> rows;
    size_t pos = 0;
    while (pos < report.size()) {
        size_t end = report.find("\r\n", pos);
        if (end == std::string::npos)
            end = report.size();
        const std::string line = report.substr(pos, end - pos);
        if (line.size() > 19 && line[2] == ':' && line[5] == ':' && line[11] == '/')
            rows.push_back(line);
        pos = end + 2;
    }
    return rows;
}

// The item of a row line that starts at a 1-based column, up to the next
// blank run of two or more (the R. A. keeps its single inner blanks).
inline std::string itemAt(const std::string& line, size_t column)
{
    const std::string rest = line.substr(column - 1);
    const size_t end = rest.find("  ");
    std::string item = rest.substr(0, end);
    while (!item.empty() && item.back() == ' ')
        item.pop_back();
    return item;
}

} // namespace ephemeristest

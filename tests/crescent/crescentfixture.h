// A program folder with the shipped settings, every series table loaded and
// Mecca in loc.zvd; message boxes and the text viewer recorded instead of
// shown; the process-wide values of the crescent tool reset around each test.
#pragma once

#include <string>
#include <vector>

#include <QWidget>

#include "engine/modgeneral.h"
#include "lunar/onedayengines.h"
#include "platform/qt/messagebox.h"
#include "platform/qt/textviewer.h"
#include "reports/moontimes.h"
#include "reports/prayertimes.h"
#include "support/testsupport.h"

namespace crescenttest {

inline const char* const kMeccaLine =
    "\"Mecca\",39,49,34,21,25,21,277,3,#TRUE#,#TRUE#,#FALSE#,#FALSE#,0,1010,10,0,\"0.0065\"\r\n";

// pref.zvd with the given precision ("1" minutes, "0" seconds), summer switch
// and window, and language.
std::string prefLine(const std::string& min = "1", const std::string& summ = "0",
                     bool english = true, int smf = 4, int sdf = 1, int smt = 10, int sdt = 1);

class CrescentTest : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The main window's engines, run as the window factory binds them.
    lunar::OneDayEngines realEngines();

    prayer::PrayerTimesEngine prayerEngine;
    moontimes::MoonTimesEngine moonEngine;
    std::vector<platform::MessageRequest> messages;
    std::vector<std::string> shown; // files the viewer was asked to show

private:
    platform::MessageResponder oldResponder_;
    platform::TextFileShower oldShower_;
};

template <typename T> T* child(QWidget* w, const char* name)
{
    T* c = w->findChild<T*>(QLatin1String(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

// The UT Julian Day of a calendar instant.
double utJd(int y, int m, int d, int h, int min);

} // namespace crescenttest

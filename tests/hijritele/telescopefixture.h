// A program folder for the telescope tool: the series tables loaded, Mecca in
// loc.zvd, English preferences without summer time, the shipped tele.zvd and
// the generated orientation pictures. tdtmode is 0 before and after.
#pragma once

#include <filesystem>
#include <string>

#include "engine/modgeneral.h"
#include "platform/filewriter.h"
#include "support/seriestables.h"
#include "support/testsupport.h"

namespace hijritele {

// Mecca (39 49' 34" E, 21 25' 21" N, 277 m, zone +3).
inline const char* const kMeccaLine =
    "\"Mecca\",39,49,34,21,25,21,277,3,#TRUE#,#TRUE#,#FALSE#,#FALSE#,0,1010,10,0,\"0.0065\"\r\n";
// Preferences: English, summer time not considered (the window 4/1 to 10/1).
inline const char* const kEnglishPrefs =
    "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#TRUE#,\"1\",\"1\",0,0,1\r\n";
inline const char* const kArabicPrefs =
    "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#FALSE#,\"1\",\"1\",0,0,1\r\n";
inline const char* const kSummerPrefs =
    "18,18,4,1,10,1,0,0,0,0,\"1\",\"0\",\"1\",\"1\",#TRUE#,\"1\",\"1\",0,0,1\r\n";

class TelescopeTest : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        putSeriesFiles();
        put("loc.zvd", kMeccaLine);
        put("pref.zvd", kEnglishPrefs);
        put("tele.zvd", testsupport::readFile(testsupport::dataDir() / "settings" / "tele.zvd"));
        std::filesystem::copy(MIQATIX_CRESCENT_DIR, folder() / "images");
        testsupport::loadSeriesTables();
        tdtmode = 0;
        pi = kPi15;
    }
    void TearDown() override
    {
        EXPECT_EQ(tdtmode, 0);
        tdtmode = 0;
        ProgramFolderTest::TearDown();
    }
};

} // namespace hijritele

#include <vector>

#include <QWidget>

#include "platform/qt/messagebox.h"

namespace hijritele {

// Records every message box instead of showing it, and answers OK.
class MessageRecorder {
public:
    MessageRecorder()
        : old_(platform::setMessageResponder([this](const platform::MessageRequest& r) {
              messages.push_back(r);
              return platform::MsgAnswer::Ok;
          }))
    {
    }
    ~MessageRecorder() { platform::setMessageResponder(old_); }

    std::vector<platform::MessageRequest> messages;

private:
    platform::MessageResponder old_;
};

template <typename T> T* child(QWidget* window, const char* name)
{
    T* w = window->findChild<T*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

} // namespace hijritele

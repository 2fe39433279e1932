// A program folder with every series table loaded and Mecca in loc.zvd, for
// the crescent and map computations. tdtmode is back at 0 after each test.
#pragma once

#include "engine/modgeneral.h"
#include "support/seriestables.h"
#include "support/testsupport.h"

namespace lunartest {

// Mecca, the shipped default place (39 49' 34" E, 21 25' 21" N, 277 m).
inline const char* const kMeccaLine =
    "\"Mecca\",39,49,34,21,25,21,277,3,#TRUE#,#TRUE#,#FALSE#,#FALSE#,0,1010,10,0,\"0.0065\"\r\n";

class SeriesFolder : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        putSeriesFiles();
        putDefaultSettings();
        put("loc.zvd", kMeccaLine);
        testsupport::loadSeriesTables();
        tdtmode = 0;
        pi = kPi15;
    }
    void TearDown() override
    {
        tdtmode = 0;
        ProgramFolderTest::TearDown();
    }
};

} // namespace lunartest

// The engine's series tables filled from the generated series files, for the
// tests that compute with them. No test changes the tables, so a test program
// reads them once.
#pragma once

#include "platform/programfolder.h"
#include "series/seriesloader.h"
#include "support/testsupport.h"

namespace testsupport {

inline void loadSeriesTables()
{
    static bool loaded = false;
    if (loaded)
        return;
    const auto old = platform::programFolder();
    platform::setProgramFolder(seriesDir());
    series::loadTermFull();
    series::loadTerm();
    series::loadMterm();
    series::loadElp();
    platform::setProgramFolder(old);
    loaded = true;
}

} // namespace testsupport

// What the crescent calculation borrows of the main window: one-day runs of
// its prayer-times and moon-times engines. The program's window factory binds
// them to the main window's engines, so that the tool never links the main
// window; tests bind engines of their own.
#pragma once

#include <functional>

namespace lunar {

struct OneDayEngines {
    // The prayer-times engine's run with `onedaymode` = 1: leaves the day's
    // sunrise and sunset in `daysunrise` and `daysunset`.
    std::function<void()> prayerTimes;
    // The moon-times engine's run with `onedaymode` = 1: leaves `daymoonrise`
    // and `daymoonset`.
    std::function<void()> moonTimes;
};

} // namespace lunar

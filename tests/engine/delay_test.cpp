#include <chrono>
#include <vector>

#include <gtest/gtest.h>

#include "engine/modgeneral.h"
#include "platform/eventloop.h"

// A wait of one second must sleep between hand-overs, not spin: a set clock
// that moves by what each hand-over was allowed to wait shows how often the
// wait came back to read it.
TEST(Delay, WaitsForEventsInsteadOfSpinning)
{
    using namespace std::chrono;
    auto t = system_clock::time_point(seconds(2000000));
    std::vector<milliseconds> waits;
    platform::setClock([&] { return t; });
    platform::setEventWaiter([&](milliseconds most) {
        waits.push_back(most);
        t += most;
    });
    modgeneral::Delay(1);
    EXPECT_GE(t, system_clock::time_point(seconds(2000001)));
    ASSERT_FALSE(waits.empty());
    EXPECT_LE(waits.size(), 11u);
    for (milliseconds w : waits)
        EXPECT_GT(w.count(), 0);

    waits.clear();
    modgeneral::Delay(0.1); // counts whole seconds: no wait at all
    EXPECT_TRUE(waits.empty());
    platform::setClock({});
    platform::setEventWaiter({});
}

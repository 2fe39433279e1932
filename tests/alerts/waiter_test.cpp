// The real wait of the alert loop: it lets window events run, and the end of
// the program cuts it short for good.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

#include "alerts/waiter.h"

namespace {

TEST(EventLoopWaiter, RunsEventsAndEndsWhenCancelled)
{
    alerts::EventLoopWaiter waiter;
    bool eventRan = false;
    QTimer::singleShot(0, [&] {
        eventRan = true;
        waiter.cancel(); // as the Exit menu item does during a wait
    });
    QElapsedTimer elapsed;
    elapsed.start();
    waiter.wait(30);
    EXPECT_TRUE(eventRan);
    EXPECT_LT(elapsed.elapsed(), 10000);

    // Every later wait returns at once.
    elapsed.restart();
    waiter.wait(30);
    EXPECT_LT(elapsed.elapsed(), 10000);
}

TEST(EventLoopWaiter, ZeroSecondsReturnsAtOnce)
{
    alerts::EventLoopWaiter waiter;
    bool eventRan = false;
    QTimer::singleShot(0, [&] { eventRan = true; });
    waiter.wait(0);
    EXPECT_FALSE(eventRan);
    QCoreApplication::processEvents(); // not left to run into another test
    EXPECT_TRUE(eventRan);
}

} // namespace

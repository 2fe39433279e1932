#include "eventloop.h"

#include <algorithm>
#include <thread>

namespace platform {

namespace {

std::function<void()>& processorSlot()
{
    static std::function<void()> processor;
    return processor;
}

std::function<void(std::chrono::milliseconds)>& waiterSlot()
{
    static std::function<void(std::chrono::milliseconds)> waiter;
    return waiter;
}

std::function<Clock::time_point()>& clockSlot()
{
    static std::function<Clock::time_point()> clock;
    return clock;
}

unsigned long& changeCount()
{
    static unsigned long count = 0;
    return count;
}

} // namespace

void filesMayHaveChanged()
{
    ++changeCount();
}

unsigned long fileChangeCount()
{
    return changeCount();
}

void processEvents()
{
    if (processorSlot())
        processorSlot()();
    filesMayHaveChanged();
}

void setEventProcessor(std::function<void()> processor)
{
    processorSlot() = std::move(processor);
}

void waitForEvents(std::chrono::milliseconds most)
{
    if (waiterSlot()) {
        waiterSlot()(most);
        filesMayHaveChanged();
        return;
    }
    processEvents();
    std::this_thread::sleep_for(std::min(most, std::chrono::milliseconds(10)));
}

void setEventWaiter(std::function<void(std::chrono::milliseconds)> waiter)
{
    waiterSlot() = std::move(waiter);
}

Clock::time_point now()
{
    return clockSlot() ? clockSlot()() : Clock::now();
}

void setClock(std::function<Clock::time_point()> clock)
{
    clockSlot() = std::move(clock);
}

} // namespace platform

#include "eventloop.h"

namespace platform {

namespace {

std::function<void()>& processorSlot()
{
    static std::function<void()> processor;
    return processor;
}

std::function<Clock::time_point()>& clockSlot()
{
    static std::function<Clock::time_point()> clock;
    return clock;
}

}  // namespace

void processEvents()
{
    if (processorSlot())
        processorSlot()();
}

void setEventProcessor(std::function<void()> processor)
{
    processorSlot() = std::move(processor);
}

Clock::time_point now()
{
    return clockSlot() ? clockSlot()() : Clock::now();
}

void setClock(std::function<Clock::time_point()> clock)
{
    clockSlot() = std::move(clock);
}

}  // namespace platform

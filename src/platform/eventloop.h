// The clock and the hand-over to the message loop, as the plain-C++ engine
// sees them. The windows' layer installs the real message loop; tests may
// install a clock of their own.
#pragma once

#include <chrono>
#include <functional>

namespace platform {

using Clock = std::chrono::system_clock;

// Lets pending window events run (a no-op until a message loop is installed).
void processEvents();
void setEventProcessor(std::function<void()> processor);

// Lets window events run for up to `most`, sleeping while none come: the wait
// of modgeneral::Delay, which must not spin the processor. Without an
// installed waiter it hands over once and then sleeps for at most 10 ms.
void waitForEvents(std::chrono::milliseconds most);
void setEventWaiter(std::function<void(std::chrono::milliseconds)> waiter);

// Where this program may have saved a settings file. A save can come only
// from a handler, and a handler runs only on its entry from the message loop
// or during a hand-over to it; the program's own saves go through the file
// writer too. Each of those points calls filesMayHaveChanged(), so code that
// keeps what it read from a settings file needs to look at the file again
// only when fileChangeCount() has moved since it last looked. (Another
// program writing at any moment is not synchronised with a computation
// either way.)
void filesMayHaveChanged();
unsigned long fileChangeCount();

// The current date and time (the system clock unless a test set another).
Clock::time_point now();
void setClock(std::function<Clock::time_point()> clock);

} // namespace platform

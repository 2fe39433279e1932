// The waits of the alert loop (the 61 s after a prayer, the seconds between
// beeps). A wait hands control to the message loop, so the icon, its menu and
// the pop-up window keep working, without keeping the processor busy. Tests
// install a waiter that moves their clock on instead of waiting.
#pragma once

class QEventLoop;

namespace alerts {

class Waiter {
public:
    virtual ~Waiter() = default;
    // Waits until the clock, counted in whole seconds, reaches the start of
    // the call plus `seconds`.
    virtual void wait(int seconds) = 0;
    // Ends a running wait at once, and every later one: the program is ending.
    virtual void cancel() = 0;
};

// Waits in a local event loop that a timer ends.
class EventLoopWaiter : public Waiter {
public:
    void wait(int seconds) override;
    void cancel() override;

private:
    bool cancelled_ = false;
    QEventLoop* loop_ = nullptr;
};

} // namespace alerts

#include "waiter.h"

#include <chrono>

#include <QEventLoop>
#include <QTimer>

#include "platform/eventloop.h"

namespace alerts {

void EventLoopWaiter::wait(int seconds)
{
    using namespace std::chrono;
    if (cancelled_ || seconds <= 0)
        return;
    // The clock counts whole seconds: a wait of N seconds ends N seconds
    // after the start of the second in which it began.
    const auto start = platform::now();
    const auto end = time_point_cast<std::chrono::seconds>(start) + std::chrono::seconds(seconds);
    const auto left = duration_cast<milliseconds>(end - start).count();
    if (left <= 0)
        return;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(static_cast<int>(left));
    loop_ = &loop;
    loop.exec();
    loop_ = nullptr;
}

void EventLoopWaiter::cancel()
{
    cancelled_ = true;
    if (loop_)
        loop_->quit();
}

} // namespace alerts

// adhanbell: the prayer-alert program. It lives in the notification area with
// a hidden main window, announces each prayer time and beeps before it.
#include <cstdio>

#include <QApplication>

#include "alerts/frmmain2.h"
#include "platform/qt/qtplatform.h"

namespace {

// Stands in for the day's computation until the engine's event finder is
// part of the build: every time reads "----", so nothing is announced.
class NoDayTimes : public alerts::DayTimesSource {
public:
    alerts::DayTimes compute(const alerts::CalendarDate&) override
    {
        static bool told = false;
        if (!told) {
            std::fprintf(stderr, "adhanbell: this build cannot compute prayer times yet.\n");
            told = true;
        }
        return {"----", "----", "----", "----", "----", "----"};
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("adhanbell"));
    // The program has no visible main window; it ends through its menu or
    // when every alert is off, not when a pop-up closes.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::installQtPlatform();

    NoDayTimes source;
    alerts::frmmain2 window(source);
    window.start();
    if (window.hasEnded())
        return 0;
    return app.exec();
}

// adhanbell: the prayer-alert program. It lives in the notification area with
// a hidden main window, announces each prayer time and beeps before it.
#include <QApplication>

#include "alerts/enginedaytimes.h"
#include "alerts/frmmain2.h"
#include "platform/qt/qtplatform.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("adhanbell"));
    // The program has no visible main window; it ends through its menu or
    // when every alert is off, not when a pop-up closes.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::installQtPlatform();

    alerts::EngineDayTimes source;
    alerts::frmmain2 window(source);
    window.start();
    if (window.hasEnded())
        return 0;
    return app.exec();
}

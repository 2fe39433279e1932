#include "qtplatform.h"

#include <cstdlib>

#include <QCoreApplication>
#include <QEventLoop>
#include <QString>
#include <QTimer>

#include "platform/eventloop.h"
#include "platform/fault.h"
#include "platform/qt/fonts.h"
#include "platform/qt/messagebox.h"

namespace platform {

QString faultTitle(bool english)
{
    return english ? QStringLiteral("Miqatix") : QStringLiteral("ميقاتكس");
}

void installQtPlatform()
{
    setEventProcessor([] { QCoreApplication::processEvents(); });
    // A nested loop that sleeps until an event or the timer comes: the waits of
    // modgeneral::Delay stay responsive without keeping a core busy.
    setEventWaiter([](std::chrono::milliseconds most) {
        QEventLoop loop;
        QTimer::singleShot(most, &loop, &QEventLoop::quit);
        loop.exec();
    });
    setStopHandler([](const FileFault& fault) {
        const bool english = faultLanguage();
        msgBox(nullptr, QString::fromStdString(fault.message(english)),
               faultTitle(english), english,
               MsgIcon::Critical);
        QCoreApplication::exit(1);
        std::exit(1);
    });
    installFonts();
}

}  // namespace platform

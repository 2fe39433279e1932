#include "qtplatform.h"

#include <cstdlib>

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFont>
#include <QPointer>
#include <QString>
#include <QTimer>

#include "platform/eventloop.h"
#include "platform/fault.h"
#include "platform/qt/messagebox.h"

namespace platform {

namespace {

// Sees each event before its receiver does; lets every one through.
class HandlerEntries : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent*) override
    {
        filesMayHaveChanged();
        return false;
    }
};

}  // namespace

void watchHandlerEntries()
{
    // The filter belongs to the application object and goes with it.
    static QPointer<HandlerEntries> filter;
    if (filter)
        return;
    filter = new HandlerEntries(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(filter);
}

void installFontSubstitutes()
{
    QFont::insertSubstitution("Arial", "Liberation Sans");
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    QFont::insertSubstitution("Times New Roman", "Liberation Serif");
    QFont::insertSubstitution("Lucida Handwriting", "DejaVu Serif");
    QFont::insertSubstitution("Arabic Transparent", "Noto Naskh Arabic");
    QFont::insertSubstitution("Simplified Arabic", "Noto Naskh Arabic");
    QFont::insertSubstitution("Andalus", "Noto Naskh Arabic");
}

void installQtPlatform()
{
    setEventProcessor([] { QCoreApplication::processEvents(); });
    watchHandlerEntries();
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
               english ? QStringLiteral("Miqatix") : QStringLiteral("ميقاتكس"), english,
               MsgIcon::Critical);
        QCoreApplication::exit(1);
        std::exit(1);
    });
    installFontSubstitutes();
}

}  // namespace platform

#include "qtplatform.h"

#include <clocale>
#include <cstdlib>

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <QTimer>

#include "platform/eventloop.h"
#include "platform/fault.h"
#include "platform/qt/buttonstyle.h"
#include "platform/qt/fonts.h"
#include "platform/qt/messagebox.h"

namespace platform {

namespace {

// Whether a key event is Enter on a push button that Qt would not press for
// it; presses the button then (once, not on auto-repeat).
bool enterPressesButton(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
        (key->modifiers() & ~Qt::KeypadModifier))
        return false;
    auto* button = qobject_cast<QPushButton*>(watched);
    // An auto-default or default button already takes Enter itself.
    if (!button || button->autoDefault() || button->isDefault() || !button->isEnabled())
        return false;
    if (!key->isAutoRepeat())
        button->click();
    return true;
}

// The one application-wide event filter: sees each event before its receiver
// does, counts it as a handler's entry when asked to, and lets Enter press a
// focused button when asked to.
class ApplicationEvents : public QObject {
public:
    using QObject::QObject;

    bool watchEntries = false;
    bool enterOnButtons = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // First: the button's handler may run from here.
        if (watchEntries)
            filesMayHaveChanged();
        return enterOnButtons && enterPressesButton(watched, event);
    }
};

// The application object's filter, installed on first use; null without an
// application object.
ApplicationEvents* applicationEvents()
{
    // Goes with the application object, so that a new one gets its own filter.
    static QPointer<ApplicationEvents> filter;
    if (!filter && QCoreApplication::instance()) {
        filter = new ApplicationEvents(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(filter);
    }
    return filter;
}

} // namespace

void watchHandlerEntries()
{
    if (ApplicationEvents* filter = applicationEvents())
        filter->watchEntries = true;
}

void installEnterOnButtons()
{
    if (ApplicationEvents* filter = applicationEvents())
        filter->enterOnButtons = true;
}

QString faultTitle(bool /*english*/)
{
    return QStringLiteral("Miqatix"); // the program's name, in either language
}

void installQtPlatform()
{
    installEnterOnButtons();
    // QApplication has set the C library's locale from the user's
    // environment; the settings files, the reports and the boxes write and
    // read numbers with a decimal point whatever the user's locale is.
    std::setlocale(LC_NUMERIC, "C");
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
        msgBox(nullptr, QString::fromStdString(fault.message(english)), faultTitle(english),
               english, MsgIcon::Critical);
        QCoreApplication::exit(1);
        std::exit(1);
    });
    installButtonStyle();
    installFonts();
}

} // namespace platform

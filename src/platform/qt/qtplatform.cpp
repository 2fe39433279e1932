#include "qtplatform.h"

#include <clocale>
#include <cstdlib>

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QKeyEvent>
#include <QPushButton>
#include <QString>
#include <QTimer>

#include "platform/eventloop.h"
#include "platform/fault.h"
#include "platform/qt/fonts.h"
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

QString faultTitle(bool english)
{
    return english ? QStringLiteral("Miqatix") : QStringLiteral("ميقاتكس");
}

namespace {

class EnterPressesButton : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
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
};

}  // namespace

void installEnterOnButtons()
{
    // Goes with the application object, so that a new one gets its own filter.
    static QPointer<EnterPressesButton> filter;
    if (filter || !QCoreApplication::instance())
        return;
    filter = new EnterPressesButton(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(filter);
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
        msgBox(nullptr, QString::fromStdString(fault.message(english)),
               faultTitle(english), english,
               MsgIcon::Critical);
        QCoreApplication::exit(1);
        std::exit(1);
    });
    installFonts();
}

}  // namespace platform

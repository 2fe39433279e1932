#include "qtplatform.h"

#include <clocale>
#include <cstdlib>

#include <QCoreApplication>
#include <QEventLoop>
#include <QFont>
#include <QKeyEvent>
#include <QPushButton>
#include <QString>
#include <QTimer>

#include "platform/eventloop.h"
#include "platform/fault.h"
#include "platform/qt/messagebox.h"

namespace platform {

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
    static EnterPressesButton* filter = nullptr;
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

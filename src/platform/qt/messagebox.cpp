#include "messagebox.h"

#include <algorithm>
#include <memory>
#include <utility>

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

#include "platform/systemreason.h"

namespace platform {

namespace {

MessageResponder& responderSlot()
{
    static MessageResponder responder;
    return responder;
}

QMessageBox::StandardButtons standardButtons(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return QMessageBox::Ok;
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon standardIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None:
        return QMessageBox::NoIcon;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

int titleBarWidth(const QString& title)
{
    // Window managers draw titles in a bold face of about the windows' size;
    // the bar's icon and its three buttons take some 150 pixels beside it.
    QFont font = QApplication::font();
    font.setBold(true);
    font.setPointSizeF(std::max(font.pointSizeF(), 10.0));
    return QFontMetrics(font).horizontalAdvance(title) + 150;
}

void makeRoomForTitle(QMessageBox& box)
{
    // A message box sizes itself to its text alone; a spacer across its grid
    // gives it the title's width as well.
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    grid->addItem(new QSpacerItem(titleBarWidth(box.windowTitle()), 0, QSizePolicy::Minimum,
                                  QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, const MessageRequest& request)
{
    auto made =
        std::make_unique<QMessageBox>(standardIcon(request.icon), request.title, request.text,
                                      standardButtons(request.buttons), parent);
    QMessageBox& box = *made;
    if (request.rightToLeft) {
        box.setLayoutDirection(Qt::RightToLeft);
        // An Arabic message answers with Arabic buttons too.
        const std::pair<QMessageBox::StandardButton, QString> arabic[] = {
            {QMessageBox::Ok, QStringLiteral("موافق")},
            {QMessageBox::Cancel, QStringLiteral("إلغاء")},
            {QMessageBox::Yes, QStringLiteral("نعم")},
            {QMessageBox::No, QStringLiteral("لا")},
            {QMessageBox::Retry, QStringLiteral("إعادة المحاولة")}};
        for (const auto& [which, text] : arabic)
            if (QAbstractButton* button = box.button(which))
                button->setText(text);
    }
    makeRoomForTitle(box);
    return made;
}

MsgAnswer msgBox(QWidget* parent, const MessageRequest& request)
{
    if (responderSlot())
        return responderSlot()(request);
    const std::unique_ptr<QMessageBox> box = makeMessageBox(parent, request);
    switch (box->exec()) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Retry:
        return MsgAnswer::Retry;
    default:
        return request.buttons == MsgButtons::Ok         ? MsgAnswer::Ok
               : request.buttons == MsgButtons::OkCancel ? MsgAnswer::Cancel
                                                         : MsgAnswer::Ok;
    }
}

MsgAnswer msgBox(QWidget* parent, const QString& text, const QString& title, bool english,
                 MsgIcon icon, MsgButtons buttons)
{
    MessageRequest request;
    request.text = text;
    request.title = title;
    request.buttons = buttons;
    request.icon = icon;
    request.rightToLeft = !english;
    return msgBox(parent, request);
}

QString reasonText(const QString& reason, bool english)
{
    return reasonText(reason.toStdString(), english);
}

QString reasonText(const std::string& reason, bool english)
{
    return QString::fromStdString(systemReason(reason, english));
}

QString pathInMessage(const QString& path, bool english)
{
    return QString::fromStdString(pathInMessage(path.toStdString(), english));
}

QString numberInMessage(const QString& number, bool english)
{
    return QString::fromStdString(numberInMessage(number.toStdString(), english));
}

MessageResponder setMessageResponder(MessageResponder responder)
{
    MessageResponder old = std::move(responderSlot());
    responderSlot() = std::move(responder);
    return old;
}

} // namespace platform

#include "messagebox.h"

#include <utility>

#include <QAbstractButton>
#include <QMessageBox>

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

MsgAnswer msgBox(QWidget* parent, const MessageRequest& request)
{
    if (responderSlot())
        return responderSlot()(request);
    QMessageBox box(standardIcon(request.icon), request.title, request.text,
                    standardButtons(request.buttons), parent);
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
    switch (box.exec()) {
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

MessageResponder setMessageResponder(MessageResponder responder)
{
    MessageResponder old = std::move(responderSlot());
    responderSlot() = std::move(responder);
    return old;
}

} // namespace platform

// Message boxes in the interface language: right-to-left for Arabic. Tests
// install a responder that records each box and gives the answer instead of
// showing it.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>

class QMessageBox;
class QWidget;

namespace platform {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgIcon { None, Information, Warning, Critical, Question };
enum class MsgAnswer { Ok, Cancel, Yes, No, Retry };

struct MessageRequest {
    QString text;
    QString title;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    bool rightToLeft = false;
};

// Shows a modal message box and returns the button pressed.
MsgAnswer msgBox(QWidget* parent, const MessageRequest& request);

// The box msgBox shows for `request`, made but not shown.
std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, const MessageRequest& request);

// Shorthand: an OK box with `text` and `title`; right-to-left when !english.
MsgAnswer msgBox(QWidget* parent, const QString& text, const QString& title, bool english,
                 MsgIcon icon = MsgIcon::None, MsgButtons buttons = MsgButtons::Ok);

// The width a window needs for the window manager to show `title` whole in its
// title bar, beside the bar's icon and buttons.
int titleBarWidth(const QString& title);

// Widens `box` to at least titleBarWidth of its title.
void makeRoomForTitle(QMessageBox& box);

// The reason a failed operation gave (see platform/systemreason.h) in the
// interface language.
QString reasonText(const QString& reason, bool english);
QString reasonText(const std::string& reason, bool english);

// `path` as a message in the interface language shows it: one left-to-right
// run inside an Arabic sentence (platform/systemreason.h).
QString pathInMessage(const QString& path, bool english);

// A signed number (or a coordinate, or a date with a signed year) as a
// message, or a label or read-out of a window, in the interface language
// shows it: one left-to-right run inside Arabic text, which a right-to-left
// window lays out as a sentence (platform/systemreason.h).
QString numberInMessage(const QString& number, bool english);

// Replaces the real boxes (tests). An empty responder restores them.
using MessageResponder = std::function<MsgAnswer(const MessageRequest&)>;
MessageResponder setMessageResponder(MessageResponder responder);

} // namespace platform

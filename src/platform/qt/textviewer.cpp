#include "textviewer.h"

#include <fstream>
#include <map>
#include <string>
#include <system_error>

#include <QApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>
#include <QWindow>

#include "platform/fault.h"
#include "platform/filewriter.h"
#include "platform/programfolder.h"
#include "platform/qt/messagebox.h"

namespace platform {

namespace {

constexpr int kTabColumns = 8; // tab stops every eight columns, as plain-text editors do

TextFileShower& showerSlot()
{
    static TextFileShower shower;
    return shower;
}

std::map<std::filesystem::path, QPointer<TextViewer>>& openViewers()
{
    static std::map<std::filesystem::path, QPointer<TextViewer>> viewers;
    return viewers;
}

std::filesystem::path resolved(const std::filesystem::path& path)
{
    return path.is_absolute() ? path : programFolder() / path;
}

// The desktop's fixed-pitch font; where that is not fixed pitch (a bare
// display without a font configuration), a monospaced family of our own.
QFont fixedPitchFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!QFontInfo(font).fixedPitch()) {
        font = QFont(QStringLiteral("DejaVu Sans Mono"));
        font.setStyleHint(QFont::Monospace);
        font.setFixedPitch(true);
    }
    return font;
}

// A report asked for from a modal tool window (the crescent window's
// Calculate) must be usable at once, as the editor it stands for was: a
// free-standing window would be blocked by the modal one until that closes.
// Standing on the modal window (its transient child) the viewer takes the
// keyboard and the mouse while the tool window stays open; it is still a
// window of its own, so it outlives the tool window. Shown from anywhere else
// it stands free.
void standBesideModalWindow(TextViewer& viewer)
{
    QWidget* modal = QApplication::activeModalWidget();
    QWindow* owner = modal && modal != &viewer ? modal->windowHandle() : nullptr;
    viewer.winId(); // the native window, so that it is mapped with its owner
    if (QWindow* window = viewer.windowHandle())
        window->setTransientParent(owner);
}

void showInViewer(const TextFileView& view)
{
    if (!view.opened) {
        const bool english = faultLanguage();
        const QString name = QString::fromStdString(view.file.filename().string());
        msgBox(nullptr,
               english ? QStringLiteral("The file %1 cannot be opened.").arg(name)
                       : QStringLiteral("لا يمكن فتح الملف %1").arg(pathInMessage(name, english)),
               QStringLiteral("Miqatix"), english, MsgIcon::Warning);
        return;
    }
    QPointer<TextViewer>& viewer = openViewers()[view.file];
    if (viewer)
        viewer->showView(view);
    else
        viewer = new TextViewer(view);
    standBesideModalWindow(*viewer);
    viewer->showMaximized();
    viewer->raise();
    viewer->activateWindow();
    viewer->setFocus(Qt::ActiveWindowFocusReason); // the keys scroll and select at once
}

// Text as the viewer shows it: UTF-8 decoded, CR LF as one line end.
QString decoded(const char* bytes, std::size_t size)
{
    QString text = QString::fromUtf8(bytes, static_cast<qsizetype>(size));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

// The file read; decoded into `text` only when `decode` says so (the viewer
// reads and decodes it step by step). Only a plain file can be opened, not a
// folder or a device in its place.
TextFileView readView(const std::filesystem::path& path, bool decode)
{
    TextFileView view;
    view.file = resolved(path);
    view.caption = QString::fromStdString(view.file.filename().string());
    std::error_code ec;
    if (!std::filesystem::is_regular_file(view.file, ec))
        return view;
    if (decode) {
        std::string contents;
        view.opened = readWholeFile(view.file, contents);
        if (view.opened)
            view.text = decoded(contents.data(), contents.size());
    } else {
        view.opened = std::ifstream(view.file, std::ios::binary).is_open();
    }
    return view;
}

} // namespace

TextFileView textFileView(const std::filesystem::path& path)
{
    return readView(path, true);
}

void showTextFile(const std::filesystem::path& path)
{
    if (showerSlot())
        showerSlot()(textFileView(path));
    else
        showInViewer(readView(path, false));
}

TextFileShower setTextFileShower(TextFileShower shower)
{
    TextFileShower old = std::move(showerSlot());
    showerSlot() = std::move(shower);
    return old;
}

TextViewer::TextViewer(const TextFileView& view)
{
    setObjectName(QStringLiteral("textviewer"));
    setAttribute(Qt::WA_DeleteOnClose);
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap); // report columns stay in line
    setFont(fixedPitchFont());
    setTabStopDistance(kTabColumns * QFontMetricsF(font()).horizontalAdvance(QLatin1Char(' ')));
    loader_ = new QTimer(this);
    loader_->setInterval(0);
    connect(loader_, &QTimer::timeout, this, &TextViewer::loadSome);
    // Scrolling by the user (keys, wheel, the bar) leaves the end.
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this] { followEnd_ = false; });
    showView(view);
}

void TextViewer::showView(const TextFileView& view)
{
    file_ = view.file;
    setWindowTitle(view.caption);
    loader_->stop();
    followEnd_ = false;
    // Read afresh from the start: a report shown again has been run again.
    in_ = std::ifstream(view.file, std::ios::binary);
    carry_.clear();
    // The first page at once; the rest after the window has been shown.
    setPlainText(nextStep());
    document()->setUndoRedoEnabled(false); // a read-only view has nothing to undo
    if (isLoading())
        loader_->start();
}

QString TextViewer::nextStep()
{
    std::string step = std::move(carry_);
    carry_.clear();
    const std::size_t start = step.size();
    step.resize(start + kStepBytes);
    in_.read(step.data() + start, static_cast<std::streamsize>(kStepBytes));
    step.resize(start + static_cast<std::size_t>(in_.gcount()));
    if (!in_.good()) {
        in_.close(); // the end of the file, or it cannot be read further
        return decoded(step.data(), step.size());
    }
    // Cut after the last line end: it never lies inside a UTF-8 sequence nor
    // between the CR and the LF of one line end. A line longer than a step is
    // cut before a byte that starts a character, never after a CR.
    std::size_t cut = step.rfind('\n');
    if (cut != std::string::npos) {
        ++cut;
    } else {
        cut = step.size();
        while (cut > 0 && ((static_cast<unsigned char>(step[cut - 1]) & 0xC0) == 0x80 ||
                           step[cut - 1] == '\r'))
            --cut;
        if (cut > 0 && static_cast<unsigned char>(step[cut - 1]) >= 0xC0)
            --cut; // the lead byte of the character whose rest follows
    }
    carry_.assign(step, cut, std::string::npos);
    step.resize(cut);
    return decoded(step.data(), step.size());
}

void TextViewer::loadSome()
{
    QElapsedTimer turn;
    turn.start();
    // Added where the user is not: the cursor and the scroll position stay.
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    while (isLoading() && turn.elapsed() < kTurnMilliseconds)
        end.insertText(nextStep());
    if (!isLoading())
        loader_->stop();
    if (followEnd_)
        goToEnd();
}

void TextViewer::finishLoading()
{
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    while (isLoading())
        end.insertText(nextStep());
    loader_->stop();
    if (followEnd_)
        goToEnd();
}

void TextViewer::keyPressEvent(QKeyEvent* event)
{
    const bool control = (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
    if (control && event->key() == Qt::Key_Home) {
        followEnd_ = false;
        goToStart();
        event->accept();
        return;
    }
    if (control && event->key() == Qt::Key_End) {
        // The end of what has come in so far at once, and the real end when
        // the rest has: the window stays responsive meanwhile.
        followEnd_ = isLoading();
        goToEnd();
        event->accept();
        return;
    }
    followEnd_ = false;
    QPlainTextEdit::keyPressEvent(event);
}

void TextViewer::mousePressEvent(QMouseEvent* event)
{
    followEnd_ = false;
    QPlainTextEdit::mousePressEvent(event);
}

void TextViewer::goToStart()
{
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::Start);
    setTextCursor(cursor);
    verticalScrollBar()->setValue(verticalScrollBar()->minimum());
    horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
}

void TextViewer::goToEnd()
{
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::End);
    setTextCursor(cursor);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    ensureCursorVisible();
}

TextViewer* textViewerOf(const std::filesystem::path& path)
{
    auto& viewers = openViewers();
    const auto it = viewers.find(resolved(path));
    return it == viewers.end() ? nullptr : it->second.data();
}

} // namespace platform

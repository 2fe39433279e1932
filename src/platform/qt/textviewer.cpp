#include "textviewer.h"

#include <map>
#include <string>

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPointer>
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
                       : QStringLiteral("لا يمكن فتح الملف %1").arg(name),
               english ? QStringLiteral("Miqatix") : QStringLiteral("ميقاتكس"), english,
               MsgIcon::Warning);
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

} // namespace

TextFileView textFileView(const std::filesystem::path& path)
{
    TextFileView view;
    view.file = resolved(path);
    view.caption = QString::fromStdString(view.file.filename().string());
    std::string contents;
    view.opened = readWholeFile(view.file, contents);
    if (view.opened) {
        view.text = QString::fromUtf8(contents.data(), static_cast<qsizetype>(contents.size()));
        view.text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    return view;
}

void showTextFile(const std::filesystem::path& path)
{
    const TextFileView view = textFileView(path);
    if (showerSlot())
        showerSlot()(view);
    else
        showInViewer(view);
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
    showView(view);
}

void TextViewer::showView(const TextFileView& view)
{
    file_ = view.file;
    setWindowTitle(view.caption);
    setPlainText(view.text);
}

TextViewer* textViewerOf(const std::filesystem::path& path)
{
    auto& viewers = openViewers();
    const auto it = viewers.find(resolved(path));
    return it == viewers.end() ? nullptr : it->second.data();
}

} // namespace platform

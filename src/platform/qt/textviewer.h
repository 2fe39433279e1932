// Shows a text file (a report, the help text) in a built-in read-only viewer:
// maximised, fixed-pitch, the file's name in its caption, the file decoded as
// UTF-8 with its CR LF line ends. It stands where the shell's text editor was:
// the caller hands the file over and goes on at once. A long report (tens of
// megabytes) is shown from its first page at once and the rest is added in
// short steps between the window's events, so the window never freezes.
// Tests install a shower that records what would be shown instead of opening
// windows.
#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include <QPlainTextEdit>
#include <QString>

class QTimer;

namespace platform {

// What a call of showTextFile would show.
struct TextFileView {
    std::filesystem::path file; // the file as resolved (program folder for a bare name)
    bool opened = false;        // false: the file could not be read
    QString caption;            // the file's name
    QString text;               // the contents, line ends as "\n" (not filled for the viewer)
};

// The one call that shows a text file. A relative name is taken from the
// program folder ("results.out"). A file that cannot be read is reported in a
// message box (in the language of platform::faultLanguage()).
void showTextFile(const std::filesystem::path& path);

// What showTextFile would show for `path`, read now.
TextFileView textFileView(const std::filesystem::path& path);

// Replaces the viewer (tests). An empty shower restores it; returns the old one.
using TextFileShower = std::function<void(const TextFileView&)>;
TextFileShower setTextFileShower(TextFileShower shower);

// The viewer window: one per file, shown again and reloaded when the same file
// is shown a second time; it deletes itself when closed.
class TextViewer : public QPlainTextEdit {
    Q_OBJECT
public:
    // Bytes decoded and added in one step, and the time one turn of the event
    // loop may spend adding steps.
    static constexpr std::size_t kStepBytes = 64 * 1024;
    static constexpr int kTurnMilliseconds = 15;

    explicit TextViewer(const TextFileView& view);
    // Shows the file of `view`, read afresh: its first step at once, the
    // rest from the event loop.
    void showView(const TextFileView& view);
    const std::filesystem::path& file() const { return file_; }

    // True while part of the file is still to be added.
    bool isLoading() const { return in_.is_open(); }
    // Adds what is left at once (tests, benchmarks).
    void finishLoading();

protected:
    // Ctrl+Home and Ctrl+End go to the start and the end of the text, as in
    // a text editor; Home and End keep the view's own scrolling.
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The text cursor at the start or the end, and the view on it.
    void goToStart();
    void goToEnd();
    // The next step of the file, decoded, up to a line end.
    QString nextStep();
    void loadSome();

    std::filesystem::path file_;
    std::ifstream in_;  // open while part of the file is still to be added
    std::string carry_; // the bytes read after the last line end of the step before
    QTimer* loader_ = nullptr;
    // Ctrl+End while the file loads: the view follows the end as steps come
    // in, until the user moves elsewhere.
    bool followEnd_ = false;
};

// The open viewer of a file, or nullptr.
TextViewer* textViewerOf(const std::filesystem::path& path);

} // namespace platform

// Shows a text file (a report, the help text) in a built-in read-only viewer:
// maximised, fixed-pitch, the file's name in its caption, the file decoded as
// UTF-8 with its CR LF line ends. It stands where the shell's text editor was:
// the caller hands the file over and goes on at once. Tests install a shower
// that records what would be shown instead of opening windows.
#pragma once

#include <filesystem>
#include <functional>

#include <QPlainTextEdit>
#include <QString>

namespace platform {

// What a call of showTextFile would show.
struct TextFileView {
    std::filesystem::path file; // the file as resolved (program folder for a bare name)
    bool opened = false;        // false: the file could not be read
    QString caption;            // the file's name
    QString text;               // the contents, line ends as "\n"
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
    explicit TextViewer(const TextFileView& view);
    void showView(const TextFileView& view);
    const std::filesystem::path& file() const { return file_; }

private:
    std::filesystem::path file_;
};

// The open viewer of a file, or nullptr.
TextViewer* textViewerOf(const std::filesystem::path& path);

} // namespace platform

// Faults in the files a program relies on (settings and series files). A
// program cannot go on with wrong data, so such a fault stops it: the platform
// shows a message naming the file and ends the program. Tests install a
// handler of their own that throws instead.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

namespace platform {

enum class FileFaultKind {
    Missing,    // the file does not exist
    Short,      // the file ends before the record does
    BadData,    // a field holds something other than what the record wants
    NotAFile,   // the name is taken by a folder, a device or the like
    Unreadable, // the file is there but cannot be read (permission, input error)
    TooLarge,   // a record (or the file) runs far beyond any size ever written
};

class FileFault : public std::runtime_error {
public:
    // `detail` says more (which record, which field); `detailArabic` is the
    // same in Arabic. An Arabic message leaves out a detail without it.
    FileFault(FileFaultKind kind, std::string file, std::string detail = {},
              std::string detailArabic = {});

    FileFaultKind kind() const { return kind_; }
    const std::string& file() const { return file_; }
    const std::string& detail() const { return detail_; }
    const std::string& detailArabic() const { return detailArabic_; }

    // The message shown to the user, in English or in Arabic.
    std::string message(bool english) const;

private:
    FileFaultKind kind_;
    std::string file_;
    std::string detail_;
    std::string detailArabic_;
};

using StopHandler = std::function<void(const FileFault&)>;

// Reports the fault through the installed handler and ends the program. When
// the handler returns (the default one prints to standard error), the program
// exits with status 1; a test handler throws the fault instead.
[[noreturn]] void stopProgram(const FileFault& fault);

// Installs the handler that stopProgram calls; an empty handler restores the
// default. Returns the handler that was installed before.
StopHandler setStopHandler(StopHandler handler);

// The language of the stop message, kept here because the fault may be found
// before the preferences can be read (true = English).
void setFaultLanguage(bool english);
bool faultLanguage();

} // namespace platform

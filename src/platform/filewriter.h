// Writing whole files. Every settings file and report is replaced atomically:
// the new contents go to a temporary file in the same folder, which is then
// renamed over the old file, so a failed write leaves the old file as it was.
// Tests install a writer of their own to make writes fail.
#pragma once

#include <filesystem>
#include <string>

namespace platform {

class FileWriter {
public:
    virtual ~FileWriter() = default;

    // Replaces `file` with `contents`. On failure returns false, puts a short
    // reason into `error` and leaves any old file untouched.
    virtual bool replaceFile(const std::filesystem::path& file, const std::string& contents,
                             std::string& error) = 0;
};

// The writer in use (the real one unless a test installed another).
FileWriter& fileWriter();

// Installs `writer` (nullptr restores the real one); returns the previous one.
FileWriter* setFileWriter(FileWriter* writer);

// Reads a whole file into `contents`; false when it cannot be opened.
bool readWholeFile(const std::filesystem::path& file, std::string& contents);

}  // namespace platform

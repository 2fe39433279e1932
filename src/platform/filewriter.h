// Writing whole files. Every settings file and report is replaced atomically:
// the new contents go to a temporary file in the same folder, which is then
// renamed over the old file, so a failed write leaves the old file as it was.
// Tests install a writer of their own to make writes fail.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "fault.h"

namespace platform {

class FileWriter {
public:
    virtual ~FileWriter() = default;

    // Replaces `file` with `contents`. On failure returns false, puts a short
    // reason into `error` and leaves any old file untouched.
    virtual bool replaceFile(const std::filesystem::path& file, const std::string& contents,
                             std::string& error) = 0;
};

// A file being replaced by new contents. They go into a temporary file beside
// the file (beside its final target when the name is a symbolic link, so that
// the link stays and points at the new contents); the temporary file takes the
// old file's permission bits and owner, and commit() renames it over the old
// file. A file whose mode bits forbid this user to write it is refused with
// "Permission denied", as an unwritable folder is (the bits are read, not
// asked about, since root passes every access test). Any failure leaves the
// old file as it was.
class AtomicFile {
public:
    explicit AtomicFile(const std::filesystem::path& file);
    ~AtomicFile(); // an uncommitted temporary file is removed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool write(std::string_view data);
    bool commit();
    // The reason of the first failure; empty while all goes well.
    const std::string& error() const { return error_; }

private:
    bool fail(int err);
    std::filesystem::path target_;
    std::string temp_;
    int fd_ = -1;
    std::string error_;
};

// A text that replaces `file` when it is complete, written as it is made so
// that memory stays flat whatever its length. While short it is held in memory
// and written in one piece through fileWriter() (so that tests' writers see
// it); once it passes `spillBytes` it goes on into an AtomicFile.
class SpooledFile {
public:
    explicit SpooledFile(std::filesystem::path file, size_t spillBytes = size_t(1) << 20);
    ~SpooledFile();
    SpooledFile(const SpooledFile&) = delete;
    SpooledFile& operator=(const SpooledFile&) = delete;

    void append(std::string_view s);
    // Replaces the file; false with `error` set when it could not be written
    // (the old file is then as it was).
    bool commit(std::string& error);

    // The text still held in memory: all of it while it has not been spilled.
    const std::string& held() const { return held_; }
    bool spilled() const { return out_ != nullptr; }
    // The most ever held in memory at once.
    size_t peakHeld() const { return peakHeld_; }
    const std::filesystem::path& file() const { return file_; }

private:
    void spill();
    std::filesystem::path file_;
    size_t spillBytes_;
    std::string held_;
    size_t peakHeld_ = 0;
    std::unique_ptr<AtomicFile> out_;
    bool failed_ = false;
    std::string error_;
};

// The writer in use (the real one unless a test installed another).
FileWriter& fileWriter();

// Installs `writer` (nullptr restores the real one); returns the previous one.
FileWriter* setFileWriter(FileWriter* writer);

// Reads a whole file into `contents`; false when it cannot be opened or is no
// plain file.
bool readWholeFile(const std::filesystem::path& file, std::string& contents);

enum class ReadStatus {
    Ok,
    Missing,      // no such file
    NotAFile,     // a folder, a device, a pipe or the like holds the name
    NoPermission, // the file is there but may not be read
    Failed,       // the read itself failed (an input error)
};

// Reads at most `limit` bytes from the start of a plain file. `truncated` tells
// whether the file holds more than that. Nothing is read from anything that is
// not a plain file, so a name linked to /dev/zero or a pipe cannot fill memory
// or block.
ReadStatus readFileStart(const std::filesystem::path& file, std::string& contents, size_t limit,
                         bool& truncated);

// The file fault that a failed read of `file` stops the program with.
FileFault readFault(ReadStatus status, const std::string& file);

} // namespace platform

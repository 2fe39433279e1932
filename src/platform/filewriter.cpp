#include "filewriter.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

#include "eventloop.h"

namespace platform {

namespace {

// The file that a write to `file` lands in: `file` itself, or the final target
// when it is a symbolic link (which may not exist yet). False when the links
// go round in a loop.
bool finalTarget(const std::filesystem::path& file, std::filesystem::path& target)
{
    target = file;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return true;
        std::error_code ec;
        const std::filesystem::path next = std::filesystem::read_symlink(target, ec);
        if (ec)
            return true;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return false;
}

mode_t currentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// Whether the mode bits that apply to this user allow writing. Root passes
// every access test, so the bits are read rather than asked about: a file
// that its owner made read-only stays protected from the program.
bool modeAllowsWriting(const std::filesystem::path& file, const struct stat& st)
{
    if (st.st_uid == ::geteuid())
        return (st.st_mode & S_IWUSR) != 0;
    if (::geteuid() == 0)
        return (st.st_mode & 0222) != 0;
    return ::access(file.c_str(), W_OK) == 0;
}

class AtomicFileWriter : public FileWriter {
public:
    bool replaceFile(const std::filesystem::path& file, const std::string& contents,
                     std::string& error) override
    {
        AtomicFile out(file);
        out.write(contents);
        if (out.commit())
            return true;
        error = out.error();
        return false;
    }
};

} // namespace

AtomicFile::AtomicFile(const std::filesystem::path& file)
{
    if (!finalTarget(file, target_)) {
        fail(ELOOP);
        return;
    }
    struct stat st {};
    mode_t mode = 0666 & ~currentUmask();
    bool existed = false;
    if (::stat(target_.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode) || !modeAllowsWriting(target_, st)) {
            fail(S_ISDIR(st.st_mode) ? EISDIR : EACCES);
            return;
        }
        mode = st.st_mode & 07777;
        existed = true;
    }
    const std::filesystem::path folder =
        target_.has_parent_path() ? target_.parent_path() : std::filesystem::path(".");
    temp_ = (folder / ("." + target_.filename().string() + ".XXXXXX")).string();
    fd_ = ::mkstemp(temp_.data());
    if (fd_ < 0) {
        temp_.clear();
        fail(errno);
        return;
    }
    // mkstemp makes the file private: give it the old file's bits and owner
    // (the owner only where the system allows it).
    if (existed && (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) &&
        ::fchown(fd_, st.st_uid, st.st_gid) != 0) {
    }
    if (::fchmod(fd_, mode) != 0)
        fail(errno);
}

AtomicFile::~AtomicFile()
{
    if (fd_ >= 0)
        ::close(fd_);
    if (!temp_.empty())
        ::unlink(temp_.c_str());
}

bool AtomicFile::fail(int err)
{
    if (error_.empty())
        error_ = std::strerror(err);
    return false;
}

bool AtomicFile::write(std::string_view data)
{
    if (!error_.empty())
        return false;
    while (!data.empty()) {
        const ssize_t n = ::write(fd_, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        data.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

bool AtomicFile::commit()
{
    if (!error_.empty())
        return false;
    if (::fsync(fd_) != 0)
        return fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        return fail(errno);
    if (std::rename(temp_.c_str(), target_.c_str()) != 0)
        return fail(errno);
    temp_.clear();
    return true;
}

namespace {

AtomicFileWriter& realWriter()
{
    static AtomicFileWriter writer;
    return writer;
}

FileWriter*& currentWriter()
{
    static FileWriter* writer = nullptr;
    return writer;
}

} // namespace

SpooledFile::SpooledFile(std::filesystem::path file, size_t spillBytes)
    : file_(std::move(file)), spillBytes_(spillBytes)
{
}

SpooledFile::~SpooledFile() = default;

void SpooledFile::append(std::string_view s)
{
    if (failed_)
        return; // the write has failed: nothing more is kept
    held_ += s;
    peakHeld_ = std::max(peakHeld_, held_.size());
    if (held_.size() >= spillBytes_)
        spill();
}

void SpooledFile::spill()
{
    if (!out_)
        out_ = std::make_unique<AtomicFile>(file_);
    if (!out_->write(held_)) {
        failed_ = true;
        error_ = out_->error();
    }
    held_.clear();
    held_.shrink_to_fit();
}

bool SpooledFile::commit(std::string& error)
{
    if (!out_ && !failed_) {
        // Short: written in one piece by the writer in use.
        if (fileWriter().replaceFile(file_, held_, error))
            return true;
        failed_ = true;
        error_ = error;
        return false;
    }
    if (!failed_)
        spill();
    if (!failed_ && !out_->commit()) {
        failed_ = true;
        error_ = out_->error();
    }
    error = error_;
    out_.reset();
    return !failed_;
}

FileWriter& fileWriter()
{
    // Whoever takes the writer is about to save: readers that keep a settings
    // record look at its file again at their next call, which comes after it.
    filesMayHaveChanged();
    return currentWriter() ? *currentWriter() : realWriter();
}

FileWriter* setFileWriter(FileWriter* writer)
{
    FileWriter* old = currentWriter();
    currentWriter() = writer;
    return old;
}

bool readWholeFile(const std::filesystem::path& file, std::string& contents)
{
    bool truncated = false;
    return readFileStart(file, contents, std::numeric_limits<size_t>::max() - 1, truncated) ==
           ReadStatus::Ok;
}

ReadStatus readFileStart(const std::filesystem::path& file, std::string& contents, size_t limit,
                         bool& truncated)
{
    contents.clear();
    truncated = false;
    // O_NONBLOCK: opening a pipe with no writer must not wait.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        switch (errno) {
        case ENOENT:
        case ENOTDIR:
            return ReadStatus::Missing;
        case EACCES:
        case EPERM:
            return ReadStatus::NoPermission;
        case ELOOP:
        case ENXIO:
        case ENODEV:
            return ReadStatus::NotAFile;
        default:
            return ReadStatus::Failed;
        }
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return ReadStatus::Failed;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return ReadStatus::NotAFile;
    }
    // One byte beyond the limit tells whether there is more.
    const size_t want = limit + 1;
    if (st.st_size > 0)
        contents.reserve(std::min(want, static_cast<size_t>(st.st_size) + 1));
    char buf[65536];
    while (contents.size() < want) {
        const ssize_t n = ::read(fd, buf, std::min(sizeof buf, want - contents.size()));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            contents.clear();
            return err == EACCES || err == EPERM ? ReadStatus::NoPermission : ReadStatus::Failed;
        }
        if (n == 0)
            break;
        contents.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    if (contents.size() > limit) {
        contents.resize(limit);
        truncated = true;
    }
    return ReadStatus::Ok;
}

FileFault readFault(ReadStatus status, const std::string& file)
{
    switch (status) {
    case ReadStatus::Missing:
        return FileFault(FileFaultKind::Missing, file);
    case ReadStatus::NotAFile:
        return FileFault(FileFaultKind::NotAFile, file,
                         "A folder or another kind of entry holds its name.",
                         "يحمل اسمه مجلد أو عنصر من نوع آخر.");
    case ReadStatus::NoPermission:
        return FileFault(FileFaultKind::Unreadable, file, "There is no permission to read it.",
                         "لا يوجد إذن بقراءته.");
    case ReadStatus::Ok:
    case ReadStatus::Failed:
        break;
    }
    return FileFault(FileFaultKind::Unreadable, file, "The system reported an input error.",
                     "أبلغ النظام عن خطأ في القراءة.");
}

} // namespace platform

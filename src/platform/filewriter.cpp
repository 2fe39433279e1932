#include "filewriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "eventloop.h"

namespace platform {

namespace {

class AtomicFileWriter : public FileWriter {
public:
    bool replaceFile(const std::filesystem::path& file, const std::string& contents,
                     std::string& error) override
    {
        const std::filesystem::path folder =
            file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
        std::string pattern = (folder / ("." + file.filename().string() + ".XXXXXX")).string();
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0) {
            error = std::strerror(errno);
            return false;
        }
        const char* data = contents.data();
        size_t left = contents.size();
        while (left > 0) {
            const ssize_t n = ::write(fd, data, left);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return fail(fd, pattern, error);
            }
            data += n;
            left -= static_cast<size_t>(n);
        }
        if (::fsync(fd) != 0)
            return fail(fd, pattern, error);
        // mkstemp creates the file readable by its owner only; settings and
        // reports are ordinary files.
        ::fchmod(fd, 0644);
        if (::close(fd) != 0) {
            error = std::strerror(errno);
            ::unlink(pattern.c_str());
            return false;
        }
        if (std::rename(pattern.c_str(), file.c_str()) != 0) {
            error = std::strerror(errno);
            ::unlink(pattern.c_str());
            return false;
        }
        return true;
    }

private:
    static bool fail(int fd, const std::string& temp, std::string& error)
    {
        error = std::strerror(errno);
        ::close(fd);
        ::unlink(temp.c_str());
        return false;
    }
};

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

}  // namespace

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
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    contents.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace platform

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/filewriter.h"
#include "platform/programfolder.h"
#include "support/testsupport.h"

namespace {

class FileWriterTest : public testsupport::ProgramFolderTest {};

} // namespace

TEST_F(FileWriterTest, ReplacesAtomicallyWithANewFile)
{
    put("a.zvd", "old");
    struct stat before {};
    ASSERT_EQ(::stat(file("a.zvd").c_str(), &before), 0);
    std::string error;
    ASSERT_TRUE(platform::fileWriter().replaceFile(file("a.zvd"), "new\r\n", error)) << error;
    EXPECT_EQ(get("a.zvd"), "new\r\n");
    struct stat after {};
    ASSERT_EQ(::stat(file("a.zvd").c_str(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino); // renamed over, not rewritten in place
    EXPECT_EQ(after.st_mode & 0777, 0644u);
    // No temporary file is left behind.
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(FileWriterTest, AFolderThatIsGoneIsReportedAndNothingIsCreated)
{
    std::string error;
    EXPECT_FALSE(platform::fileWriter().replaceFile(folder() / "nofolder" / "a.zvd", "x", error));
    EXPECT_FALSE(error.empty());
}

TEST_F(FileWriterTest, ProgramFilesResolveAgainstTheProgramFolder)
{
    EXPECT_EQ(platform::programFile("pref.zvd"), folder() / "pref.zvd");
}

TEST_F(FileWriterTest, ARewriteKeepsTheFilesPermissionBits)
{
    for (const mode_t mode : {0600u, 0640u, 0755u}) {
        SCOPED_TRACE(mode);
        put("loc.zvd", "old");
        ASSERT_EQ(::chmod(file("loc.zvd").c_str(), mode), 0);
        std::string error;
        ASSERT_TRUE(platform::fileWriter().replaceFile(file("loc.zvd"), "new", error)) << error;
        struct stat st {};
        ASSERT_EQ(::stat(file("loc.zvd").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode);
        EXPECT_EQ(get("loc.zvd"), "new");
    }
    // A new file gets what the umask leaves of rw-rw-rw-.
    const mode_t old = ::umask(027);
    std::string error;
    const bool written = platform::fileWriter().replaceFile(file("new.zvd"), "x", error);
    ::umask(old);
    ASSERT_TRUE(written) << error;
    struct stat st {};
    ASSERT_EQ(::stat(file("new.zvd").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(FileWriterTest, ASymbolicLinkIsWrittenThroughToItsTarget)
{
    std::filesystem::create_directory(file("real"));
    put("real/loc.zvd", "old");
    // A relative link, and a link to that link.
    std::filesystem::create_symlink("real/loc.zvd", file("loc.zvd"));
    std::filesystem::create_symlink(file("loc.zvd"), file("again.zvd"));
    std::string error;
    ASSERT_TRUE(platform::fileWriter().replaceFile(file("again.zvd"), "new", error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(file("loc.zvd")));
    EXPECT_TRUE(std::filesystem::is_symlink(file("again.zvd")));
    EXPECT_EQ(get("real/loc.zvd"), "new");
    // The temporary file was made beside the target and is gone.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(file("real")))
        ++entries;
    EXPECT_EQ(entries, 1);

    // A loop of links is refused and nothing is written.
    std::filesystem::create_symlink("b.zvd", file("a.zvd"));
    std::filesystem::create_symlink("a.zvd", file("b.zvd"));
    EXPECT_FALSE(platform::fileWriter().replaceFile(file("a.zvd"), "x", error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_symlink(file("a.zvd")));
}

TEST_F(FileWriterTest, AReadOnlyFileIsRefusedAsAnUnwritableFolderIs)
{
    put("pref.zvd", "protected");
    const testsupport::ScopedMode readOnly(
        file("pref.zvd"), std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                              std::filesystem::perms::others_read);
    std::string error;
    // Root would pass an access test: the mode bits decide.
    EXPECT_FALSE(platform::fileWriter().replaceFile(file("pref.zvd"), "new", error));
    EXPECT_EQ(error, std::strerror(EACCES));
    EXPECT_EQ(get("pref.zvd"), "protected");
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder()))
        ++files;
    EXPECT_EQ(files, 1);

    // The same refusal for a long text written as it is made.
    platform::SpooledFile spooled(file("pref.zvd"), 16);
    for (int i = 0; i < 100; ++i)
        spooled.append("row\r\n");
    EXPECT_FALSE(spooled.commit(error));
    EXPECT_EQ(error, std::strerror(EACCES));
    EXPECT_EQ(get("pref.zvd"), "protected");
}

// A long text goes to its file as it is made: memory holds no more than the
// bound and a line, whatever the length, and the file gets every byte.
TEST_F(FileWriterTest, ALongTextKeepsMemoryFlat)
{
    const size_t bound = 1u << 20;
    const std::string row = std::string(100, '-') + "\r\n";
    platform::SpooledFile out(file("results.out"), bound);
    size_t total = 0;
    for (int i = 0; i < 300000; ++i) { // about 30 MB
        out.append(row);
        total += row.size();
    }
    EXPECT_TRUE(out.spilled());
    EXPECT_LE(out.peakHeld(), bound + row.size());
    EXPECT_FALSE(std::filesystem::exists(file("results.out"))); // not before the end
    std::string error;
    ASSERT_TRUE(out.commit(error)) << error;
    EXPECT_EQ(std::filesystem::file_size(file("results.out")), total);

    // A short text is written in one piece by the writer in use.
    testsupport::FailingWriter failing("disk full");
    platform::FileWriter* old = platform::setFileWriter(&failing);
    platform::SpooledFile small(file("results.out"), bound);
    small.append("short\r\n");
    EXPECT_FALSE(small.commit(error));
    platform::setFileWriter(old);
    EXPECT_EQ(error, "disk full");
    EXPECT_EQ(std::filesystem::file_size(file("results.out")), total);
}

TEST_F(FileWriterTest, WholeFileReadsRefuseWhatIsNoFile)
{
    std::string contents;
    std::filesystem::create_directory(file("dir"));
    EXPECT_FALSE(platform::readWholeFile(file("dir"), contents));
    bool truncated = false;
    EXPECT_EQ(platform::readFileStart(file("dir"), contents, 10, truncated),
              platform::ReadStatus::NotAFile);
    EXPECT_EQ(platform::readFileStart(file("none"), contents, 10, truncated),
              platform::ReadStatus::Missing);
    put("a", "0123456789abc");
    EXPECT_EQ(platform::readFileStart(file("a"), contents, 10, truncated),
              platform::ReadStatus::Ok);
    EXPECT_EQ(contents, "0123456789");
    EXPECT_TRUE(truncated);
    EXPECT_EQ(platform::readFileStart(file("a"), contents, 13, truncated),
              platform::ReadStatus::Ok);
    EXPECT_FALSE(truncated);
}

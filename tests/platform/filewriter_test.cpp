#include <filesystem>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/filewriter.h"
#include "platform/programfolder.h"
#include "support/testsupport.h"

namespace {

class FileWriterTest : public testsupport::ProgramFolderTest {};

}  // namespace

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
    EXPECT_NE(before.st_ino, after.st_ino);   // renamed over, not rewritten in place
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

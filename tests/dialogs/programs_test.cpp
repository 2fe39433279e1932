#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QLocalServer>
#include <QString>
#include <gtest/gtest.h>

#include "platform/programfolder.h"
#include "platform/qt/autostart.h"
#include "platform/qt/programs.h"
#include "support/testsupport.h"

namespace {

class ProgramsTest : public testsupport::ProgramFolderTest {};

} // namespace

TEST(LocalServerName, IsPerUserAndAPlainFileName)
{
    const QString name = platform::localServerName("Miqatix Alerts");
    EXPECT_EQ(name, "Miqatix-Alerts-" + QString::number(::getuid()));
    EXPECT_FALSE(platform::localServerName("a/b c").contains('/'));
}

TEST(ProgramLookUp, FindsTheHolderOfACaptionUntilItLetsGo)
{
    // A caption of this test's own, so that no real adhanbell is in the way.
    const QString caption = "Miqatix Look-up Test " + QString::number(::getpid());
    EXPECT_FALSE(platform::isProgramRunning(caption));
    {
        QLocalServer server;
        ASSERT_TRUE(platform::holdProgramName(server, caption));
        EXPECT_TRUE(platform::isProgramRunning(caption));
        QLocalServer second;
        EXPECT_FALSE(platform::holdProgramName(second, caption)); // one holder at a time
    }
    EXPECT_FALSE(platform::isProgramRunning(caption));
}

TEST(ProgramLookUp, TheNameOfAProgramThatDiedIsTakenOver)
{
    // A socket file that nobody listens on any more, as a crash leaves it.
    const QString caption = "Miqatix Stale Test " + QString::number(::getpid());
    const std::string path =
        (QDir::tempPath() + "/" + platform::localServerName(caption)).toStdString();
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    std::copy(path.begin(), path.end(), address.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_FALSE(platform::isProgramRunning(caption));

    QLocalServer server;
    EXPECT_TRUE(platform::holdProgramName(server, caption));
    EXPECT_TRUE(platform::isProgramRunning(caption));
}

TEST_F(ProgramsTest, AProgramStartsInTheProgramFolder)
{
    // A stand-in for adhanbell that writes down its working directory.
    const std::filesystem::path program = file("adhanbell");
    testsupport::writeFile(program, "#!/bin/sh\npwd > started.txt\n");
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    const std::filesystem::path elsewhere = std::filesystem::current_path();
    ASSERT_NE(elsewhere, folder());

    QString error;
    ASSERT_TRUE(platform::startProgram("adhanbell", error)) << error.toStdString();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (get("started.txt").empty() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(get("started.txt"), std::filesystem::canonical(folder()).string() + "\n");
    EXPECT_EQ(std::filesystem::current_path(), elsewhere); // the caller's stays as it was
}

TEST_F(ProgramsTest, AMissingProgramIsAFailure)
{
    QString error;
    EXPECT_FALSE(platform::startProgram("adhanbell", error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(AutostartEntry, ExecQuotesThePathAsDesktopEntriesRequire)
{
    const struct {
        const char* program;
        const char* exec;
    } cases[] = {
        {"/opt/Miqatix/adhanbell", "Exec=\"/opt/Miqatix/adhanbell\""},
        {"/home/a b/Miqatix/adhanbell", "Exec=\"/home/a b/Miqatix/adhanbell\""},
        // Inside the quotes " ` $ \ take a backslash; the string escape then
        // doubles every backslash; % doubles.
        {"/x/\"q\"/adhanbell", "Exec=\"/x/\\\\\"q\\\\\"/adhanbell\""},
        {"/x/$HOME/`a`/adhanbell", "Exec=\"/x/\\\\$HOME/\\\\`a\\\\`/adhanbell\""},
        {"/x/back\\slash/adhanbell", "Exec=\"/x/back\\\\\\\\slash/adhanbell\""},
        {"/x/100%/adhanbell", "Exec=\"/x/100%%/adhanbell\""},
    };
    for (const auto& c : cases) {
        const QString text =
            platform::autostartEntryText("Miqatix Alerts", QString::fromUtf8(c.program), "/opt");
        EXPECT_TRUE(text.contains("\n" + QString::fromUtf8(c.exec) + "\n")) << c.program << "\n"
                                                                            << text.toStdString();
    }
    const QString text =
        platform::autostartEntryText("Miqatix Alerts", "/p/adhanbell", "/home/a b/back\\slash");
    EXPECT_TRUE(text.contains("\nPath=/home/a b/back\\\\slash\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nName=Miqatix Alerts\n"));
}

TEST(AutostartEntry, FolderFollowsXdgConfigHome)
{
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    ::setenv("XDG_CONFIG_HOME", "/tmp/somewhere", 1);
    EXPECT_EQ(platform::autostartFolder(), "/tmp/somewhere/autostart");
    for (const char* ignored : {"", "relative/path"}) {
        ::setenv("XDG_CONFIG_HOME", ignored, 1);
        EXPECT_EQ(platform::autostartFolder(), QDir::homePath() + "/.config/autostart");
    }
    EXPECT_EQ(platform::autostartFile("Miqatix"),
              QDir::homePath() + "/.config/autostart/Miqatix.desktop");
    if (old)
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
}

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

#include <sys/socket.h>
#include <sys/stat.h>
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

// The folders that may hold program names pointed into a fresh test folder:
// the runtime folder, the temporary folder and the cache folder.
class ProgramNameTest : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        runtime_ = folder() / "run";
        temp_ = folder() / "tmp";
        cache_ = folder() / "cache";
        for (const char* name : {"XDG_RUNTIME_DIR", "TMPDIR", "XDG_CACHE_HOME"}) {
            const char* old = std::getenv(name);
            saved_.push_back({name, old != nullptr, old ? old : ""});
        }
        freshFolders();
        oldMask_ = ::umask(0); // the widest umask: the modes must not depend on it
    }
    void TearDown() override
    {
        ::umask(oldMask_);
        for (const auto& v : saved_) {
            if (v.set)
                ::setenv(v.name, v.value.c_str(), 1);
            else
                ::unsetenv(v.name);
        }
        ProgramFolderTest::TearDown();
    }

    void freshFolders()
    {
        for (const auto& f : {runtime_, temp_, cache_}) {
            std::filesystem::remove_all(f);
            std::filesystem::create_directory(f);
        }
        ::chmod(runtime_.c_str(), 0700);
        setRuntime(runtime_.string());
        ::setenv("TMPDIR", temp_.c_str(), 1);
        ::setenv("XDG_CACHE_HOME", cache_.c_str(), 1);
    }
    static void setRuntime(const std::string& value)
    {
        if (value.empty())
            ::unsetenv("XDG_RUNTIME_DIR");
        else
            ::setenv("XDG_RUNTIME_DIR", value.c_str(), 1);
    }
    static unsigned modeOf(const std::filesystem::path& p)
    {
        struct stat st {};
        EXPECT_EQ(::lstat(p.c_str(), &st), 0) << p;
        return st.st_mode & 0177777;
    }
    static QString q(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }
    static std::string uid() { return std::to_string(::getuid()); }

    // A way of laying out the folders, and the one that must be chosen.
    struct FolderCase {
        const char* what;
        std::function<void()> prepare;
        std::filesystem::path expected;
    };
    template <size_t N> void expectFolders(const FolderCase (&cases)[N])
    {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            std::filesystem::remove_all(folder() / "mine");
            freshFolders();
            c.prepare();
            EXPECT_EQ(platform::programNameFolder(), q(c.expected));
            EXPECT_EQ(modeOf(c.expected), 0040700u);
            EXPECT_EQ(platform::localServerName("Miqatix Alerts"),
                      q(c.expected / "Miqatix-Alerts"));
        }
    }

    // Another user's: only root may give a file away (testsupport::runAsRoot).
    static void giveAway(const std::filesystem::path& p)
    {
        ASSERT_EQ(::lchown(p.c_str(), kNobody, kNobody), 0) << p;
    }
    static void takeBack(const std::filesystem::path& p)
    {
        ASSERT_EQ(::lchown(p.c_str(), ::getuid(), ::getgid()), 0) << p;
    }
    static constexpr uid_t kNobody = 65534;

    std::filesystem::path runtime_, temp_, cache_;

private:
    struct Saved {
        const char* name;
        bool set;
        std::string value;
    };
    std::vector<Saved> saved_;
    mode_t oldMask_ = 0;
};

} // namespace

TEST_F(ProgramNameTest, TheFolderIsTheFirstThatOnlyTheUserCanReach)
{
    const std::filesystem::path inTemp = temp_ / ("miqatix-" + uid());
    const std::filesystem::path inCache = cache_ / ("miqatix-" + uid());
    const FolderCase cases[] = {
        {"the runtime folder", [] {}, runtime_ / "miqatix"},
        {"no runtime folder set", [] { setRuntime(""); }, inTemp},
        {"a relative runtime folder", [] { setRuntime("run"); }, inTemp},
        {"a runtime folder that is missing", [&] { setRuntime((folder() / "gone").string()); },
         inTemp},
        {"a runtime folder others may enter", [&] { ::chmod(runtime_.c_str(), 0755); }, inTemp},
        {"the temporary one a link to a folder of the user's",
         [&] {
             setRuntime("");
             std::filesystem::create_directory(folder() / "mine");
             ::chmod((folder() / "mine").c_str(), 0700);
             std::filesystem::create_directory_symlink(folder() / "mine", inTemp);
         },
         inCache},
        {"the temporary one the user's own but open to all: narrowed",
         [&] {
             setRuntime("");
             std::filesystem::create_directory(inTemp);
             ::chmod(inTemp.c_str(), 0777);
         },
         inTemp},
    };
    expectFolders(cases);
}

TEST_F(ProgramNameTest, AFolderOfAnotherUserIsPassedOver)
{
    if (!testsupport::runAsRoot())
        GTEST_SKIP() << "giving a folder to another user needs root; run the tests as root to "
                        "check it";
    const std::filesystem::path inTemp = temp_ / ("miqatix-" + uid());
    const std::filesystem::path inCache = cache_ / ("miqatix-" + uid());
    const FolderCase cases[] = {
        {"a runtime folder of another user", [&] { giveAway(runtime_); }, inTemp},
        {"the temporary one taken by another user",
         [&] {
             setRuntime("");
             std::filesystem::create_directory(inTemp);
             ::chmod(inTemp.c_str(), 0700);
             giveAway(inTemp);
         },
         inCache},
    };
    expectFolders(cases);
}

TEST_F(ProgramNameTest, TheSocketIsTheUsersAloneWhateverTheUmask)
{
    platform::ProgramName name("Miqatix-Mode-Test");
    ASSERT_TRUE(name.hold());
    EXPECT_EQ(name.path(), q(runtime_ / "miqatix" / "Miqatix-Mode-Test"));
    EXPECT_EQ(modeOf(runtime_ / "miqatix"), 0040700u);
    EXPECT_EQ(modeOf(name.path().toStdString()), 0140600u);
    EXPECT_EQ(modeOf(name.path().toStdString() + ".lock"), 0100600u);
}

TEST_F(ProgramNameTest, FindsTheHolderOfACaptionUntilItLetsGo)
{
    const QString caption = "Miqatix Look-up Test";
    EXPECT_FALSE(platform::isProgramRunning(caption));
    {
        platform::ProgramName name(platform::localServerName(caption));
        ASSERT_TRUE(name.hold());
        EXPECT_TRUE(name.hold()); // asked again, it keeps it
        EXPECT_TRUE(platform::isProgramRunning(caption));
        platform::ProgramName second(platform::localServerName(caption));
        EXPECT_FALSE(second.hold()); // one holder at a time
        EXPECT_TRUE(platform::isProgramRunning(caption));
    }
    EXPECT_FALSE(platform::isProgramRunning(caption));
    // Nothing is left behind in the folder.
    EXPECT_TRUE(std::filesystem::is_empty(runtime_ / "miqatix"));
}

TEST_F(ProgramNameTest, TheNameOfAProgramThatDiedIsTakenOver)
{
    // A socket file that nobody listens on any more, and a lock nobody
    // holds, as a crash leaves them.
    const QString caption = "Miqatix Stale Test";
    const std::string path = platform::localServerName(caption).toStdString();
    testsupport::writeFile(path + ".lock", "");
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

    platform::ProgramName name(QString::fromStdString(path));
    EXPECT_TRUE(name.hold());
    EXPECT_TRUE(platform::isProgramRunning(caption));
}

TEST_F(ProgramNameTest, ANameOthersMayReachIsNotTrusted)
{
    const QString caption = "Miqatix Trust Test";
    platform::ProgramName live(platform::localServerName(caption));
    ASSERT_TRUE(live.hold());
    ASSERT_TRUE(platform::isProgramRunning(caption));
    const std::filesystem::path nameFolder =
        std::filesystem::path(live.path().toStdString()).parent_path();

    // A live socket in a folder that others may enter: the look-up does not
    // ask it.
    ::chmod(nameFolder.c_str(), 0777);
    EXPECT_FALSE(platform::isProgramRunning(caption));
    ::chmod(nameFolder.c_str(), 0700);
    EXPECT_TRUE(platform::isProgramRunning(caption));
    live.release();

    // A holder never follows a link planted in place of its lock.
    platform::ProgramName taken(live.path());
    std::filesystem::remove(live.path().toStdString() + ".lock");
    std::filesystem::create_symlink(folder() / "elsewhere.lock",
                                    live.path().toStdString() + ".lock");
    EXPECT_FALSE(taken.hold());
    EXPECT_FALSE(std::filesystem::exists(folder() / "elsewhere.lock"));
}

TEST_F(ProgramNameTest, ANameOfAnotherUserIsNotTrusted)
{
    if (!testsupport::runAsRoot())
        GTEST_SKIP() << "giving a socket and its folder to another user needs root; run the "
                        "tests as root to check it";
    const QString caption = "Miqatix Trust Test";
    platform::ProgramName live(platform::localServerName(caption));
    ASSERT_TRUE(live.hold());
    ASSERT_TRUE(platform::isProgramRunning(caption));
    const std::filesystem::path socket = live.path().toStdString();
    const std::filesystem::path nameFolder = socket.parent_path();

    // A live socket that another user made: the look-up does not ask it.
    giveAway(socket);
    EXPECT_FALSE(platform::isProgramRunning(caption));
    takeBack(socket);
    EXPECT_TRUE(platform::isProgramRunning(caption));

    // The same in a folder that another user owns.
    giveAway(nameFolder);
    EXPECT_FALSE(platform::isProgramRunning(caption));
    takeBack(nameFolder);
    EXPECT_TRUE(platform::isProgramRunning(caption));
    live.release();

    // A holder never takes its name in a folder of another user.
    giveAway(nameFolder);
    platform::ProgramName taken(live.path());
    EXPECT_FALSE(taken.hold());
    takeBack(nameFolder);
    EXPECT_TRUE(taken.hold());
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

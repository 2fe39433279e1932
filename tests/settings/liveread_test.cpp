#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "platform/eventloop.h"
#include "platform/filewriter.h"
#include "settings/liveread.h"
#include "support/testsupport.h"

namespace {

class LiveReadTest : public testsupport::ProgramFolderTest {
protected:
    // Waits until the file system's clock has moved past the modification
    // time of `name`, so that a file written afterwards has a later one.
    void waitPastTheTickOf(const std::string& name)
    {
        const auto written = std::filesystem::last_write_time(file(name));
        const auto probe = file("tick.probe");
        do {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            std::filesystem::remove(probe);
            testsupport::writeFile(probe, "");
        } while (std::filesystem::last_write_time(probe) <= written);
        std::filesystem::remove(probe);
    }
};

std::string location(const std::string& name, int zone)
{
    return "\"" + name + "\",39,49,34,21,25,21,277," + std::to_string(zone) +
           ",#TRUE#,#TRUE#,#FALSE#,#FALSE#,0,1010,10,0,\"0.0065\"\r\n";
}

} // namespace

TEST_F(LiveReadTest, EverySaveIsSeenAtTheNextCall)
{
    put("loc.zvd", location("A", 3));
    EXPECT_EQ(settings::liveCurrentLocation().locname, "A");
    EXPECT_EQ(settings::liveCurrentLocation().locname, "A");

    // An atomic save (new inode), even of the same size within the same tick.
    std::string error;
    ASSERT_TRUE(platform::fileWriter().replaceFile(file("loc.zvd"), location("B", 3), error));
    EXPECT_EQ(settings::liveCurrentLocation().locname, "B");

    // A rewrite in place at the same size changes no stamp but the file
    // times, and those only move with the file system's clock (coarse: a tick
    // of a few milliseconds on Debian 12's kernel). Within one tick such a
    // rewrite is not seen; the program's own saves replace the file instead.
    waitPastTheTickOf("loc.zvd");
    put("loc.zvd", location("C", 3));
    EXPECT_EQ(settings::liveCurrentLocation().locname, "C");
    // In place at another size.
    put("loc.zvd", location("C", -5));
    EXPECT_DOUBLE_EQ(settings::liveCurrentLocation().zon, -5);
}

TEST_F(LiveReadTest, AnotherWritersChangeIsSeenAfterTheNextHandOver)
{
    put("loc.zvd", location("A", 3));
    EXPECT_EQ(settings::liveCurrentLocation().locname, "A");

    // Written behind the program's back: the calls up to the next hand-over
    // to the message loop (one computation) keep the place they started with.
    testsupport::writeFile(file("loc.zvd"), location("Another writer", 3));
    EXPECT_EQ(settings::liveCurrentLocation().locname, "A");
    platform::processEvents();
    EXPECT_EQ(settings::liveCurrentLocation().locname, "Another writer");
}

TEST_F(LiveReadTest, AMissingFileStillStops)
{
    put("pref.zvd", "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#TRUE#,\"1\",\"1\",0,0,1\r\n");
    EXPECT_DOUBLE_EQ(settings::livePreferences().fajang, 18);
    std::filesystem::remove(file("pref.zvd"));
    platform::processEvents();
    EXPECT_THROW(settings::livePreferences(), platform::FileFault);
}

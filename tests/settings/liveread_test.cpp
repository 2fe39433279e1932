#include <gtest/gtest.h>

#include "platform/filewriter.h"
#include "settings/liveread.h"
#include "support/testsupport.h"

namespace {

class LiveReadTest : public testsupport::ProgramFolderTest {};

std::string location(const std::string& name, int zone)
{
    return "\"" + name + "\",39,49,34,21,25,21,277," + std::to_string(zone) +
           ",#TRUE#,#TRUE#,#FALSE#,#FALSE#,0,1010,10,0,\"0.0065\"\r\n";
}

}  // namespace

TEST_F(LiveReadTest, EverySaveIsSeenAtTheNextCall)
{
    put("loc.zvd", location("A", 3));
    EXPECT_EQ(settings::liveCurrentLocation().locname, "A");
    EXPECT_EQ(settings::liveCurrentLocation().locname, "A");

    // An atomic save (new inode), even of the same size within the same tick.
    std::string error;
    ASSERT_TRUE(platform::fileWriter().replaceFile(file("loc.zvd"), location("B", 3), error));
    EXPECT_EQ(settings::liveCurrentLocation().locname, "B");

    // A rewrite in place of the same size.
    put("loc.zvd", location("C", 3));
    EXPECT_EQ(settings::liveCurrentLocation().locname, "C");
    put("loc.zvd", location("C", -5));
    EXPECT_DOUBLE_EQ(settings::liveCurrentLocation().zon, -5);
}

TEST_F(LiveReadTest, AMissingFileStillStops)
{
    put("pref.zvd", "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#TRUE#,\"1\",\"1\",0,0,1\r\n");
    EXPECT_DOUBLE_EQ(settings::livePreferences().fajang, 18);
    std::filesystem::remove(file("pref.zvd"));
    EXPECT_THROW(settings::livePreferences(), platform::FileFault);
}

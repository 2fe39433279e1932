#include <string>

#include <gtest/gtest.h>

#include "platform/filewriter.h"
#include "settings/records.h"
#include "support/testsupport.h"

using namespace settings;
using platform::FileFault;
using platform::FileFaultKind;

namespace {

class RecordsTest : public testsupport::ProgramFolderTest {};

// A writer that fails every write, as a full disk or a read-only folder would.
class FailingWriter : public platform::FileWriter {
public:
    bool replaceFile(const std::filesystem::path&, const std::string&, std::string& error) override
    {
        ++calls;
        error = "No space left on device";
        return false;
    }
    int calls = 0;
};

FileFaultKind faultOf(const std::function<void()>& read)
{
    try {
        read();
    } catch (const FileFault& f) {
        return f.kind();
    }
    ADD_FAILURE() << "the read did not stop";
    return FileFaultKind::BadData;
}

} // namespace

TEST_F(RecordsTest, ExactBytesOfEachRecord)
{
    CurrentLocation loc;
    loc.locname = "Makkah, KSA";
    loc.longid = 39;
    loc.longim = 49;
    loc.longis = 34.5;
    loc.latid = 21;
    loc.latim = 25;
    loc.latis = 21;
    loc.ele = 277;
    loc.zon = -5;
    loc.east = true;
    loc.north = true;
    loc.city = -1.5;
    loc.pres = 1010;
    loc.temp = 10;
    loc.hum = 0;
    loc.alpha = "0.0065";

    DateSelection date;
    date.sysdate = true;
    date.year1 = date.fyear = date.oyear = 2026;
    date.year2 = date.tyear = 2026;
    date.month1 = date.day1 = date.fmonth = date.fday = date.omonth = date.oday = 1;
    date.month2 = date.tmonth = 12;
    date.day2 = date.tday = 31;

    AlertSettings alert;
    alert.beepmin = 10;
    alert.dhrmecca = alert.asrmecca = alert.magmecca = alert.ishmecca = true;

    SavedLocation saved;
    saved.locname = "Cairo";
    saved.latid = 30;
    saved.latim = 2;
    saved.longid = 31;
    saved.longim = 14;
    saved.ns = 1; // ew left unset: neither option chosen
    saved.zon = 2;
    saved.ele = 23;
    saved.pres = 1010;
    saved.temp = 10;
    saved.alpha = "0.0065";

    ASSERT_TRUE(writePreferences(Preferences::defaults()));
    ASSERT_TRUE(writeCurrentLocation(loc));
    ASSERT_TRUE(writeDateSelection(date));
    ASSERT_TRUE(writeAlertSettings(alert));
    // loc.txt as the location dialog writes it: one line added per place.
    SavedLocationsFile places;
    ASSERT_TRUE(readSavedLocationsFile(places));
    for (int i = 0; i < 2; ++i) {
        std::string english, arabic;
        ASSERT_TRUE(places.appendPlace(saved, english, arabic)) << english;
    }
    ASSERT_TRUE(writeSavedLocationsFile(places));

    EXPECT_EQ(get("pref.zvd"),
              "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#TRUE#,\"1\",\"1\",0,0,1\r\n");
    EXPECT_EQ(
        get("loc.zvd"),
        "\"Makkah, KSA\",39,49,34.5,21,25,21,277,-5,#TRUE#,#TRUE#,#FALSE#,#FALSE#,-1.5,1010,10,0,"
        "\"0.0065\"\r\n");
    EXPECT_EQ(get("date.zvd"),
              "#FALSE#,2026,1,1,2026,12,31,2026,1,1,2026,12,31,2026,1,1,#FALSE#,#TRUE#\r\n");
    EXPECT_EQ(get("alert.zvd"), "0,10,0,0,#TRUE#,#TRUE#,#TRUE#,#TRUE#\r\n");
    const std::string line = "\"Cairo\",30,2,0,31,14,0,1,,2,23,0,1010,10,0,\"0.0065\"\r\n";
    EXPECT_EQ(get("loc.txt"), line + line);

    // And they read back as written.
    const CurrentLocation back = readCurrentLocation();
    EXPECT_EQ(back.locname, "Makkah, KSA");
    EXPECT_DOUBLE_EQ(back.longitude(), 39 + 49 / 60.0 + 34.5 / 3600);
    EXPECT_DOUBLE_EQ(back.zon, -5);
    EXPECT_DOUBLE_EQ(back.city, -1.5);
    const Preferences pref = readPreferences();
    EXPECT_TRUE(pref.eng);
    EXPECT_EQ(pref.sha, "1");
    EXPECT_DOUBLE_EQ(pref.hour24, 1);
    const auto list = readSavedLocations();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].ns, 1.0);
    EXPECT_FALSE(list[1].ew.has_value());
}

TEST_F(RecordsTest, CoordinatesFollowTheEastAndNorthFlagsOnly)
{
    put("loc.zvd",
        "\"X\",74,0,36,40,42,46,10,-5,#FALSE#,#TRUE#,#FALSE#,#TRUE#,0,1010,10,0,\"0.0065\"\r\n");
    const CurrentLocation loc = readCurrentLocation();
    EXPECT_NEAR(loc.longitude(), -74.01, 1e-12);            // west: east flag false
    EXPECT_NEAR(loc.latitude(), 40.712777777777777, 1e-12); // the south flag is not read
}

TEST_F(RecordsTest, StrictReadersStopOnAMissingOrShortFile)
{
    EXPECT_EQ(faultOf([] { readPreferences(); }), FileFaultKind::Missing);
    put("pref.zvd", "18,18,4,1,10\r\n");
    EXPECT_EQ(faultOf([] { readPreferences(); }), FileFaultKind::Short);
    // The alert program reads only the leading fields it needs.
    put("pref.zvd", "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#TRUE#,\"1\",\"1\"\r\n");
    EXPECT_NO_THROW(readPreferences(17));
    EXPECT_EQ(faultOf([] { readPreferences(18); }), FileFaultKind::Short);

    try {
        readDateSelection();
        FAIL();
    } catch (const FileFault& f) {
        EXPECT_EQ(f.file(), "date.zvd");
        EXPECT_NE(f.message(true).find("date.zvd"), std::string::npos);
        EXPECT_NE(f.message(false).find("date.zvd"), std::string::npos);
    }
}

TEST_F(RecordsTest, TolerantReadersLeaveMissingFieldsEmpty)
{
    // Missing file: everything empty.
    const Preferences none = readPreferencesTolerant();
    EXPECT_DOUBLE_EQ(none.fajang, 0);
    EXPECT_EQ(none.sha, "");
    EXPECT_FALSE(none.eng);

    // Short file: what is there is read, the rest is empty.
    put("loc.zvd", "\"Short\",39,49\r\n");
    const CurrentLocation loc = readCurrentLocationTolerant();
    EXPECT_EQ(loc.locname, "Short");
    EXPECT_DOUBLE_EQ(loc.longim, 49);
    EXPECT_DOUBLE_EQ(loc.longis, 0);
    EXPECT_FALSE(loc.east);
    EXPECT_EQ(loc.alpha, "");
}

TEST_F(RecordsTest, SavedLocationsEdgeCases)
{
    EXPECT_TRUE(readSavedLocations().empty()); // no loc.txt
    put("loc.txt", "");
    EXPECT_TRUE(readSavedLocations().empty());
    put("loc.txt", "\"Here, there\",1,2,3,4,5,6,,,7,8,9,10,11,12,\"0.0065\"\r\n"
                   "\"here, there\",1,2,3,4,5,6,1,0,7,8,9,10,11,12,\"0.0065\"\r\n");
    const auto list = readSavedLocations();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].locname, "Here, there");
    EXPECT_FALSE(list[0].ns.has_value()); // reads as south
    EXPECT_DOUBLE_EQ(list[0].ns.value_or(0), 0);
    EXPECT_EQ(list[1].locname, "here, there"); // names are case-sensitive keys
    EXPECT_DOUBLE_EQ(list[1].hum, 12);
}

TEST_F(RecordsTest, AFailedWriteKeepsTheOldFile)
{
    const std::string old =
        "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#FALSE#,\"1\",\"1\",0,0,1\r\n";
    put("pref.zvd", old);
    FailingWriter failing;
    platform::FileWriter* previous = platform::setFileWriter(&failing);
    const SaveResult result = writePreferences(Preferences::defaults());
    platform::setFileWriter(previous);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "No space left on device");
    EXPECT_EQ(failing.calls, 1);
    EXPECT_EQ(get("pref.zvd"), old);
}

TEST_F(RecordsTest, ADoubleQuoteIsRefusedBeforeAnythingIsWritten)
{
    put("loc.zvd", "old\r\n");
    CurrentLocation loc;
    loc.locname = "The \"Old\" City";
    const SaveResult result = writeCurrentLocation(loc);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(get("loc.zvd"), "old\r\n");
}

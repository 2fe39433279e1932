// Damaged settings files: each is named with its reason and stops the strict
// readers; the tolerant readings the records ask for keep working.
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "settings/records.h"
#include "support/testsupport.h"

using namespace settings;
using platform::FileFault;
using platform::FileFaultKind;

namespace {

class DamagedFileTest : public testsupport::ProgramFolderTest {};

const std::string kPref =
    "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#TRUE#,\"1\",\"1\",0,0,1\r\n";
const std::string kLoc =
    "\"Mecca\",39,49,34,21,25,21,277,3,#TRUE#,#TRUE#,#FALSE#,#FALSE#,0,1010,10,0,\"0.0065\"\r\n";

// kPref with its field `n` (1-based) replaced by `value`.
std::string prefWith(size_t n, const std::string& value)
{
    std::string line = kPref;
    size_t start = 0;
    for (size_t i = 1; i < n; ++i)
        start = line.find(',', start) + 1;
    const size_t end = line.find_first_of(",\r", start);
    return line.replace(start, end - start, value);
}

// How far the long first field below runs beyond the bound: enough that
// reading it whole would show in the bytes read.
constexpr size_t kBeyond = size_t(256) << 10;

// The bytes this process has read so far (rchar of /proc/self/io), or none
// where the system does not count them.
std::optional<long long> bytesReadSoFar()
{
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value) {
        if (key == "rchar:")
            return value;
    }
    return std::nullopt;
}

} // namespace

TEST_F(DamagedFileTest, EachDamageIsNamedWithItsReason)
{
    struct Case {
        const char* what;
        std::function<void(const std::filesystem::path&)> damage;
        FileFaultKind kind;
        const char* inDetail; // a piece of the English detail, or nullptr
    };
    const Case cases[] = {
        {"a folder in its place",
         [](const std::filesystem::path& f) { std::filesystem::create_directory(f); },
         FileFaultKind::NotAFile, "folder"},
        {"a link to /dev/zero",
         [](const std::filesystem::path& f) { std::filesystem::create_symlink("/dev/zero", f); },
         FileFaultKind::NotAFile, nullptr},
        {"a pipe with no writer",
         [](const std::filesystem::path& f) { ASSERT_EQ(::mkfifo(f.c_str(), 0644), 0); },
         FileFaultKind::NotAFile, nullptr},
        {"a first field just over the bound",
         [](const std::filesystem::path& f) {
             testsupport::writeFile(f, std::string(kRecordBytes + kBeyond, '1') + "," + kPref);
         },
         FileFaultKind::TooLarge, "MB"},
        {"NaN",
         [](const std::filesystem::path& f) { testsupport::writeFile(f, prefWith(1, "NaN")); },
         FileFaultKind::BadData, "Field 1 holds \"NaN\""},
        {"inf",
         [](const std::filesystem::path& f) { testsupport::writeFile(f, prefWith(2, "inf")); },
         FileFaultKind::BadData, "Field 2 holds \"inf\""},
        {"a number beyond the double range",
         [](const std::filesystem::path& f) { testsupport::writeFile(f, prefWith(9, "-1e309")); },
         FileFaultKind::BadData, "Field 9 holds \"-1e309\", which is not a number"},
        {"letters in a number field",
         [](const std::filesystem::path& f) { testsupport::writeFile(f, prefWith(20, "12abc")); },
         FileFaultKind::BadData, "Field 20"},
        {"a quoted text with no number in a number field",
         [](const std::filesystem::path& f) {
             testsupport::writeFile(f, prefWith(3, "\"April\""));
         },
         FileFaultKind::BadData, "Field 3"},
        {"letters in a truth field",
         [](const std::filesystem::path& f) { testsupport::writeFile(f, prefWith(15, "#YES#")); },
         FileFaultKind::BadData, "truth value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(file("pref.zvd"));
        c.damage(file("pref.zvd"));
        const std::optional<long long> before = bytesReadSoFar();
        try {
            readPreferences();
            ADD_FAILURE() << "the read went on";
        } catch (const FileFault& f) {
            EXPECT_EQ(f.kind(), c.kind);
            EXPECT_EQ(f.file(), "pref.zvd");
            for (bool english : {true, false})
                EXPECT_NE(f.message(english).find("pref.zvd"), std::string::npos);
            if (c.inDetail) {
                EXPECT_NE(f.message(true).find(c.inDetail), std::string::npos) << f.message(true);
            }
            // The Arabic message says it all in Arabic: no English detail.
            EXPECT_EQ(f.message(false).find("Field"), std::string::npos) << f.message(false);
        }
        // Bounded by what is read, not by the clock: the long line costs a
        // read of its first megabyte only.
        const std::optional<long long> after = bytesReadSoFar();
        if (before && after) {
            EXPECT_LE(*after - *before, static_cast<long long>(kRecordBytes + kBeyond / 2));
        }
        // The tolerant reading of the dialogs takes nothing from a damaged field.
        const Preferences tolerant = readPreferencesTolerant();
        if (c.kind == FileFaultKind::BadData) {
            EXPECT_EQ(tolerant.sha, "1");
        }
    }
}

TEST_F(DamagedFileTest, AFileThatMayNotBeReadIsNotCalledMissing)
{
    put("loc.zvd", kLoc);
    const testsupport::ScopedMode unreadable(file("loc.zvd"), std::filesystem::perms::none);
    // The child below may be another user: it must reach the file.
    const testsupport::ScopedMode reachable(
        folder(), std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                      std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                      std::filesystem::perms::others_exec);
    // Root reads any file: the check runs as an ordinary user in a child.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        std::string contents;
        bool truncated = false;
        const auto status = platform::readFileStart(file("loc.zvd"), contents, 100, truncated);
        const FileFault fault = platform::readFault(status, "loc.zvd");
        ::_exit(status == platform::ReadStatus::NoPermission &&
                        fault.kind() == FileFaultKind::Unreadable &&
                        fault.message(true).find("cannot be read") != std::string::npos &&
                        fault.message(true).find("permission") != std::string::npos
                    ? 0
                    : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(DamagedFileTest, TolerantReadingsStayAsTheyWere)
{
    // Empty fields count as 0; a lapse rate with no number in it counts as 0;
    // a number too small for a double is 0; quoted numbers, blanks around a
    // number and extra fields and lines are read as before.
    put("loc.zvd",
        "\"Mecca\",39,,1e-400,21,25,21,277,\" 3 \",#TRUE#,#TRUE#,#FALSE#,#FALSE#,0,1010,10,0,"
        "\"none\",extra,\"fields\"\r\nand a second line\r\n");
    CurrentLocation loc = readCurrentLocation();
    EXPECT_DOUBLE_EQ(loc.longim, 0);
    EXPECT_DOUBLE_EQ(loc.longis, 0);
    EXPECT_DOUBLE_EQ(loc.zon, 3);
    EXPECT_EQ(loc.alpha, "none");

    // Extreme but well-formed values are values, not damage, as far as they
    // are a place on Earth (a zone or a latitude beyond them is damage: see
    // below).
    put("loc.zvd", "\"Far\",1e15,0,0,-90,0,0,0,14,#TRUE#,#TRUE#,#FALSE#,#FALSE#,0,1e15,10,0,"
                   "\"0.0065\"\r\n");
    loc = readCurrentLocation();
    EXPECT_DOUBLE_EQ(loc.longid, 1e15);
    EXPECT_DOUBLE_EQ(loc.latid, -90);
    EXPECT_DOUBLE_EQ(loc.zon, 14);

    // A record that ends inside the bound is read however long the rest.
    put("pref.zvd", kPref + std::string(3u << 20, 'x'));
    EXPECT_DOUBLE_EQ(readPreferences().fajang, 18);
}

TEST_F(DamagedFileTest, ADamagedListIsNotTakenForEmpty)
{
    std::vector<SavedLocation> list;
    EXPECT_TRUE(readSavedLocations(list)); // no loc.txt: an empty list
    std::filesystem::create_directory(file("loc.txt"));
    std::optional<platform::FileFault> why;
    EXPECT_FALSE(readSavedLocations(list, &why));
    ASSERT_TRUE(why);
    EXPECT_EQ(why->kind(), platform::FileFaultKind::NotAFile);
    std::filesystem::remove(file("loc.txt"));

    // One record far beyond any the dialog writes.
    put("loc.txt", "\"Cairo\",30,2,0,31,14,0,1,1,2,23,0,1010,10,0,\"0.0065\"\r\n\"" +
                       std::string(2u << 20, 'x') + "\",1,2\r\n");
    why.reset();
    EXPECT_FALSE(readSavedLocations(list, &why));
    EXPECT_TRUE(list.empty());
    ASSERT_TRUE(why);
    EXPECT_EQ(why->kind(), platform::FileFaultKind::TooLarge);

    // A damaged number is left empty, the other records are kept.
    put("loc.txt", "\"Cairo\",NaN,2,0,31,14,0,1,1,2,23,0,1010,10,0,\"0.0065\"\r\n"
                   "\"Amman\",31,57,0,35,56,0,1,1,3,777,0,1010,10,0,\"0.0065\"\r\n");
    ASSERT_TRUE(readSavedLocations(list));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_DOUBLE_EQ(list[0].latid, 0);
    EXPECT_DOUBLE_EQ(list[0].latim, 2);
    EXPECT_EQ(list[1].locname, "Amman");
}

// A zone beyond the clocks of the Earth or a latitude beyond a pole is no
// place: the strict reader stops naming loc.zvd and the field, the tolerant
// one leaves a zone empty, and no saved place comes out of loc.txt with such
// a zone.
TEST_F(DamagedFileTest, AZoneOrLatitudeBeyondTheEarthIsDamage)
{
    const struct {
        const char* zone;
        bool onEarth;
    } zones[] = {
        {"-12", true},    {"14", true},     {"0", true},       {"5.75", true}, {"-12.5", false},
        {"14.25", false}, {"15.5", false},  {"26", false},     {"100", false}, {"1e8", false},
        {"1e15", false},  {"1e308", false}, {"-1e308", false},
    };
    for (const auto& z : zones) {
        SCOPED_TRACE(z.zone);
        put("loc.zvd", testsupport::withField(kLoc.substr(0, kLoc.size() - 2), 9, z.zone) + "\r\n");
        put("loc.txt", "\"Far\",21,25,21,39,49,34,1,1," + std::string(z.zone) +
                           ",277,0,1010,10,0,\"0.0065\"\r\n");
        const double value = std::stod(z.zone);
        EXPECT_EQ(isTimeZone(value), z.onEarth);
        if (z.onEarth) {
            EXPECT_DOUBLE_EQ(readCurrentLocation().zon, value);
            EXPECT_DOUBLE_EQ(readCurrentLocationTolerant().zon, value);
        } else {
            try {
                readCurrentLocation();
                ADD_FAILURE() << "the read went on";
            } catch (const FileFault& f) {
                EXPECT_EQ(f.kind(), FileFaultKind::BadData);
                EXPECT_EQ(f.file(), "loc.zvd");
                EXPECT_EQ(f.detail(), "Field 9 holds \"" + std::string(z.zone) +
                                          "\", which is not a number that is a time zone "
                                          "between -12 and +14 hours.");
                EXPECT_EQ(f.detailArabic(), "الحقل 9 يحوي \"" + std::string(z.zone) +
                                                "\" وهو ليس عدداً يمثل نطاقاً زمنياً بين -12 "
                                                "و +14 ساعة.");
                for (bool english : {true, false})
                    EXPECT_NE(f.message(english).find("loc.zvd"), std::string::npos);
            }
            const auto tolerant = readRecordTolerant("loc.zvd", kCurrentLocationKinds);
            ASSERT_EQ(tolerant.size(), kCurrentLocationFields);
            EXPECT_TRUE(tolerant[8].isEmpty());
            EXPECT_EQ(tolerant[0].asText(), "Mecca"); // the rest is read
        }
        for (const SavedLocation& saved : readSavedLocations())
            EXPECT_TRUE(isTimeZone(saved.zon)) << saved.zon;
    }

    // An elevation from the deepest sea to the edge of space.
    const struct {
        const char* metres;
        bool onEarth;
    } elevations[] = {
        {"-11000", true},  {"100000", true}, {"8849", true},   {"-11000.5", false},
        {"100001", false}, {"1e7", false},   {"1e308", false}, {"-1e308", false},
    };
    for (const auto& e : elevations) {
        SCOPED_TRACE(e.metres);
        put("loc.zvd",
            testsupport::withField(kLoc.substr(0, kLoc.size() - 2), 8, e.metres) + "\r\n");
        if (e.onEarth) {
            EXPECT_DOUBLE_EQ(readCurrentLocation().ele, std::stod(e.metres));
            continue;
        }
        try {
            readCurrentLocation();
            ADD_FAILURE() << "the read went on";
        } catch (const FileFault& f) {
            EXPECT_EQ(f.file(), "loc.zvd");
            EXPECT_EQ(f.detail(), "Field 8 holds \"" + std::string(e.metres) +
                                      "\", which is not a number that is an elevation between "
                                      "-11000 and 100000 metres.");
            EXPECT_EQ(f.detailArabic(), "الحقل 8 يحوي \"" + std::string(e.metres) +
                                            "\" وهو ليس عدداً يمثل ارتفاعاً بين -11000 و 100000 "
                                            "متر.");
        }
        EXPECT_TRUE(readRecordTolerant("loc.zvd", kCurrentLocationKinds)[7].isEmpty());
    }

    // The latitude counts whole: degrees + minutes/60 + seconds/3600, of any
    // sign each (the hemisphere option gives the side).
    const struct {
        const char* degrees;
        const char* minutes;
        const char* seconds;
        bool onEarth;
    } latitudes[] = {
        {"90", "0", "0", true},     {"89", "59", "60", true},    {"45", "2700", "0", true},
        {"-90", "0", "0", true},    {"21", "-25", "0", true},    {"90", "0", "1", false},
        {"89", "60", "0.5", false}, {"-91", "0", "0", false},    {"0", "0", "324001", false},
        {"1e308", "0", "0", false}, {"0", "0", "-1e308", false},
    };
    for (const auto& l : latitudes) {
        SCOPED_TRACE(std::string(l.degrees) + " " + l.minutes + " " + l.seconds);
        std::string line = kLoc.substr(0, kLoc.size() - 2);
        line = testsupport::withField(line, 5, l.degrees);
        line = testsupport::withField(line, 6, l.minutes);
        line = testsupport::withField(line, 7, l.seconds);
        put("loc.zvd", line + "\r\n");
        if (l.onEarth) {
            EXPECT_NO_THROW(readCurrentLocation());
            continue;
        }
        try {
            readCurrentLocation();
            ADD_FAILURE() << "the read went on";
        } catch (const FileFault& f) {
            EXPECT_EQ(f.kind(), FileFaultKind::BadData);
            EXPECT_EQ(f.file(), "loc.zvd");
            const std::string held = "\"" + std::string(l.degrees) + "\", \"" + l.minutes +
                                     "\" and \"" + l.seconds + "\"";
            EXPECT_EQ(f.detail(), "Fields 5 to 7 hold " + held +
                                      ": the latitude they give lies beyond 90 "
                                      "degrees.");
            EXPECT_EQ(f.detailArabic(), "الحقول 5 إلى 7 تحوي \"" + std::string(l.degrees) +
                                            "\" و \"" + l.minutes + "\" و \"" + l.seconds +
                                            "\" وخط العرض الذي تعطيه يتجاوز 90 درجة.");
        }
    }
}

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

    // A byte-order mark, as an editor may write it, is read past.
    put("pref.zvd", "\xEF\xBB\xBF" + kPref);
    EXPECT_DOUBLE_EQ(readPreferences().fajang, 18);
    put("loc.zvd", "\xEF\xBB\xBF" + kLoc);
    EXPECT_EQ(readCurrentLocation().locname, "Mecca");
    EXPECT_EQ(readCurrentLocationTolerant().locname, "Mecca");
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

    // A file beyond the bound of the whole list.
    put("loc.txt", std::string(kSavedLocationsBytes + 1, '\n'));
    why.reset();
    SavedLocationsFile lines;
    EXPECT_FALSE(readSavedLocationsFile(lines, &why));
    EXPECT_TRUE(lines.lines.empty());
    ASSERT_TRUE(why);
    EXPECT_EQ(why->kind(), platform::FileFaultKind::TooLarge);
    EXPECT_NE(why->detail().find("64 MB"), std::string::npos);

    // A damaged number makes its line no place; the other places are kept.
    put("loc.txt", "\"Cairo\",NaN,2,0,31,14,0,1,1,2,23,0,1010,10,0,\"0.0065\"\r\n"
                   "\"Amman\",31,57,0,35,56,0,1,1,3,777,0,1010,10,0,\"0.0065\"\r\n");
    ASSERT_TRUE(readSavedLocations(list));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].locname, "Amman");
    EXPECT_DOUBLE_EQ(list[0].latid, 31);
}

namespace {

const std::string kCairo = "\"Cairo\",30,2,40,31,14,8,1,1,2,23,0,1010,10,0,\"0.0065\"";

// kCairo with its field `n` (1-based) replaced by `value`.
std::string cairoWith(int n, const std::string& value)
{
    return testsupport::withField(kCairo, n, value);
}

} // namespace

// One line is one place: what makes a line no sound place, and what is a
// place however odd.
TEST_F(DamagedFileTest, EachLineOfTheListIsOnePlaceOrKeptAsItIs)
{
    using Kind = SavedLocationLine::Kind;
    const std::string million(1000000, 'x');
    const struct {
        const char* what;
        std::string line;
        Kind kind;
        const char* english; // the reason, naming line 2, for a damaged line
        const char* arabic;
    } cases[] = {
        {"a sound line", kCairo, Kind::Place, "", ""},
        {"empty hemispheres", testsupport::withField(cairoWith(8, ""), 9, ""), Kind::Place, "", ""},
        {"a number of 1e308", cairoWith(12, "1e308"), Kind::Place, "", ""},
        {"a NUL in a name", cairoWith(1, std::string("\"Ca\0iro\"", 8)), Kind::Place, "", ""},
        {"a name of a million characters", cairoWith(1, "\"" + million + "\""), Kind::Place, "",
         ""},
        {"blanks after a closing quote", cairoWith(1, "\"Cairo\"  "), Kind::Place, "", ""},
        {"a blank line", "", Kind::Blank, "", ""},
        {"a line of blanks", " \t ", Kind::Blank, "", ""},
        {"five fields cut", "\"Medina\",24,28,0,39,36,0,1,1,3,608", Kind::Damaged,
         "Line 2 holds 11 of the 16 fields of a location.",
         "السطر 2 يحوي 11 من حقول الموقع البالغة 16."},
        {"a comma at the end", kCairo + ",", Kind::Damaged,
         "Line 2 holds more than the 16 fields of a location.",
         "السطر 2 يحوي أكثر من حقول الموقع البالغة 16."},
        {"an open quote", kCairo.substr(0, kCairo.size() - 1), Kind::Damaged,
         "Line 2: the text of field 16 has no closing quote (\").",
         "السطر 2: نص الحقل 16 لا تغلقه علامة التنصيص (\")."},
        {"characters after a closing quote", cairoWith(1, "\"Cai\"ro"), Kind::Damaged,
         "Line 2: field 1 goes on after its closing quote (\").",
         "السطر 2: الحقل 1 يستمر بعد علامة التنصيص التي تغلقه (\")."},
        {"a number beyond the range", cairoWith(12, "1e309"), Kind::Damaged,
         "Line 2: field 12 is not a number: \"1e309\".",
         "السطر 2: الحقل 12 ليس عدداً: \u2066\"1e309\"\u2069."},
        {"a zone of no place on Earth", cairoWith(10, "26"), Kind::Damaged,
         "Line 2: field 10 is not a number that is a time zone between -12 and +14 hours: \"26\".",
         "السطر 2: الحقل 10 ليس عدداً يمثل نطاقاً زمنياً بين \u2066-12\u2069 و \u2066+14\u2069 "
         "ساعة: \u2066\"26\"\u2069."},
        {"letters for a number", cairoWith(15, "abc"), Kind::Damaged,
         "Line 2: field 15 is not a number: \"abc\".",
         "السطر 2: الحقل 15 ليس عدداً: \u2066\"abc\"\u2069."},
        {"a control byte in a bad number", cairoWith(2, std::string("1\0x", 3)), Kind::Damaged,
         "Line 2: field 2 is not a number: \"1\\x00x\".", nullptr},
        {"a mark that turns the text round", cairoWith(12, "1\xE2\x80\xAEx\x1B"), Kind::Damaged,
         "Line 2: field 12 is not a number: \"1\\xE2\\x80\\xAEx\\x1B\".", nullptr},
        {"a long bad number", cairoWith(2, std::string(30, '7') + "x"), Kind::Damaged,
         "Line 2: field 2 is not a number: \"77777777777777777777...\".",
         "السطر 2: الحقل 2 ليس عدداً: \u2066\"77777777777777777777...\"\u2069."},
        {"a long bad number cut at a letter of two bytes",
         cairoWith(15, std::string(19, '7') + "\xC3\xA9x"), Kind::Damaged,
         "Line 2: field 15 is not a number: \"7777777777777777777...\".", nullptr},
        {"a signed bad number", cairoWith(12, "-1e309"), Kind::Damaged,
         "Line 2: field 12 is not a number: \"-1e309\".",
         "السطر 2: الحقل 12 ليس عدداً: \u2066\"-1e309\"\u2069."},
        // What the location dialog refuses to save is no place either.
        {"only commas", std::string(15, ','), Kind::Damaged,
         "Line 2: field 16 is not a lapse rate other than 0: \"\".",
         "السطر 2: الحقل 16 ليس تغيراً للحرارة غير الصفر: \u2066\"\"\u2069."},
        {"a lapse rate of 0 with a decimal comma", cairoWith(16, "\"0,0\""), Kind::Damaged,
         "Line 2: field 16 is not a lapse rate other than 0: \"0,0\".", nullptr},
        {"a lapse rate with a decimal comma", cairoWith(16, "\"0,0065\""), Kind::Place, "", ""},
        {"a latitude of 100", cairoWith(2, "100"), Kind::Damaged,
         "Line 2: fields 2 to 4 give a latitude beyond 90 degrees: \"100\", \"2\" and \"40\".",
         "السطر 2: الحقول 2 إلى 4 تعطي خط عرض يتجاوز 90 درجة: \u2066\"100\"\u2069 و "
         "\u2066\"2\"\u2069 و \u2066\"40\"\u2069."},
        {"a latitude beyond the pole by its seconds",
         testsupport::withField(testsupport::withField(cairoWith(2, "-90"), 3, "0"), 4, "-1"),
         Kind::Damaged,
         "Line 2: fields 2 to 4 give a latitude beyond 90 degrees: \"-90\", \"0\" and \"-1\".",
         nullptr},
        {"a negative air pressure", cairoWith(13, "-1"), Kind::Damaged,
         "Line 2: field 13 is not a pressure of 0 mb or more: \"-1\".",
         "السطر 2: الحقل 13 ليس ضغطاً لا يقل عن 0 مل بار: \u2066\"-1\"\u2069."},
        {"a temperature at absolute zero", cairoWith(14, "-273"), Kind::Damaged,
         "Line 2: field 14 is not a temperature above -273 °C: \"-273\".",
         "السطر 2: الحقل 14 ليس حرارة أعلى من \u2066-273\u2069 م: "
         "\u2066\"-273\"\u2069."},
        {"a temperature just above it", cairoWith(14, "-272.9"), Kind::Place, "", ""},
        // Beyond the bound of a record the line is not read, only kept.
        {"a line beyond 1 MB", "\"" + std::string(2u << 20, 'x') + "\",1,2", Kind::Damaged,
         "Line 2 runs beyond 1 MB.", "السطر 2 يمتد إلى أكثر من 1 ميغابايت."},
        {"commas beyond 1 MB", std::string(kRecordBytes + 1, ','), Kind::Damaged,
         "Line 2 runs beyond 1 MB.", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string text = kCairo + "\r\n" + c.line + "\r\n" + kCairo + "\r\n";
        put("loc.txt", text);
        SavedLocationsFile file;
        ASSERT_TRUE(readSavedLocationsFile(file));
        ASSERT_EQ(file.lines.size(), 3u);
        const SavedLocationLine& line = file.lines[1];
        EXPECT_EQ(line.kind, c.kind);
        EXPECT_EQ(line.bytes, c.line + "\r\n");
        EXPECT_EQ(file.contents(), text);
        EXPECT_EQ(file.places().size(), c.kind == Kind::Place ? 3u : 2u);
        if (c.kind == Kind::Damaged) {
            EXPECT_EQ(line.whyEnglish, c.english);
            if (c.arabic) {
                EXPECT_EQ(line.whyArabic, c.arabic);
            }
            EXPECT_EQ(file.damagedLines(), std::vector<size_t>{2});
        } else {
            EXPECT_TRUE(file.damagedLines().empty());
            EXPECT_TRUE(damagedLinesMessage(file, true).empty());
        }
    }
    // The odd but sound values read as themselves.
    put("loc.txt", cairoWith(1, std::string("\"Ca\0iro\"", 8)) + "\r\n" +
                       cairoWith(1, "\"" + million + "\"") + "\r\n" + cairoWith(12, "1e308"));
    const std::vector<SavedLocation> list = readSavedLocations();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].locname, std::string("Ca\0iro", 6));
    EXPECT_EQ(list[1].locname, million);
    EXPECT_DOUBLE_EQ(list[2].city, 1e308);
}

// An edit keeps every line it does not touch as its bytes, line ends and
// all, and a new line takes the file's own line end.
TEST_F(DamagedFileTest, EditsOfTheListKeepTheLinesTheyDoNotTouch)
{
    SavedLocation paris;
    paris.locname = "Paris";
    paris.latid = 48;
    paris.alpha = "0.0065";
    const std::string parisLine = "\"Paris\",48,0,0,0,0,0,,,0,0,0,0,0,0,\"0.0065\"";
    const struct {
        const char* what;
        std::string text;
        std::string afterAdd;
    } cases[] = {
        {"an empty file", "", parisLine + "\r\n"},
        {"CR LF", kCairo + "\r\n\"x\"\r\n", kCairo + "\r\n\"x\"\r\n" + parisLine + "\r\n"},
        {"LF", kCairo + "\n\"x\"\n", kCairo + "\n\"x\"\n" + parisLine + "\n"},
        {"CR alone", kCairo + "\r\"x\"\r", kCairo + "\r\"x\"\r" + parisLine + "\r"},
        {"no line end at the end", kCairo + "\n\"x\"", kCairo + "\n\"x\"\n" + parisLine + "\n"},
        {"no line end at all", "\"x\"", "\"x\"\r\n" + parisLine + "\r\n"},
        {"mixed, a blank line last", kCairo + "\r\n\"x\"\r\r\n",
         kCairo + "\r\n\"x\"\r\r\n" + parisLine + "\r\n"},
        {"a byte-order mark", "\xEF\xBB\xBF" + kCairo + "\n",
         "\xEF\xBB\xBF" + kCairo + "\n" + parisLine + "\n"},
        {"a byte-order mark alone", "\xEF\xBB\xBF", "\xEF\xBB\xBF" + parisLine + "\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        put("loc.txt", c.text);
        SavedLocationsFile file;
        ASSERT_TRUE(readSavedLocationsFile(file));
        EXPECT_EQ(file.contents(), c.text);
        std::string english, arabic;
        ASSERT_TRUE(file.appendPlace(paris, english, arabic)) << english;
        ASSERT_TRUE(writeSavedLocationsFile(file));
        EXPECT_EQ(get("loc.txt"), c.afterAdd);
        // Deleting the new place gives the file back but for the line end
        // that the last line took to let it start a line of its own.
        EXPECT_EQ(file.removePlaces("Paris"), 1u);
        EXPECT_EQ(file.contents(), c.afterAdd.substr(0, c.afterAdd.find(parisLine)));
        EXPECT_EQ(file.removePlaces("Cairo"), c.text.find(kCairo) != std::string::npos ? 1u : 0u);
        // The file keeps its own line end when the lines that showed it go.
        ASSERT_TRUE(file.appendPlace(paris, english, arabic)) << english;
        const std::string ending = c.afterAdd.substr(c.afterAdd.find(parisLine) + parisLine.size());
        EXPECT_TRUE(file.contents().ends_with(parisLine + ending)) << file.contents();
    }

    // A place that would not read back as itself is not added.
    put("loc.txt", kCairo + "\r\n");
    SavedLocationsFile file;
    ASSERT_TRUE(readSavedLocationsFile(file));
    for (const char* name : {"Two\r\nlines", "A \"quoted\" one", "Line\nfeed"}) {
        SCOPED_TRACE(name);
        paris.locname = name;
        std::string english, arabic;
        EXPECT_FALSE(file.appendPlace(paris, english, arabic));
        EXPECT_EQ(english, "A text of it holds a double quote or a line break.");
        EXPECT_FALSE(arabic.empty());
        EXPECT_EQ(file.contents(), kCairo + "\r\n");
    }
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
                // Each signed number one left-to-right run (see platform's
                // numberInMessage), the quoted value with its quotes.
                EXPECT_EQ(f.detailArabic(),
                          "الحقل 9 يحوي \u2066\"" + std::string(z.zone) +
                              "\"\u2069 وهو ليس عدداً يمثل نطاقاً زمنياً بين \u2066-12\u2069 "
                              "و \u2066+14\u2069 ساعة.");
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
            EXPECT_EQ(f.detailArabic(), "الحقل 8 يحوي \u2066\"" + std::string(e.metres) +
                                            "\"\u2069 وهو ليس عدداً يمثل ارتفاعاً بين "
                                            "\u2066-11000\u2069 و 100000 متر.");
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
            const auto isolated = [](const char* value) {
                return "\u2066\"" + std::string(value) + "\"\u2069";
            };
            EXPECT_EQ(f.detailArabic(), "الحقول 5 إلى 7 تحوي " + isolated(l.degrees) + " و " +
                                            isolated(l.minutes) + " و " + isolated(l.seconds) +
                                            " وخط العرض الذي تعطيه يتجاوز 90 درجة.");
        }
    }
}

// The message lists the first five damaged lines and counts the rest, in the
// number's own form: one line, two (Arabic has a dual), more.
TEST_F(DamagedFileTest, TheDamagedLinesBeyondTheListedOnesAreCountedInTheirForm)
{
    const struct {
        int damaged;
        const char* english; // the line after the five listed, or "" for none
        const char* arabic;
    } cases[] = {
        {5, "", ""},
        {6, "And 1 more line.", "وسطر آخر."},
        {7, "And 2 more lines.", "وسطران آخران."},
        {8, "And 3 more lines.", "وأسطر أخرى عددها 3."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.damaged);
        std::string text = kCairo + "\r\n";
        for (int i = 0; i < c.damaged; ++i)
            text += "\"Broken\",1,2\r\n";
        put("loc.txt", text);
        SavedLocationsFile file;
        ASSERT_TRUE(readSavedLocationsFile(file));
        for (const bool english : {true, false}) {
            const std::string message = damagedLinesMessage(file, english);
            // The count's line, if any, stands before the closing one.
            const size_t last = message.rfind('\n');
            const size_t before = message.rfind('\n', last - 1);
            const std::string line = message.substr(before + 1, last - before - 1);
            const char* expected = english ? c.english : c.arabic;
            if (*expected) {
                EXPECT_EQ(line, expected);
            } else {
                EXPECT_NE(line.find(english ? "Line 6" : "السطر 6"), std::string::npos) << line;
            }
        }
    }
}

// The alert program's start with a damaged settings or series file: a
// message naming the file and the reason, never an abort, within seconds.
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "alertfixture.h"
#include "platform/fault.h"
#include "platform/qt/trayicon.h"

using namespace alerttest;
using platform::FileFault;
using platform::FileFaultKind;

namespace {

using DamagedStart = AlertProgramTest;

} // namespace

TEST_F(DamagedStart, EachDamagedFileIsNamedWithItsReason)
{
    struct Case {
        const char* file;
        const char* what;
        std::function<void(DamagedStart&, const std::filesystem::path&, const std::string&)> damage;
        FileFaultKind kind;
    };
    using Path = std::filesystem::path;
    const auto folderInPlace = [](DamagedStart&, const Path& p, const std::string&) {
        std::filesystem::remove(p);
        std::filesystem::create_directory(p);
    };
    const auto linkToZero = [](DamagedStart&, const Path& p, const std::string&) {
        std::filesystem::remove(p);
        std::filesystem::create_symlink("/dev/zero", p);
    };
    const auto hugeLine = [](DamagedStart&, const Path& p, const std::string&) {
        testsupport::writeFile(p, std::string(4u << 20, '7'));
    };
    const Case cases[] = {
        {"termfull.zvd", "a folder", folderInPlace, FileFaultKind::NotAFile},
        {"term.zvd", "a link to /dev/zero", linkToZero, FileFaultKind::NotAFile},
        {"mterm.zvd", "a huge line", hugeLine, FileFaultKind::TooLarge},
        {"alert.zvd", "a folder", folderInPlace, FileFaultKind::NotAFile},
        {"alert.zvd", "NaN minutes",
         [](DamagedStart& t, const Path&, const std::string& f) { t.setField(f, 2, "NaN"); },
         FileFaultKind::BadData},
        {"alert.zvd", "a bare word for the Dhuhr recording",
         [](DamagedStart& t, const Path&, const std::string& f) { t.setField(f, 5, "maybe"); },
         FileFaultKind::BadData},
        {"pref.zvd", "a huge line", hugeLine, FileFaultKind::TooLarge},
        {"pref.zvd", "an overflowing Fajr angle",
         [](DamagedStart& t, const Path&, const std::string& f) { t.setField(f, 1, "1e309"); },
         FileFaultKind::BadData},
        {"loc.zvd", "a folder", folderInPlace, FileFaultKind::NotAFile},
        {"loc.zvd", "letters in the zone",
         [](DamagedStart& t, const Path&, const std::string& f) { t.setField(f, 9, "three"); },
         FileFaultKind::BadData},
        {"loc.zvd", "a zone of 26 hours",
         [](DamagedStart& t, const Path&, const std::string& f) { t.setField(f, 9, "26"); },
         FileFaultKind::BadData},
        {"loc.zvd", "a latitude beyond the pole",
         [](DamagedStart& t, const Path&, const std::string& f) { t.setField(f, 5, "91"); },
         FileFaultKind::BadData},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + ": " + c.what);
        putDefaultSettings();
        putSeriesFiles();
        putAlerts({});
        c.damage(*this, file(c.file), c.file);
        makeWindow();
        const auto start = std::chrono::steady_clock::now();
        try {
            startAt(13, 0);
            ADD_FAILURE() << "the start went on";
        } catch (const FileFault& fault) {
            EXPECT_EQ(fault.file(), c.file);
            EXPECT_EQ(fault.kind(), c.kind);
            EXPECT_NE(fault.message(false).find(c.file), std::string::npos);
        }
        // A stall, not a slow machine: the damaged file is read up to its bound
        // (a few megabytes at most), which takes far less than this on any load.
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
        EXPECT_FALSE(window_->trayIcon().isAdded());
        window_.reset();
        std::filesystem::remove_all(file(c.file));
    }
}

// The stop message speaks the interface language of pref.zvd, at the start
// (a fault found before the preferences are read) and at a tick (after the
// language was changed while the program ran).
TEST_F(DamagedStart, TheMessageFollowsTheInterfaceLanguage)
{
    putDefaultSettings();
    putSeriesFiles();
    putAlerts({});
    setField("pref.zvd", 15, "#FALSE#");
    setField("alert.zvd", 2, "NaN");
    platform::setFaultLanguage(true);
    makeWindow();
    EXPECT_THROW(startAt(13, 0), FileFault);
    EXPECT_FALSE(platform::faultLanguage()) << "a start in Arabic";
    window_.reset();

    putAlerts({});
    setField("pref.zvd", 15, "#TRUE#");
    makeWindow();
    startAt(13, 0);
    EXPECT_TRUE(platform::faultLanguage());
    setField("pref.zvd", 15, "#FALSE#");
    setField("loc.zvd", 9, "three");
    EXPECT_THROW(tickAt(13, 1), FileFault);
    EXPECT_FALSE(platform::faultLanguage()) << "a tick after the switch to Arabic";
    platform::setFaultLanguage(true);
}

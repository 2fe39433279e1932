// Numbers in the settings files, the reports and the boxes do not follow the
// user's locale. This program starts as a user's session would under a
// locale with a decimal comma (de_DE.UTF-8, built from tests/locale/de_DE_comma
// into the build tree, so it exists on every machine): QApplication takes the
// C library's locale from the environment, then the programs' own start-up
// (installQtPlatform) runs.
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

#include "platform/qt/qtplatform.h"
#include "reports/reportpieces.h"
#include "settings/dialogs/dialogsupport.h"
#include "settings/records.h"
#include "settings/settingsline.h"
#include "support/testsupport.h"

namespace {

// 19.5 as the C library wrote it once QApplication had set the locale.
std::string printedByTheUsersLocale;

std::string printed(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
}

class SettingsLineLocale : public testsupport::ProgramFolderTest {};

} // namespace

TEST(SettingsLine, WritingIgnoresTheUsersLocale)
{
    // The test means something only when the user's locale was in force.
    ASSERT_EQ(printedByTheUsersLocale, "19,5") << "the decimal-comma locale was not set";
    EXPECT_EQ(QLocale().decimalPoint(), QStringLiteral(","));

    EXPECT_EQ(printed(19.5), "19.5") << "the programs write numbers with a point";
    EXPECT_EQ(settings::formatNumber(19.5), "19.5");
    EXPECT_EQ(settings::formatNumber(-0.0065), "-0.0065");
    EXPECT_DOUBLE_EQ(settings::lenientNumber("19.5"), 19.5);
    EXPECT_DOUBLE_EQ(settings::lenientNumber("0,0065"), 0);
    EXPECT_EQ(reportpieces::patternNumber(3.25, 1, 2), "3.25") << "a report's number";
    EXPECT_EQ(dialogs::numberText(19.5), QStringLiteral("19.5")) << "a box's number";
    EXPECT_DOUBLE_EQ(dialogs::boxNumber(QStringLiteral("19.5")), 19.5);
}

TEST_F(SettingsLineLocale, APreferencesLineWrittenAndReadKeepsItsPoints)
{
    settings::Preferences p;
    p.fajang = 19.5;
    p.ishang = 17.25;
    ASSERT_TRUE(settings::writePreferences(p).ok);
    const std::string line = get("pref.zvd");
    EXPECT_EQ(line.rfind("19.5,17.25,", 0), 0u) << line;
    const settings::Preferences back = settings::readPreferences();
    EXPECT_EQ(back.fajang, 19.5);
    EXPECT_EQ(back.ishang, 17.25);
}

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("LOCPATH", MIQATIX_LOCALE_DIR, 1);
    ::setenv("LC_ALL", "de_DE.UTF-8", 1);
    ::setenv("LANG", "de_DE.UTF-8", 1);
    QApplication app(argc, argv);
    printedByTheUsersLocale = printed(19.5);
    platform::installQtPlatform();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// The program's factory for the crescent window: its Calculate borrows the
// main window's own prayer-times and moon-times engines for the day.
#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "crescentfixture.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/programwindows.h"
#include "sharedwindows/windowregistry.h"

namespace {

using namespace crescenttest;

class FactoryTest : public CrescentTest {
protected:
    void TearDown() override
    {
        windows::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        CrescentTest::TearDown();
    }
};

TEST_F(FactoryTest, CalculateRunsTheMainWindowsEnginesForTheDay)
{
    put("visib.zvd", "\"23\",\"5\",\"2020\",#TRUE#,#TRUE#,#FALSE#,#TRUE#,#FALSE#,#TRUE#,#FALSE#,"
                     "#FALSE#,#FALSE#,\"18\",\"30\",#TRUE#,#FALSE#,8,\"1441\"\r\n");
    mainwindow::registerProgramWindows();
    frmmain* main = frmmain::load();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(windows::hasFactory("frmcresv"));

    bool driven = false;
    QTimer::singleShot(0, [&driven] {
        QWidget* w = windows::find("frmcresv");
        ASSERT_NE(w, nullptr);
        child<QPushButton>(w, "cmdprev")->click();
        child<QPushButton>(w, "cmdcalc")->click();
        child<QPushButton>(w, "cmdclose")->click();
        driven = true;
    });
    windows::show("frmcresv", windows::ShowMode::Modal);
    ASSERT_TRUE(driven);
    EXPECT_EQ(shown, std::vector<std::string>{"visib.out"});
    // The day's sunset and moonset, from the main window's engines.
    EXPECT_NE(get("visib.out").find("- Sunset:  18:58 LT"), std::string::npos);
    EXPECT_NE(get("visib.out").find("- Moonset: 19:42 LT"), std::string::npos);
    EXPECT_EQ(onedaymode, 0);
    EXPECT_EQ(windows::find("frmcresv"), nullptr);
}

} // namespace

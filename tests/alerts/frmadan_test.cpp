// The adhan pop-up window, offscreen: its place lines, the Arabic layout,
// its place on top of other windows.
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWindow>

#include "alertfixture.h"
#include "alerts/frmadan.h"

using namespace alerttest;

namespace {

class AdhanWindow : public AlertProgramTest {
protected:
    QString text(const char* name) const { return window->findChild<QLabel*>(name)->text(); }
    QLabel* label(const char* name) const { return window->findChild<QLabel*>(name); }

    void open()
    {
        window = std::make_unique<alerts::frmadan>([this] { ++stops; });
    }

    std::unique_ptr<alerts::frmadan> window;
    int stops = 0;
};

TEST_F(AdhanWindow, PlaceLines)
{
    struct Case {
        const char* what;
        const char* loc;
        const char* lon;
        const char* lat;
        const char* ele;
        const char* zon;
    };
    const Case cases[] = {
        {"east and north",
         "\"Roma\",12,5,7,41,57,0,120,1,#TRUE#,#TRUE#,#FALSE#,#FALSE#,0,1010,10,0,\"0.0065\"",
         "12:05:07.0 E", "41:57:00.0 N", "120.0", "1.00"},
        {"west and south, no sign on the degrees",
         "\"Lima\",77,2,12.34,12,2,36,154.25,-5,#FALSE#,#FALSE#,#TRUE#,#TRUE#,0,1010,10,0,\"0."
         "0065\"",
         "77:02:12.3 W", "12:02:36.0 S", "154.3", "-5.00"},
        {"three-digit degrees, half zone",
         "\"Adelaide\",138,36,0,34,55,0,0,9.5,#TRUE#,#FALSE#,#FALSE#,#TRUE#,0,1010,10,0,\"0.0065\"",
         "138:36:00.0 E", "34:55:00.0 S", "0.0", "9.50"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        put("loc.zvd", std::string(c.loc) + "\r\n");
        open();
        EXPECT_EQ(text("lbllon2"), QString::fromUtf8(c.lon));
        EXPECT_EQ(text("lbllat2"), QString::fromUtf8(c.lat));
        EXPECT_EQ(text("lblele2"), QString::fromUtf8(c.ele));
        EXPECT_EQ(text("lblzon2"), QString::fromUtf8(c.zon));
        EXPECT_EQ(text("lblloc2"), QString::fromUtf8(c.loc).section('"', 1, 1));
    }
    EXPECT_EQ(window->windowTitle(), "Miqatix");
    EXPECT_FALSE(text("lbldat2").isEmpty());
}

TEST_F(AdhanWindow, EnglishKeepsTheDesign)
{
    open();
    EXPECT_EQ(window->findChild<QGroupBox*>("fraann")->title(), "It is Prayer Time Now!");
    EXPECT_EQ(text("lbldat"), "- Date:");
    EXPECT_EQ(text("lblzon"), "- Time Zone:");
    EXPECT_EQ(window->findChild<QPushButton*>("cmdclose")->text(), "&Close");
    // A caption's box that reached under its value in the design gives way.
    EXPECT_LT(label("lbllon")->geometry().right(), label("lbllon2")->x());
    EXPECT_GE(label("lbllon2")->x(), alerts::twipsToPixels(1440, window.get()));
    EXPECT_EQ(label("lblhead1")->font().family(), "Times New Roman");
}

TEST_F(AdhanWindow, ArabicLayout)
{
    setField("pref.zvd", 15, "#FALSE#");
    open();
    auto px = [this](int twips) { return alerts::twipsToPixels(twips, window.get()); };

    auto* frame = window->findChild<QGroupBox*>("fraann");
    EXPECT_EQ(frame->title(), "حان الآن موعد الصلاة");
    EXPECT_EQ(frame->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(label("lblhead1")->font().family(), "Simplified Arabic");
    EXPECT_EQ(label("lblhead1")->font().pointSize(), 20);
    // Where a caption needs more room than the design gives, the frame grows
    // to the left and everything in it moves right by as much.
    const int shift = label("lblhead1")->geometry().left() - px(310);
    EXPECT_GE(shift, 0);
    EXPECT_EQ(label("lblhead1")->width(), px(4500));

    struct Row {
        const char* name;
        bool rightToLeft;
        const char* text; // nullptr: the place text
        int left;
        int width;
    };
    const Row rows[] = {
        {"lbldat", true, "- التاريخ", 4170, 700},        {"lbldat2", false, nullptr, 2300, 1575},
        {"lbllon", true, "- خط الطول", 3980, 900},       {"lbllon2", false, nullptr, 2700, 1215},
        {"lbllat", true, "- خط العرض", 1200, 1000},      {"lbllat2", false, nullptr, 100, 1095},
        {"lblele", true, "- الإرتفاع م", 3880, 1000},    {"lblele2", false, nullptr, 2950, 855},
        {"lblzon", true, "- النطاق الزمني", 1000, 1200}, {"lblzon2", false, nullptr, 50, 855},
    };
    QLabel* caption = nullptr;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        QLabel* l = label(r.name);
        EXPECT_EQ(l->layoutDirection(), r.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        EXPECT_TRUE(l->alignment() & Qt::AlignRight);
        EXPECT_TRUE(l->alignment() & Qt::AlignAbsolute);
        if (r.text) {
            EXPECT_EQ(l->text(), QString::fromUtf8(r.text));
        }
        if (r.text) {
            // A caption wider than its box in the installed font keeps its
            // right edge and grows to the left.
            EXPECT_EQ(l->x() + l->width(), px(r.left) + px(r.width) + shift);
            EXPECT_GE(l->width(), px(r.width));
            caption = l;
        } else {
            // Its value, to its left, makes way rather than running into it.
            EXPECT_LT(l->geometry().right(), caption->x());
        }
    }
    EXPECT_EQ(text("lbllon2"), "39:49:34.0 E");
    EXPECT_EQ(window->findChild<QPushButton*>("cmdclose")->text(), "&إغلاق");
    EXPECT_EQ(window->findChild<QPushButton*>("cmdmin")->text(), "&خفض");
    // The heading belongs to the alert loop.
    EXPECT_EQ(label("lblhead")->layoutDirection(), Qt::LeftToRight);
}

TEST_F(AdhanWindow, StaysOnTopOnceShown)
{
    open();
    window->showOnTop();
    ASSERT_NE(window->windowHandle(), nullptr);
    EXPECT_TRUE(window->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window->isVisible());

    window->findChild<QPushButton*>("cmdmin")->click();
    EXPECT_TRUE(window->isMinimized());
    EXPECT_EQ(stops, 0);
}

TEST_F(AdhanWindow, MissingPlaceFileStops)
{
    std::filesystem::remove(file("loc.zvd"));
    EXPECT_THROW(open(), platform::FileFault);
}

} // namespace

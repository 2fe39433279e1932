// The Qibla window and the Qibla world map offscreen, by their controls'
// names, in both languages.
#include <cmath>

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>
#include <gtest/gtest.h>

#include "platform/qt/messagebox.h"
#include "platform/qt/textviewer.h"
#include "prayer/prayerfixture.h"
#include "settings/dialogs/dialogsupport.h"
#include "tools/frmqib.h"
#include "tools/frmqmap.h"
#include "tools/qibla.h"

namespace {

using dialogs::twips;
using prayertest::PrayerTest;

class QiblaWindowTest : public PrayerTest {
protected:
    void SetUp() override
    {
        PrayerTest::SetUp();
        platform::setMessageResponder([this](const platform::MessageRequest& r) {
            messages.push_back(r.text);
            return platform::MsgAnswer::Ok;
        });
        platform::setTextFileShower(
            [this](const platform::TextFileView& v) { shown.push_back(v.caption); });
        loc = prayertest::location({"London", 51.5074, -0.1278, 11, 0});
        date = prayertest::dates(2027, 6, 21, 2027, 6, 21);
    }
    void TearDown() override
    {
        platform::setMessageResponder({});
        platform::setTextFileShower({});
        PrayerTest::TearDown();
    }
    template <class T> T* child(QWidget& w, const char* name)
    {
        T* c = w.findChild<T*>(QLatin1String(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    std::vector<QString> messages, shown;
};

TEST_F(QiblaWindowTest, EnglishWindowShowsTheBearingThreeWays)
{
    save();
    frmqib w;
    EXPECT_EQ(w.objectName(), "frmqib");
    EXPECT_EQ(w.windowTitle(), "Qiblah Direction");
    for (const char* name :
         {"fraqib", "lblhead", "lblloc", "Shape1", "lbln", "lble", "lbls", "lblw", "lin1", "lblang",
          "Line1", "lblqibtim", "optsun", "optsha", "cmdqib", "cmdshowqmap", "cmdclose"})
        EXPECT_NE(w.findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
    EXPECT_FLOAT_EQ(w.qibang, 119.0f);
    EXPECT_EQ(child<QLabel>(w, "lblang")->text(), QStringLiteral("119° From True North"));
    EXPECT_EQ(child<QLabel>(w, "lblloc")->text(), "London");
    EXPECT_TRUE(child<QRadioButton>(w, "optsun")->isChecked());
    EXPECT_EQ(child<QPushButton>(w, "cmdshowqmap")->text(), "Show &Qiblah  Map");
    const double a = 119.0 * M_PI / 180;
    EXPECT_EQ(w.lin1->X1(), 3015);
    EXPECT_EQ(w.lin1->Y1(), 3000);
    EXPECT_EQ(w.lin1->X2(), std::lround(3015 + 960 * std::sin(a)));
    EXPECT_EQ(w.lin1->Y2(), std::lround(3000 - 960 * std::cos(a)));
    EXPECT_EQ(w.cmdclose->parentWidget(), &w);
    EXPECT_EQ(w.cmdqib->parentWidget(), w.fraqib);
}

TEST_F(QiblaWindowTest, NeedleOnTheKaabasMeridian)
{
    struct Case {
        double latitude;
        const char* text;
        int x2, y2;
    };
    // Due south of the Kaaba: straight up; due north: straight down.
    const Case cases[] = {{-10, "0° From True North", 3015, 2040},
                          {50, "180° From True North", 3015, 3960}};
    for (const Case& c : cases) {
        loc = prayertest::location({"Meridian", c.latitude, qibla::kKaabaLongitude, 0, 3});
        save();
        frmqib w;
        EXPECT_EQ(w.lblang->text(), QString::fromUtf8(c.text));
        EXPECT_EQ(w.lin1->X2(), c.x2);
        EXPECT_EQ(w.lin1->Y2(), c.y2);
    }
}

TEST_F(QiblaWindowTest, ArabicLayout)
{
    pref.eng = false;
    save();
    frmqib w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("اتجاه القبلة"));
    EXPECT_EQ(w.layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(w.lblhead->text(), QStringLiteral("اتجاه القبلة"));
    EXPECT_EQ(w.lblhead->font().family(), "arabic Transparent");
    EXPECT_EQ(w.lblhead->font().pointSize(), 24);
    EXPECT_EQ(w.lblang->text(), QStringLiteral("119° من الشمال الحقيقي"));
    // Close at the left end of the button row, the report button at the right
    // (growing to the left where its caption needs more room).
    EXPECT_EQ(w.cmdclose->x(), twips(660));
    EXPECT_EQ(w.cmdqib->x() + w.cmdqib->width(), twips(4000) + twips(1455));
    EXPECT_EQ(w.cmdclose->text(), QStringLiteral("إ&غلاق"));
    EXPECT_EQ(w.lbls->y(), twips(4100));
    EXPECT_EQ(w.optsun->layoutDirection(), Qt::RightToLeft);
}

TEST_F(QiblaWindowTest, MissingLocationStopsInBothLanguages)
{
    // Going on would show the bearing of longitude 0, latitude 0 as the user's.
    for (bool english : {true, false}) {
        pref.eng = english;
        save();
        std::filesystem::remove(file("loc.zvd"));
        EXPECT_THROW(frmqib w, platform::FileFault) << english;
    }
}

TEST_F(QiblaWindowTest, AtTheKaabaEveryDirectionAndNoReport)
{
    loc = prayertest::location({"Kaaba", qibla::kKaabaLatitude, qibla::kKaabaLongitude, 0, 3});
    // The degrees, minutes and seconds of the record must give the Kaaba
    // exactly: written as whole degrees with the fraction in the seconds.
    loc.longid = 39, loc.longim = 0, loc.longis = 0.8261167 * 3600;
    loc.latid = 21, loc.latim = 0, loc.latis = 0.42263 * 3600;
    save();
    frmqib w;
    EXPECT_FALSE(w.bearingDefined());
    EXPECT_EQ(w.lblang->text(), "Every direction is the Qiblah here");
    EXPECT_FALSE(w.lin1->isVisibleTo(&w));
    w.cmdqib->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].contains("not defined"));
    EXPECT_FALSE(std::filesystem::exists(file("results.out")));
}

TEST_F(QiblaWindowTest, ReportButtonWritesAndShowsResults)
{
    save();
    frmqib w;
    w.optsha->setChecked(true);
    w.cmdqib->click();
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "results.out");
    EXPECT_NE(get("results.out").find("SUN'S SHADOW"), std::string::npos);
}

TEST_F(QiblaWindowTest, MapButtonUsesTheMapItIsGiven)
{
    save();
    frmqib w;
    int shows = 0;
    w.showMap = [&shows] { ++shows; };
    w.cmdshowqmap->click();
    EXPECT_EQ(shows, 1);
}

TEST_F(QiblaWindowTest, MapWindowEnglishWithItsPicture)
{
    save();
    std::filesystem::copy_file(std::filesystem::path(MIQATIX_PICTURES_DIR) / kQiblaMapPicture,
                               file(kQiblaMapPicture));
    frmqmap m;
    EXPECT_EQ(m.objectName(), "frmqmap");
    EXPECT_EQ(m.windowTitle(), "Miqatix: Qiblah World Map");
    ASSERT_NE(child<QLabel>(m, "imgqmap"), nullptr);
    EXPECT_EQ(m.imgqmap->pixmap().size(), QSize(778, 450));
    EXPECT_EQ(m.imgqmap->geometry(), QRect(0, 0, twips(11670), twips(6750)));
    EXPECT_TRUE(m.lblqmap->text().startsWith("Red numbers at the top"));
    EXPECT_EQ(m.cmdclose->text(), "&Close");
    EXPECT_TRUE(m.windowFlags() & Qt::WindowStaysOnTopHint);
    m.show();
    m.showMinimized();
    m.showNormal();
    ASSERT_NE(m.windowHandle(), nullptr);
    EXPECT_TRUE(m.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    frmqmap::TopMost(&m, false);
    EXPECT_FALSE(m.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    m.resize(m.size());
    frmqmap::TopMost(&m, true);
    EXPECT_TRUE(m.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
}

TEST_F(QiblaWindowTest, MapWindowArabicLayout)
{
    pref.eng = false;
    save();
    frmqmap m;
    EXPECT_EQ(m.windowTitle(), QStringLiteral("Miqatix: خارطة العالم للقبلة"));
    EXPECT_EQ(m.layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(m.cmdclose->x(), twips(500));
    // The centred caption line keeps its centre, growing on both sides if
    // its font needs more room.
    EXPECT_NEAR(m.lblqmap->geometry().center().x(), twips(2800) + twips(8000) / 2, 2);
    EXPECT_GE(m.lblqmap->width(), twips(8000));
    EXPECT_EQ(m.cmdclose->text(), QStringLiteral("إ&غلاق"));
    EXPECT_GT(m.lblqmap->x(), m.cmdclose->x());
}

} // namespace

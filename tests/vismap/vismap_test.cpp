#include <cmath>
#include <filesystem>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "engine/modjul.h"
#include "lunar/qt/frmmap.h"
#include "lunar/vismapcompute.h"
#include "lunarfixture.h"

using namespace lunar;

TEST(MapCriteria, CodesAtTheirLimits)
{
    EXPECT_EQ(zivadMapCode(5.65), MapEasy);
    EXPECT_EQ(zivadMapCode(2), MapCouldNakedEye);
    EXPECT_EQ(zivadMapCode(-0.97), MapOpticalAid);
    EXPECT_EQ(zivadMapCode(-0.975), MapNotPossible);
    EXPECT_EQ(yallopMapCode(0.2161), MapEasy);
    EXPECT_EQ(yallopMapCode(0.216), MapPerfectSky);
    EXPECT_EQ(yallopMapCode(-0.014), MapCouldNakedEye);
    EXPECT_EQ(yallopMapCode(-0.16), MapOpticalAid);
    EXPECT_EQ(yallopMapCode(-0.232), MapNotPossible);
    // SAAO at DAZ = 0: limits 8.1912 and 6.2912 degrees.
    EXPECT_EQ(saaoMapCode(8.1912, 0), MapEasy);
    EXPECT_EQ(saaoMapCode(8.19, 0), MapOpticalAid);
    EXPECT_EQ(saaoMapCode(6.2912, 0), MapOpticalAid);
    EXPECT_EQ(saaoMapCode(6.29, 0), MapNotPossible);
    MapColour c;
    EXPECT_FALSE(mapCodeColour(MapNotPossible, c));
    ASSERT_TRUE(mapCodeColour(MapPerfectSky, c));
    EXPECT_EQ(c.r * 65536 + c.g * 256 + c.b, 0xFFC125);
}

// The new moon of 21 March 2023, 17:23 UT (TT about 69 s later).
class VisibilityMap : public lunartest::SeriesFolder {
protected:
    void SetUp() override
    {
        SeriesFolder::SetUp();
        jul(2023, 3, 21, 17.4, conj);
    }
    double conj = 0;
};

TEST_F(VisibilityMap, PrepareFindsTheConjunctionAndItsDays)
{
    VisibilityMapComputation m;
    m.prepare(conj + 1.5); // a day and a half off still converges
    EXPECT_NEAR(m.mapconj, conj - 0.02 / 24, 0.2 / 24);
    EXPECT_GT(m.mapdeltat, 60.0 / 86400);
    EXPECT_LT(m.mapdeltat, 80.0 / 86400);
    EXPECT_EQ(tdtmode, 0);
    double day0 = 0;
    jul(2023, 3, 21, 0, day0);
    EXPECT_DOUBLE_EQ(m.days[0], day0);
    EXPECT_DOUBLE_EQ(m.chosenDay(2, true), day0 + 2);
    EXPECT_DOUBLE_EQ(m.chosenDay(1, false), day0 - 1);
    EXPECT_DOUBLE_EQ(m.chosenDay(2, false), day0 - 2);
}

TEST_F(VisibilityMap, KnownPlaces)
{
    VisibilityMapComputation m;
    m.prepare(conj);
    struct Case {
        const char* what;
        double lon, lat;
        int dayOffset;
        bool newCrescent;
        int criterion;
        int code;
    } cases[] = {
        {"Mecca, evening before the conjunction", 40, 22, 0, true, CriterionZivad, MapImpossible},
        {"Mecca, two days old", 40, 22, 2, true, CriterionZivad, MapEasy},
        {"Mecca, two days old, Yallop", 40, 22, 2, true, CriterionYallop, MapEasy},
        {"Mecca, two days old, SAAO", 40, 22, 2, true, CriterionSaao, MapEasy},
        {"Americas, a day old", -80, 0, 1, true, CriterionZivad, MapEasy},
        {"old crescent after the conjunction", 40, 22, 1, false, CriterionZivad, MapImpossible},
    };
    for (const Case& c : cases) {
        const int code =
            m.EvaluateMapPoint(c.lon, c.lat, m.days[0] + c.dayOffset, c.newCrescent, c.criterion);
        EXPECT_EQ(code, c.code) << c.what;
        EXPECT_EQ(tdtmode, 0) << c.what;
    }
}

// A block whose probes agree is painted whole in their code; the fifth probe
// sits on the western edge for the new crescent, the eastern for the old.
TEST_F(VisibilityMap, BlocksAndTheirProbes)
{
    VisibilityMapComputation m;
    m.prepare(conj);
    struct Plot {
        double lon, lat;
        int code;
    };
    std::vector<Plot> plots;
    auto record = [&](double lon, double lat, int code) { plots.push_back({lon, lat, code}); };
    // Column 21 (30..38 E), row 3 (30..22 N): Middle East, two days old.
    m.drawBlock(
        21, 3, m.days[0] + 2, true, [] { return 0; }, record);
    ASSERT_EQ(plots.size(), 30u);
    EXPECT_EQ(plots[4].lon, 30);
    EXPECT_EQ(plots[4].lat, 26);
    for (const Plot& p : plots)
        EXPECT_EQ(p.code, MapEasy);
    plots.clear();
    m.drawBlock(
        21, 3, m.days[0] - 1, false, [] { return 0; }, record);
    EXPECT_EQ(plots[4].lon, 38);
    EXPECT_GE(plots.size(), 25u);
}

namespace {

class MapWindow : public lunartest::SeriesFolder {
protected:
    void SetUp() override
    {
        SeriesFolder::SetUp();
        std::filesystem::copy_file(MIQATIX_MAP_GIF, file("map.gif"));
        jul(2023, 3, 21, 17.42, conjjde);
        newold = "New";
    }
};

} // namespace

TEST_F(MapWindow, LoadsReadsTheMouseDrawsAndSaves)
{
    auto* w = new frmmap;
    w->show();
    EXPECT_EQ(w->findChild<QComboBox*>("cbocri")->currentText(), "Zivad");
    EXPECT_EQ(w->findChild<QRadioButton*>("opt0")->text(), "21 March 2023");
    EXPECT_EQ(w->findChild<QRadioButton*>("opt2")->text(), "23 March 2023");

    struct Mouse {
        int x, y;
        const char* text;
    } mice[] = {
        {374, 206, "Mouse Position: Long: 000.0, Lat: 00.0"},
        {1, 20, "Mouse Position: Long: -179.9, Lat: 90.0"},
        {0, 100, "Mouse Position: Long: , Lat: "},
        {300, 19, "Mouse Position: Long: , Lat: "},
    };
    for (const Mouse& m : mice) {
        w->pic_MouseMove(m.x, m.y);
        EXPECT_EQ(w->lblmouse->text(), m.text) << m.x << "," << m.y;
    }

    // Saving before a drawing offers an empty name; a name without an
    // extension gets ".gif".
    QString offered = "unset";
    frmmap::setSaveDialog([&](QWidget*, const QString&, const QString& name) {
        offered = name;
        return QString::fromStdString(file("before").string());
    });
    w->cmdsave_Click();
    EXPECT_EQ(offered, "");
    EXPECT_FALSE(QImage(QString::fromStdString(file("before.gif").string())).isNull());

    w->findChild<QRadioButton*>("opt2")->setChecked(true);
    w->cmddraw_Click();
    EXPECT_TRUE(w->cmddraw->isEnabled());
    EXPECT_TRUE(w->lblinf->text().startsWith("New Crescent Visibility\r\nZivad Criterion\r\n"));
    EXPECT_TRUE(w->lblinf->text().endsWith("Thursday\r\n23 March 2023"));
    EXPECT_EQ(w->maptitle, "Ramadan 1444");
    // Mecca two days after the conjunction: a green circle around its place.
    const QImage& img = w->pic->image;
    EXPECT_EQ(img.pixel(qRound(mapX(40) + 2), qRound(mapY(22))) & 0xFFFFFF, 0x008B00u);

    frmmap::setSaveDialog([&](QWidget*, const QString&, const QString& name) {
        offered = name;
        return QString::fromStdString(file("map.jpeg").string());
    });
    w->cmdsave_Click();
    EXPECT_EQ(offered, "Ramadan 1444");
    const QImage saved(QString::fromStdString(file("map..gif").string()));
    ASSERT_FALSE(saved.isNull());
    EXPECT_FALSE(std::filesystem::exists(file("map.jpeg")));
    // The labels' smoothed text brings more than 256 colours: the colour cube's green.
    EXPECT_EQ(saved.pixel(qRound(mapX(40) + 2), qRound(mapY(22))) & 0xFFFFFF, 0x008000u);

    // Stop Drawing while idle does not cut the next drawing short, and puts
    // Zivad back in the list.
    w->cbocri->setCurrentIndex(2);
    w->cmdstop_Click();
    EXPECT_FALSE(w->stopflag);
    EXPECT_EQ(w->cbocri->currentIndex(), 0);
    frmmap::setSaveDialog({});
    w->close();
    QApplication::processEvents();
}

#include <cmath>
#include <filesystem>

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "engine/modjul.h"
#include "lunar/frmmap.h"
#include "lunar/vismapcompute.h"
#include "lunarfixture.h"
#include "platform/eventloop.h"
#include "platform/qt/messagebox.h"
#include "sharedwindows/frmwait.h"

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
        // Between two blocks the drawing hands control to the message loop.
        platform::setEventProcessor([] { QCoreApplication::processEvents(); });
        oldResponder_ = platform::setMessageResponder([this](const platform::MessageRequest& r) {
            messages.push_back(r);
            return answer;
        });
    }
    void TearDown() override
    {
        platform::setMessageResponder(oldResponder_);
        platform::setEventProcessor({});
        frmmap::setSaveDialog({});
        SeriesFolder::TearDown();
    }

    void useArabic()
    {
        std::string pref = get("pref.zvd");
        pref.replace(pref.find("#TRUE#"), 6, "#FALSE#");
        put("pref.zvd", pref);
    }
    // The save dialog answers with `name` in the program folder.
    void chooseName(const std::string& name)
    {
        const QString path = QString::fromStdString(file(name).string());
        frmmap::setSaveDialog([path](QWidget*, const QString&, const QString&) { return path; });
    }
    // A drawing of the chosen day, stopped after its first block.
    static void drawFirstBlock(frmmap& w)
    {
        QTimer::singleShot(0, &w, [&w] { w.stopflag = true; });
        w.cmddraw_Click();
    }

    std::vector<platform::MessageRequest> messages;
    platform::MsgAnswer answer = platform::MsgAnswer::Yes;

private:
    platform::MessageResponder oldResponder_;
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
    EXPECT_TRUE(w->lblinf->text().startsWith("New Crescent Visibility\nZivad Criterion\n"));
    EXPECT_TRUE(w->lblinf->text().endsWith("Thursday\n23 March 2023"));
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
    EXPECT_EQ(saved.pixel(qRound(mapX(40) + 2), qRound(mapY(22))) & 0xFFFFFF, 0x008B00u);

    // Stop Drawing while idle does not cut the next drawing short, and puts
    // Zivad back in the list.
    w->cbocri->setCurrentIndex(2);
    w->cmdstop_Click();
    EXPECT_FALSE(w->stopflag);
    EXPECT_EQ(w->cbocri->currentIndex(), 0);
    w->close();
    QApplication::processEvents();
}

// The drawing shows its progress by its circles alone: no progress window takes
// the keyboard, so Stop Drawing's access key ends it between two blocks. The
// one-run guard still holds while it runs.
TEST_F(MapWindow, DrawsWithoutTheProgressWindowAndStopsByItsAccessKey)
{
    auto* w = new frmmap;
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    const QImage bare = w->pic->image;
    bool drawing = false, progressWindow = true, guarded = false;
    // The button takes its click a moment after the key (as a click shows
    // itself pressed); what the map holds then is what it keeps.
    bool clickedWhileDrawing = false;
    QImage atClick;
    QObject::connect(w->cmdstop, &QPushButton::clicked, w, [&] {
        clickedWhileDrawing = w->drawing();
        atClick = w->pic->image;
    });
    QTimer::singleShot(0, w, [&] {
        drawing = w->drawing();
        progressWindow = frmwait::isLoaded();
        guarded = LongComputation::running();
        QTest::keyClick(w->windowHandle(), Qt::Key_T, Qt::AltModifier);
    });
    w->cmddraw_Click();
    EXPECT_TRUE(drawing);
    EXPECT_FALSE(progressWindow);
    EXPECT_TRUE(guarded);
    EXPECT_FALSE(w->drawing());
    EXPECT_FALSE(LongComputation::running());
    EXPECT_TRUE(w->cmddraw->isEnabled());
    // The drawing ended at the block it was on: not one circle after the
    // click, however fast the machine draws.
    EXPECT_TRUE(clickedWhileDrawing);
    EXPECT_EQ(w->pic->image, atClick);
    EXPECT_NE(bare, w->pic->image);
    w->close();
    QApplication::processEvents();
}

// The saved GIF keeps the colours the window shows: every pixel of the map
// above the labels (sea, land, grid and circles) and the labels' blue, in
// both languages.
TEST_F(MapWindow, SavedGifKeepsTheMapsColours)
{
    for (bool english : {true, false}) {
        if (!english)
            useArabic();
        auto* w = new frmmap;
        w->show();
        w->cbocri->setCurrentIndex(CriterionYallop);
        w->opt1->setChecked(true);
        w->cmddraw_Click();
        chooseName("saved.gif");
        w->cmdsave_Click();
        const QImage saved = QImage(QString::fromStdString(file("saved.gif").string()))
                                 .convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(saved.size(), w->pic->size()) << english;
        const QImage& shown = w->pic->image;
        const int labelsTop = std::min(w->lblinf->y(), w->lblleg->y());
        int differing = 0;
        for (int y = 0; y < labelsTop; ++y)
            for (int x = 0; x < shown.width(); ++x)
                differing += saved.pixel(x, y) != shown.pixel(x, y);
        EXPECT_EQ(differing, 0) << english;
        // A few named ones: sea, land, the circles of Yallop's codes.
        // Off the grid lines and north of the plotted places: the Chukchi Sea
        // and Siberia.
        const QPoint sea(qRound(mapX(-170)), qRound(mapY(75))),
            land(qRound(mapX(95)), qRound(mapY(65)));
        EXPECT_EQ(saved.pixel(sea), shown.pixel(sea)) << english;
        EXPECT_EQ(saved.pixel(land), shown.pixel(land)) << english;
        EXPECT_NE(shown.pixel(sea), shown.pixel(land));
        EXPECT_EQ(saved.pixel(w->lblleg->geometry().topLeft() + QPoint(1, 1)) & 0xFFFFFF,
                  0x0000C0u);
        w->close();
        QApplication::processEvents();
    }
}

// The name written follows the dialog's name by the four-character rule; an
// existing file under that name is asked about, and a No keeps it.
TEST_F(MapWindow, SaveAsksAboutTheFileActuallyWritten)
{
    struct Case {
        const char* typed;
        const char* written;
    } cases[] = {
        {"short.jp", "shor.gif"}, {"map2.jpeg", "map2..gif"}, {"plain", "plain.gif"},
        {"same.gif", "same.gif"}, {"a.b", "a.gif"},           {"ab.c", "ab.gif"},
    };
    auto* w = new frmmap;
    w->show();
    for (const Case& c : cases) {
        const QString dir = QString::fromStdString(folder().string());
        EXPECT_EQ(frmmap::gifPathFor(dir + "/" + c.typed), dir + "/" + c.written) << c.typed;
        put(c.written, "kept");
        chooseName(c.typed);
        messages.clear();
        answer = platform::MsgAnswer::No;
        w->cmdsave_Click();
        ASSERT_EQ(messages.size(), 1u) << c.typed;
        EXPECT_EQ(messages[0].buttons, platform::MsgButtons::YesNo);
        EXPECT_EQ(messages[0].title, "Miqatix (Visibility Map)");
        EXPECT_TRUE(messages[0].text.contains(c.written)) << c.typed;
        EXPECT_EQ(get(c.written), "kept") << c.typed;
        answer = platform::MsgAnswer::Yes;
        w->cmdsave_Click();
        EXPECT_FALSE(QImage(QString::fromStdString(file(c.written).string())).isNull()) << c.typed;
        EXPECT_FALSE(std::filesystem::exists(file(c.typed)) && std::string(c.typed) != c.written);
    }
    // Nothing there: written without a question.
    messages.clear();
    chooseName("new.jpeg");
    w->cmdsave_Click();
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(std::filesystem::exists(file("new..gif")));
    // In Arabic the question is wholly Arabic.
    w->close();
    QApplication::processEvents();
    useArabic();
    w = new frmmap;
    w->show();
    messages.clear();
    chooseName("short.jp");
    w->cmdsave_Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].rightToLeft);
    // The program's name stays as it is.
    EXPECT_EQ(messages[0].title, QString::fromUtf8("Miqatix (خارطة رؤية الهلال)"));
    w->close();
    QApplication::processEvents();
}

// The map's messages name the file they are about: saved a second time under
// the name it offers (an Arabic month's), and a save that fails. In Arabic
// the path is one left-to-right run inside the sentence, as the file system
// writes it; in English it is as it is.
TEST_F(MapWindow, APathInItsMessagesReadsAsOneRun)
{
    const std::string name = "صفر 1449";
    struct Case {
        const char* what;
        std::filesystem::path chosen; // what the dialog answers
        bool exists;                  // a file of that name is there already
        platform::MsgButtons buttons;
    };
    const Case cases[] = {
        {"saved again", file(name), true, platform::MsgButtons::YesNo},
        {"into a folder that is not there", folder() / "gone" / name, false,
         platform::MsgButtons::Ok},
    };
    const QChar isolate(0x2066), popIsolate(0x2069);
    for (bool english : {true, false}) {
        if (!english)
            useArabic();
        auto* w = new frmmap;
        w->show();
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (english ? ", English" : ", Arabic"));
            const QString chosen = QString::fromStdString(c.chosen.string());
            const QString written = chosen + QStringLiteral(".gif");
            if (c.exists)
                put(name + ".gif", "kept");
            frmmap::setSaveDialog(
                [chosen](QWidget*, const QString&, const QString&) { return chosen; });
            messages.clear();
            answer = platform::MsgAnswer::No;
            w->cmdsave_Click();
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].buttons, c.buttons);
            const QString& text = messages[0].text;
            if (english) {
                EXPECT_TRUE(text.contains(written)) << text.toStdString();
                EXPECT_FALSE(text.contains(isolate) || text.contains(popIsolate))
                    << text.toStdString();
            } else {
                EXPECT_TRUE(text.contains(isolate + written + popIsolate)) << text.toStdString();
                EXPECT_EQ(text.count(isolate), 1) << text.toStdString();
                EXPECT_EQ(text.count(popIsolate), 1) << text.toStdString();
            }
        }
        w->close();
        QApplication::processEvents();
    }
}

// Each legend and the information label lie on the white band under the map
// in both languages, never over the map or each other, and the mouse read-out
// holds its widest text. (Their lines as drawn, in the program's faces: the
// map case of tests/textfit.)
TEST_F(MapWindow, LabelsShowEveryLine)
{
    for (bool english : {true, false}) {
        if (!english)
            useArabic();
        auto* w = new frmmap;
        w->show();
        for (int criterion : {CriterionZivad, CriterionYallop, CriterionSaao}) {
            w->cbocri->setCurrentIndex(criterion);
            drawFirstBlock(*w);
            for (QLabel* label : {w->lblinf, w->lblleg}) {
                const QString what = label->objectName() + " " + QString::number(criterion) +
                                     (english ? " English" : " Arabic");
                EXPECT_GT(label->y(), mapY(-90)) << what.toStdString();
                EXPECT_LT(label->geometry().bottom(), w->pic->height()) << what.toStdString();
            }
            EXPECT_EQ(w->lblleg->text().count('\n'), criterion == CriterionYallop  ? 6
                                                     : criterion == CriterionZivad ? 5
                                                                                   : 4);
            EXPECT_FALSE(w->lblinf->geometry().intersects(w->lblleg->geometry()));
        }
        w->pic_MouseMove(1, 391);
        EXPECT_TRUE(w->lblmouse->text().contains("-179.9"));
        EXPECT_TRUE(w->lblmouse->text().contains("-89.5"));
        const QSize need = QFontMetrics(w->lblmouse->font()).size(0, w->lblmouse->text());
        EXPECT_LE(need.width(), w->lblmouse->contentsRect().width()) << english;
        EXPECT_GE(w->lblmouse->x(), 0);
        EXPECT_LE(w->lblmouse->geometry().right(), w->width());
        w->close();
        QApplication::processEvents();
    }
}

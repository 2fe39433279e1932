// The telescope window, driven offscreen by its controls' names: restoring
// tele.zvd, the calculation and its picture, the flips, the Moon test, Now,
// Close and the Arabic layout.
#include <chrono>
#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/eventloop.h"
#include "support/signedtext.h"
#include "telescopefixture.h"
#include "tools/frmtele.h"
#include "tools/telescope.h"

using namespace hijritele;

namespace {

const char* const kValueLabels[] = {"lblsunrav",  "lblsundecv",  "lblsunaltv",  "lblsunazmv",
                                    "lblmoonrav", "lblmoondecv", "lblmoonaltv", "lblmoonazmv",
                                    "lblcrsrav",  "lblcrsdecv",  "lblcrsaltv",  "lblcrsazmv"};

class FrmteleTest : public TelescopeTest {
protected:
    std::unique_ptr<frmtele> open()
    {
        auto w = std::make_unique<frmtele>();
        w->show();
        QApplication::processEvents();
        return w;
    }

    static void enter(QWidget* w, const char* year, const char* month, const char* day,
                      const char* hour, const char* minute)
    {
        child<QLineEdit>(w, "txtyear")->setText(year);
        child<QComboBox>(w, "cbomonth")->setEditText(month);
        child<QComboBox>(w, "cboday")->setEditText(day);
        child<QComboBox>(w, "cbohour")->setEditText(hour);
        child<QComboBox>(w, "cbominutes")->setEditText(minute);
    }

    static QStringList values(QWidget* w)
    {
        QStringList out;
        for (const char* name : kValueLabels)
            out << child<QLabel>(w, name)->text();
        return out;
    }

    static QStringList expectedValues(const tools::TelescopePointing& p)
    {
        QStringList out;
        for (const tools::SkyPoint* point : {&p.sun, &p.moon, &p.crescent}) {
            const tools::PointingTexts t = tools::pointingTexts(*point);
            for (const std::string* s : {&t.ra, &t.dec, &t.alt, &t.azm})
                out << QString::fromStdString(*s);
        }
        return out;
    }

    QImage shownPicture(QWidget* w) const
    {
        return child<QLabel>(w, "pctcresimg")
            ->pixmap()
            .toImage()
            .convertToFormat(QImage::Format_ARGB32);
    }

    QImage picture(const std::string& name) const
    {
        return QImage(QString::fromStdString((folder() / "images" / (name + ".gif")).string()))
            .convertToFormat(QImage::Format_ARGB32);
    }

    MessageRecorder recorder;
};

} // namespace

TEST_F(FrmteleTest, RestoresTheSettingsWithoutCalculating)
{
    put("tele.zvd", "2020,5,24,19,30,#FALSE#,#TRUE#,#FALSE#,#TRUE#,1,0\r\n");
    auto w = open();
    EXPECT_EQ(w->windowTitle(), "Miqatix: Telescope Control");
    EXPECT_EQ(child<QLineEdit>(w.get(), "txtyear")->text(), "2020");
    EXPECT_EQ(child<QComboBox>(w.get(), "cbomonth")->currentText(), "5");
    EXPECT_EQ(child<QComboBox>(w.get(), "cboday")->currentText(), "24");
    EXPECT_EQ(child<QComboBox>(w.get(), "cbohour")->currentText(), "19");
    EXPECT_EQ(child<QComboBox>(w.get(), "cbominutes")->currentText(), "30");
    EXPECT_TRUE(child<QRadioButton>(w.get(), "optref")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(w.get(), "optj2000")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(w.get(), "chkflpv")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(w.get(), "chkflph")->isChecked());
    EXPECT_EQ(values(w.get()).mid(0, 4),
              QStringList({"NA:NA:NA", "+NA:NA:NA", "NA:NA:NA", "NA:NA:NA"}));
    EXPECT_TRUE(child<QLabel>(w.get(), "pctcresimg")->pixmap().isNull());
    EXPECT_TRUE(child<QLabel>(w.get(), "lblnote")
                    ->text()
                    .startsWith("* It is very important to read the help file"));
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(FrmteleTest, CalculateShowsThePointingAndTheOrientationPicture)
{
    auto w = open();
    enter(w.get(), "2020", "5", "24", "19", "30");
    child<QPushButton>(w.get(), "cmdcalc")->click();

    tools::TelescopePointing p;
    ASSERT_TRUE(tools::telescopePointing(
        [] {
            tools::TelescopeInput in;
            in.year = 2020, in.month = 5, in.day = 24, in.hour = 19, in.minute = 30;
            return in;
        }(),
        p));
    EXPECT_EQ(values(w.get()), expectedValues(p));
    EXPECT_DOUBLE_EQ(w->crsang, p.crsang);
    // An evening crescent at 197 degrees: the 200 degree picture.
    EXPECT_EQ(tools::crescentPictureName(p.crsang, false, false), "200");
    EXPECT_EQ(shownPicture(w.get()).size(), QSize(72, 72));
    EXPECT_EQ(shownPicture(w.get()), picture("200"));

    // A flip box changes the picture and nothing else.
    const QStringList shown = values(w.get());
    child<QCheckBox>(w.get(), "chkflph")->click();
    EXPECT_EQ(shownPicture(w.get()), picture("200h"));
    child<QCheckBox>(w.get(), "chkflpv")->click();
    EXPECT_EQ(shownPicture(w.get()), picture("200hv"));
    EXPECT_EQ(values(w.get()), shown);

    // Refracted runs the calculation again: altitudes rise, azimuths stay.
    child<QRadioButton>(w.get(), "optref")->click();
    const QStringList refracted = values(w.get());
    EXPECT_NE(refracted[6], shown[6]); // the Moon's altitude
    EXPECT_EQ(refracted[7], shown[7]); // its azimuth
    child<QRadioButton>(w.get(), "optj2000")->click();
    EXPECT_NE(values(w.get())[4], refracted[4]); // the Moon's right ascension
    EXPECT_EQ(values(w.get())[6], refracted[6]);
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(FrmteleTest, AMoonBelowTheHorizonIsSaidAndChangesNothing)
{
    auto w = open();
    enter(w.get(), "2020", "5", "24", "19", "30");
    child<QPushButton>(w.get(), "cmdcalc")->click();
    const QStringList shown = values(w.get());
    const QImage picture = shownPicture(w.get());

    enter(w.get(), "2011", "3", "21", "18", "30");
    child<QPushButton>(w.get(), "cmdcalc")->click();
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, "Moon is Below Horizon");
    EXPECT_EQ(recorder.messages[0].title, "Moon is Invisible");
    EXPECT_EQ(recorder.messages[0].icon, platform::MsgIcon::Warning);
    EXPECT_EQ(values(w.get()), shown);
    EXPECT_EQ(shownPicture(w.get()), picture);
}

// The tool computes for the years -1999 to 3000, judged on the instant after
// the zone in universal time (its TT may pass into 3001); beyond them the
// coordinates it showed looked ordinary and were none. The refusal says so in
// the interface language, names the year box, and the zone where it is the
// zone that carries the instant out, every sign in front of its digits, and
// leaves the values as they were.
TEST_F(FrmteleTest, DatesBeyondTheComputableYearsAreRefusedInEitherLanguage)
{
    const std::string mecca = get("loc.zvd").substr(0, get("loc.zvd").find('\r'));
    const auto inZone = [&](const char* zone) {
        put("loc.zvd", testsupport::withField(mecca, 9, zone) + "\r\n");
    };
    struct Case {
        const char *year, *month, *day, *hour, *minute, *zone;
        const char* names; // the telling piece of the English refusal
    } refused[] = {
        {"-2000", "12", "31", "23", "59", "3", "The year -2000 in the Year box"},
        // 3001 from its 3 h three hours east: until then it is 3000 in
        // universal time, and computed.
        {"3001", "1", "1", "3", "1", "3", "The year 3001 in the Year box"},
        {"1e15", "1", "1", "0", "0", "3", "The year 1e+15 in the Year box"},
        {"-70000", "1", "1", "0", "0", "3", "The year -70000 in the Year box"},
        {"2011", "3", "1e15", "18", "30", "3", "The date and time in the boxes"}, // many digits
        // A local date within the span whose instant leaves it.
        {"3000", "12", "31", "23", "0", "-12",
         "at the zone -12 of loc.zvd (field 9), the date and time is 01/01/3001 11:00 in "
         "universal time"},
        {"-1999", "1", "1", "2", "0", "3",
         "at the zone +3 of loc.zvd (field 9), the date and time is 31/12/-2000 23:00 in "
         "universal time"},
    };
    for (bool english : {true, false}) {
        put("pref.zvd", english ? kEnglishPrefs : kArabicPrefs);
        for (const Case& c : refused) {
            SCOPED_TRACE(std::string(c.year) + "-" + c.day + " zone " + c.zone +
                         (english ? " English" : " Arabic"));
            inZone(c.zone);
            auto w = open();
            QApplication::setActiveWindow(w.get());
            const QStringList before = values(w.get());
            enter(w.get(), c.year, c.month, c.day, c.hour, c.minute);
            recorder.messages.clear();
            child<QPushButton>(w.get(), "cmdcalc")->click();
            ASSERT_EQ(recorder.messages.size(), 1u);
            const platform::MessageRequest& m = recorder.messages[0];
            if (english) {
                EXPECT_TRUE(m.text.contains(QString::fromUtf8(c.names))) << m.text.toStdString();
                EXPECT_TRUE(
                    m.text.endsWith(QStringLiteral("Please enter a date from the year -1999 to the "
                                                   "year 3000 in universal time.")));
            } else {
                EXPECT_EQ(testsupport::signsOnTheFarSide(m.text), QStringList{});
                EXPECT_TRUE(m.text.endsWith(QStringLiteral("بالتوقيت العالمي")));
            }
            EXPECT_EQ(m.rightToLeft, !english);
            EXPECT_EQ(values(w.get()), before);
            EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(w.get(), "txtyear"));
        }
        // The first and the last day of the span are computed, three hours
        // east from 3 h of the first (0 h UT) and to the last hour of the
        // last: at some hour of each the Moon is up and its coordinates are
        // shown.
        inZone("3");
        const struct {
            const char* day;
            int firstHour;
        } ends[] = {{"-1999/1/1", 3}, {"3000/12/31", 0}};
        for (const auto& end : ends) {
            const QStringList parts = QString::fromLatin1(end.day).split('/');
            auto w = open();
            bool shown = false;
            for (int hour = end.firstHour; hour < 24 && !shown; ++hour) {
                enter(w.get(), parts[0].toLatin1(), parts[1].toLatin1(), parts[2].toLatin1(),
                      QByteArray::number(hour), "0");
                recorder.messages.clear();
                child<QPushButton>(w.get(), "cmdcalc")->click();
                shown = recorder.messages.empty();
                if (!shown) {
                    ASSERT_EQ(recorder.messages.size(), 1u) << end.day;
                    EXPECT_EQ(recorder.messages[0].title, english
                                                              ? QStringLiteral("Moon is Invisible")
                                                              : QStringLiteral("القمر غير موجود"))
                        << end.day;
                }
            }
            EXPECT_TRUE(shown) << end.day;
            EXPECT_FALSE(values(w.get()).join("").contains("NA")) << end.day;
        }
        // The last minutes of the span are computed, not refused: three
        // hours east, and at zone 0, where TT is already 3001.
        for (const char* zone : {"3", "0"}) {
            inZone(zone);
            auto w = open();
            enter(w.get(), "3000", "12", "31", "23", zone[0] == '0' ? "30" : "59");
            recorder.messages.clear();
            child<QPushButton>(w.get(), "cmdcalc")->click();
            for (const platform::MessageRequest& m : recorder.messages)
                EXPECT_NE(m.title, english ? QStringLiteral("Date Error") : QStringLiteral("خطأ"))
                    << zone;
        }
    }
}

// A number beyond the double range in any box is refused, naming the box,
// by Calculate and by Close, which then saves nothing and stays open.
TEST_F(FrmteleTest, ANumberThatOverflowsIsRefusedNamingItsBox)
{
    const struct {
        const char* box;
        const char* english;
        const char* arabic;
    } boxes[] = {
        {"txtyear", "Year", "السنة"},         {"cbomonth", "Month", "الشهر"},
        {"cboday", "Day", "اليوم"},           {"cbohour", "Hour", "الساعة"},
        {"cbominutes", "Minutes", "الدقيقة"},
    };
    const std::string saved = get("tele.zvd");
    for (bool english : {true, false}) {
        put("pref.zvd", english ? kEnglishPrefs : kArabicPrefs);
        for (const auto& b : boxes) {
            SCOPED_TRACE(std::string(b.box) + (english ? " English" : " Arabic"));
            auto w = open();
            QApplication::setActiveWindow(w.get());
            enter(w.get(), "2020", "5", "24", "19", "30");
            if (auto* line = w->findChild<QLineEdit*>(QLatin1String(b.box)))
                line->setText("1e309");
            else
                child<QComboBox>(w.get(), b.box)->setEditText("1e309");
            for (const char* button : {"cmdcalc", "cmdclose"}) {
                recorder.messages.clear();
                child<QPushButton>(w.get(), button)->click();
                ASSERT_EQ(recorder.messages.size(), 1u) << button;
                EXPECT_EQ(recorder.messages[0].text,
                          english ? QStringLiteral("The number in the %1 box is too large.")
                                        .arg(QLatin1String(b.english))
                                  : QStringLiteral("الرقم في خانة %1 كبير جدا")
                                        .arg(QString::fromUtf8(b.arabic)));
                EXPECT_EQ(QApplication::focusWidget()->objectName(), QLatin1String(b.box));
            }
            EXPECT_TRUE(w->isVisible());
            EXPECT_EQ(values(w.get()).join("").count("NA"), 36); // nothing computed
            EXPECT_EQ(get("tele.zvd"), saved);
        }
    }
}

TEST_F(FrmteleTest, NowTakesTheClockAndCalculates)
{
    const auto instant = std::chrono::system_clock::time_point(std::chrono::seconds(
        QDateTime(QDate(2020, 5, 24), QTime(16, 30), Qt::UTC).toSecsSinceEpoch()));
    platform::setClock([instant] { return instant; });
    auto w = open();
    child<QPushButton>(w.get(), "cmdnow")->click();
    platform::setClock({});
    const QDateTime local = QDateTime(QDate(2020, 5, 24), QTime(16, 30), Qt::UTC).toLocalTime();
    EXPECT_EQ(child<QLineEdit>(w.get(), "txtyear")->text(), QString::number(local.date().year()));
    EXPECT_EQ(child<QComboBox>(w.get(), "cboday")->currentText(),
              QString::number(local.date().day()));
    EXPECT_EQ(child<QComboBox>(w.get(), "cbohour")->currentText(),
              QString::number(local.time().hour()));
    EXPECT_EQ(child<QComboBox>(w.get(), "cbominutes")->currentText(), "30");
    // Calculated: values on show, or the Moon's message at that hour.
    const bool calculated = !child<QLabel>(w.get(), "lblsunrav")->text().startsWith("NA");
    EXPECT_TRUE(calculated || recorder.messages.size() == 1);
}

TEST_F(FrmteleTest, CloseSavesTheControlsAndAFailedSaveKeepsTheWindow)
{
    auto w = open();
    enter(w.get(), "2024", "12", "31", "23", "59");
    child<QRadioButton>(w.get(), "optref")->click();
    child<QCheckBox>(w.get(), "chkflph")->click();
    recorder.messages.clear(); // the clicks' calculations may find the Moon down

    testsupport::FailingWriter failing("No space left on device");
    platform::FileWriter* old = platform::setFileWriter(&failing);
    child<QPushButton>(w.get(), "cmdclose")->click();
    platform::setFileWriter(old);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_TRUE(recorder.messages[0].text.contains("tele.zvd"));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(get("tele.zvd"), "2011,3,21,18,30,#TRUE#,#FALSE#,#TRUE#,#FALSE#,0,0\r\n");

    child<QPushButton>(w.get(), "cmdclose")->click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(get("tele.zvd"), "2024,12,31,23,59,#FALSE#,#TRUE#,#TRUE#,#FALSE#,0,1\r\n");
}

TEST_F(FrmteleTest, AMissingPictureStopsTheProgram)
{
    std::filesystem::remove_all(folder() / "images");
    auto w = open();
    enter(w.get(), "2020", "5", "24", "19", "30");
    EXPECT_THROW(w->cmdcalc_Click(), platform::FileFault);
}

TEST_F(FrmteleTest, ArabicCaptionsAndRightToLeft)
{
    put("pref.zvd", kArabicPrefs);
    auto w = open();
    EXPECT_EQ(w->windowTitle(), "Miqatix: تحكم التلسكوب");
    EXPECT_EQ(w->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(child<QGroupBox>(w.get(), "fratele")->title(), "القائمة الرئيسة");
    EXPECT_EQ(child<QPushButton>(w.get(), "cmdcalc")->text(), "إ&حسب");
    EXPECT_EQ(child<QRadioButton>(w.get(), "optair")->text(), "بدون انكسار");
    EXPECT_EQ(child<QRadioButton>(w.get(), "optnow")->text(), "JNow");
    EXPECT_EQ(child<QCheckBox>(w.get(), "chkflph")->text(), "قلب &أفقي");
    EXPECT_EQ(child<QLabel>(w.get(), "lblmoondec")->text(), "الميل");
    EXPECT_EQ(child<QGroupBox>(w.get(), "fracres")->title(), "إحداثيات الهلال");
    EXPECT_TRUE(child<QLabel>(w.get(), "lblnote")->text().contains("\n\n\n"));

    enter(w.get(), "2011", "3", "21", "18", "30");
    child<QPushButton>(w.get(), "cmdcalc")->click();
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, "القمر تحت الأفق");
    EXPECT_EQ(recorder.messages[0].title, "القمر غير موجود");
}

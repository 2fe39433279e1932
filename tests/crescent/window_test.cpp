// The crescent-visibility window: restoring and saving visib.zvd, the preview
// that enables Calculate and Map and the changes that withdraw it, the
// captions that follow the crescent, the Arabic layout, and the buttons.
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "crescentfixture.h"
#include "lunar/frmcresv.h"
#include "lunar/visibsettings.h"
#include "platform/filewriter.h"
#include "platform/qt/textviewer.h"
#include "sharedwindows/windowregistry.h"
#include "support/signedtext.h"

namespace {

using namespace crescenttest;

// Fails the writes of one file; others go through.
class FailingWriter : public platform::FileWriter {
public:
    explicit FailingWriter(std::string name) : name_(std::move(name)) {}
    bool replaceFile(const std::filesystem::path& file, const std::string& contents,
                     std::string& error) override
    {
        if (file.filename() == name_) {
            error = "No space left on device";
            return false;
        }
        platform::FileWriter* self = platform::setFileWriter(nullptr);
        const bool ok = platform::fileWriter().replaceFile(file, contents, error);
        platform::setFileWriter(self);
        return ok;
    }

private:
    std::string name_;
};

// visib.zvd for 23 May 2020, new crescent, geocentric, one day after, best time.
const char* const kMay2020 = "\"23\",\"5\",\"2020\",#TRUE#,#TRUE#,#FALSE#,#TRUE#,#FALSE#,#FALSE#,"
                             "#FALSE#,#TRUE#,#FALSE#,\"18\",\"30\",#TRUE#,#FALSE#,8,\"1441\"\r\n";

class WindowTest : public CrescentTest {
protected:
    void SetUp() override
    {
        CrescentTest::SetUp();
        put("visib.zvd", kMay2020);
    }
    void TearDown() override
    {
        windows::setFactory("frmmap", {});
        CrescentTest::TearDown();
    }

    std::unique_ptr<frmcresv> open() { return std::make_unique<frmcresv>(realEngines()); }

    bool previewValid(frmcresv& w)
    {
        const bool calc = child<QPushButton>(&w, "cmdcalc")->isEnabled();
        EXPECT_EQ(calc, child<QPushButton>(&w, "cmdmap")->isEnabled());
        return calc;
    }
    static QString caption(frmcresv& w, const char* name)
    {
        return child<QRadioButton>(&w, name)->text();
    }
};

TEST_F(WindowTest, LoadRestoresTheRecordWithPreviewWithdrawn)
{
    auto w = open();
    EXPECT_EQ(child<QComboBox>(w.get(), "cboday")->currentText(), "23");
    EXPECT_EQ(child<QComboBox>(w.get(), "cbomonth")->currentText(), "5");
    EXPECT_EQ(child<QLineEdit>(w.get(), "txtyear")->text(), "2020");
    EXPECT_TRUE(child<QRadioButton>(w.get(), "optone")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(w.get(), "optbest")->isChecked());
    EXPECT_EQ(child<QComboBox>(w.get(), "cbomh")->currentText(), "Ramadan");
    EXPECT_EQ(child<QLineEdit>(w.get(), "txtyearh")->text(), "1441");
    EXPECT_FALSE(child<QComboBox>(w.get(), "cbomh")->isEnabled());
    EXPECT_FALSE(child<QComboBox>(w.get(), "cboh")->isEnabled());
    EXPECT_FALSE(previewValid(*w));
    EXPECT_EQ(caption(*w, "optone"), "One Day After Conjunction");
}

TEST_F(WindowTest, SavedRecordRoundTrips)
{
    auto w = open();
    child<QRadioButton>(w.get(), "opthej")->click();
    child<QRadioButton>(w.get(), "optold")->click();
    child<QRadioButton>(w.get(), "opttopo")->click();
    child<QRadioButton>(w.get(), "optspe")->click();
    child<QComboBox>(w.get(), "cboh")->setCurrentIndex(5);
    child<QComboBox>(w.get(), "cbomh")->setCurrentIndex(11);
    child<QPushButton>(w.get(), "cmdclose")->click();
    // With the Hijri input the Gregorian fields are still written.
    EXPECT_EQ(get("visib.zvd"),
              "\"23\",\"5\",\"2020\",#FALSE#,#FALSE#,#FALSE#,#TRUE#,#FALSE#,#FALSE#,#FALSE#,"
              "#FALSE#,#TRUE#,\"05\",\"30\",#FALSE#,#TRUE#,11,\"1441\"\r\n");

    const lunar::VisibilitySettings s = lunar::readVisibilitySettings();
    EXPECT_FALSE(s.gregorian);
    EXPECT_EQ(s.hijriMonth, 11);
    auto again = open();
    EXPECT_TRUE(child<QRadioButton>(again.get(), "opthej")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(again.get(), "optold")->isChecked());
    EXPECT_TRUE(child<QComboBox>(again.get(), "cbomh")->isEnabled());
    EXPECT_FALSE(child<QComboBox>(again.get(), "cboday")->isEnabled());
    // Specific time restored: the hour and minute lists are enabled.
    EXPECT_TRUE(child<QComboBox>(again.get(), "cboh")->isEnabled());
    EXPECT_EQ(child<QComboBox>(again.get(), "cboh")->currentText(), "05");
    EXPECT_EQ(caption(*again, "optsun"), "Sunrise");
}

TEST_F(WindowTest, ArabicRecordRestoresTheSameMonthInEnglish)
{
    put("pref.zvd", prefLine("1", "0", false));
    {
        auto w = open();
        EXPECT_EQ(child<QComboBox>(w.get(), "cbomh")->currentText(), QString::fromUtf8("رمضان"));
        child<QComboBox>(w.get(), "cbomh")->setCurrentIndex(4);
        child<QPushButton>(w.get(), "cmdclose")->click();
    }
    put("pref.zvd", prefLine("1", "0", true));
    auto w = open();
    EXPECT_EQ(child<QComboBox>(w.get(), "cbomh")->currentText(), "Jamada Aula");
}

TEST_F(WindowTest, UnreadableSettingsStopWithTheFileNamed)
{
    put("visib.zvd", "\"23\",\"5\"\r\n");
    try {
        open();
        FAIL() << "a short visib.zvd was accepted";
    } catch (const platform::FileFault& f) {
        EXPECT_NE(std::string(f.what()).find("visib.zvd"), std::string::npos);
    }
}

TEST_F(WindowTest, PreviewEnablesAndInputChangesWithdraw)
{
    // What each change does to a valid preview.
    struct Case {
        const char* what;
        std::function<void(frmcresv&)> change;
        bool keeps;
    } cases[] = {
        {"another day option", [](frmcresv& w) { child<QRadioButton>(&w, "opttwo")->click(); },
         true},
        {"another time option", [](frmcresv& w) { child<QRadioButton>(&w, "optsun")->click(); },
         true},
        {"another hour",
         [](frmcresv& w) {
             child<QRadioButton>(&w, "optspe")->click();
             child<QComboBox>(&w, "cboh")->setCurrentIndex(3);
             child<QComboBox>(&w, "cbom")->setCurrentIndex(3);
         },
         true},
        {"another day", [](frmcresv& w) { child<QComboBox>(&w, "cboday")->setCurrentIndex(2); },
         false},
        {"another month", [](frmcresv& w) { child<QComboBox>(&w, "cbomonth")->setCurrentIndex(2); },
         false},
        {"a year typed",
         [](frmcresv& w) { QTest::keyClick(child<QLineEdit>(&w, "txtyear"), Qt::Key_1); }, false},
        {"a Hijri month", [](frmcresv& w) { child<QComboBox>(&w, "cbomh")->setCurrentIndex(2); },
         false},
        {"a Hijri year", [](frmcresv& w) { child<QLineEdit>(&w, "txtyearh")->setText("1442"); },
         false},
        {"the calendar", [](frmcresv& w) { child<QRadioButton>(&w, "opthej")->click(); }, false},
        {"the crescent", [](frmcresv& w) { child<QRadioButton>(&w, "optold")->click(); }, false},
        {"the frame", [](frmcresv& w) { child<QRadioButton>(&w, "opttopo")->click(); }, false},
    };
    for (const Case& c : cases) {
        auto w = open();
        child<QPushButton>(w.get(), "cmdprev")->click();
        ASSERT_TRUE(previewValid(*w)) << c.what;
        EXPECT_EQ(caption(*w, "optconj"), "22/05/2020  CE");
        EXPECT_EQ(caption(*w, "optone"), "23/05/2020  CE");
        EXPECT_EQ(caption(*w, "opttwo"), "24/05/2020  CE");
        EXPECT_EQ(tdtmode, 0);
        c.change(*w);
        EXPECT_EQ(previewValid(*w), c.keeps) << c.what;
        if (!c.keeps) {
            EXPECT_EQ(caption(*w, "optconj"), "The Day of Conjunction") << c.what;
        }
    }
}

TEST_F(WindowTest, CaptionsFollowTheCrescent)
{
    auto w = open();
    child<QRadioButton>(w.get(), "optold")->click();
    EXPECT_EQ(caption(*w, "optsun"), "Sunrise");
    EXPECT_EQ(caption(*w, "optmoon"), "Moonrise");
    EXPECT_EQ(caption(*w, "optone"), "One Day Before Conjunction");
    EXPECT_EQ(caption(*w, "opttwo"), "Two Days Before Conjunction");
    child<QPushButton>(w.get(), "cmdprev")->click();
    EXPECT_EQ(caption(*w, "optone"), "21/05/2020  CE");
    child<QRadioButton>(w.get(), "optnew")->click();
    EXPECT_EQ(caption(*w, "optsun"), "Sunset");
    EXPECT_EQ(caption(*w, "optmoon"), "Moonset");
    EXPECT_EQ(caption(*w, "optone"), "One Day After Conjunction");
    EXPECT_EQ(caption(*w, "opttwo"), "Two Days After Conjunction");
}

TEST_F(WindowTest, PreviewOfAnUnusableDateSaysSoAndEnablesNothing)
{
    auto w = open();
    child<QLineEdit>(w.get(), "txtyear")->setText("year");
    child<QPushButton>(w.get(), "cmdprev")->click();
    EXPECT_FALSE(previewValid(*w));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(caption(*w, "optconj"), "The Day of Conjunction");
}

// A year the Preview refuses is named in the message, in the language of the
// interface, the focus goes back to its box, and nothing is enabled: a year
// beyond the double range no longer previews year 0 (or Muharram 0 AH).
TEST_F(WindowTest, PreviewRefusalsNameTheYearBoxAndItsBounds)
{
    struct Case {
        bool hijri;
        const char* year;
        const char* box;
        const char* english; // a piece of the English message
        const char* arabic;  // and of the Arabic one
    } cases[] = {
        {false, "1e309", "txtyear", "Year box of the Gregorian Date", "السنة من التاريخ الميلادي"},
        {true, "1e309", "txtyearh", "Year box of the Hejric Date", "السنة من التاريخ الهجري"},
        // One span for the whole window: -640 to 3000, and the Hijri years
        // whose crescents fall in it; Arabic signs in front of their digits.
        {false, "-641", "txtyear",
         "The year -641 in the Year box lies beyond the years the crescent can be sought for, "
         "-640 to 3000 in universal time: choose another year.",
         "السنة \u2066-641\u2069 في خانة السنة"},
        {false, "-1999", "txtyear", "The year -1999 in the Year box", "من \u2066-640\u2069"},
        {false, "3001", "txtyear",
         "The year 3001 in the Year box lies beyond the years the "
         "crescent can be sought for, -640 to 3000",
         "إلى \u20663000\u2069"},
        {true, "-1301", "txtyearh",
         "The Hejric year -1301 in the Year box lies beyond the Hejric years the crescent can be "
         "sought for, -1300 to 2451, whose crescents fall in the years -640 to 3000 in "
         "universal time",
         "من \u2066-1300\u2069 إلى \u20662451\u2069"},
        {true, "2452", "txtyearh", "Hejric years the crescent can be sought for, -1300 to 2451",
         "السنة الهجرية \u20662452\u2069"},
    };
    for (bool english : {true, false}) {
        put("pref.zvd", prefLine("1", "0", english));
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.year) + (english ? " English" : " Arabic"));
            auto w = open();
            w->show();
            QApplication::setActiveWindow(w.get());
            child<QRadioButton>(w.get(), c.hijri ? "opthej" : "optgre")->click();
            child<QLineEdit>(w.get(), c.box)->setText(c.year);
            messages.clear();
            child<QPushButton>(w.get(), "cmdprev")->click();
            EXPECT_FALSE(previewValid(*w));
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_TRUE(
                messages[0].text.contains(QString::fromUtf8(english ? c.english : c.arabic)))
                << messages[0].text.toStdString();
            EXPECT_EQ(messages[0].rightToLeft, !english);
            if (!english) {
                EXPECT_EQ(testsupport::signsOnTheFarSide(messages[0].text), QStringList{});
            }
            EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(w.get(), c.box));
        }
    }
}

TEST_F(WindowTest, CalculateWritesSettingsAndReportAndShowsIt)
{
    auto w = open();
    child<QPushButton>(w.get(), "cmdprev")->click();
    std::filesystem::remove(file("visib.zvd"));
    child<QPushButton>(w.get(), "cmdcalc")->click();
    EXPECT_EQ(get("visib.zvd"), kMay2020);
    EXPECT_EQ(shown, std::vector<std::string>{"visib.out"});
    EXPECT_NE(get("visib.out").find("Crescent Visibility on: Saturday  23/05/2020 CE"),
              std::string::npos);
    EXPECT_TRUE(previewValid(*w)); // Calculate leaves the preview as it was
}

// The report stands in front of the modal crescent window with the focus, and
// takes the keyboard and the mouse while the crescent window stays open.
// It outlives the crescent window.
TEST_F(WindowTest, ReportViewerIsUsableBesideTheModalWindow)
{
    platform::setTextFileShower({});
    auto w = open();
    w->setWindowModality(Qt::ApplicationModal);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    child<QPushButton>(w.get(), "cmdprev")->click();
    child<QPushButton>(w.get(), "cmdcalc")->click();

    QPointer<platform::TextViewer> viewer = platform::textViewerOf("visib.out");
    ASSERT_TRUE(viewer);
    EXPECT_TRUE(QTest::qWaitFor([&] { return viewer && viewer->hasFocus(); }));
    EXPECT_EQ(QApplication::activeModalWidget(), w.get());
    // Keys reach it through the window system, as the user's do.
    QTest::keyClick(viewer->windowHandle(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(viewer->textCursor().selectedText().size(), viewer->toPlainText().size());
    // And the mouse: a click ends the selection.
    QTest::mouseClick(viewer->windowHandle(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_FALSE(viewer->textCursor().hasSelection());
    QTest::keyClick(viewer->windowHandle(), Qt::Key_PageDown);
    EXPECT_GT(viewer->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(viewer->verticalScrollBar()->value(), viewer->verticalScrollBar()->maximum());
    viewer->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(viewer);
    EXPECT_TRUE(w->isVisible());

    child<QPushButton>(w.get(), "cmdcalc")->click();
    viewer = platform::textViewerOf("visib.out");
    ASSERT_TRUE(viewer);
    w->close();
    w.reset();
    QCoreApplication::processEvents();
    ASSERT_TRUE(viewer);
    EXPECT_TRUE(viewer->isVisible());
    delete viewer;
}

TEST_F(WindowTest, CalculateWithoutAnEventKeepsTheSettings)
{
    lunar::OneDayEngines none;
    none.prayerTimes = [] {
        daysunrise = EventTime::marked(TimeMarker::Up);
        daysunset = EventTime::marked(TimeMarker::Up);
    };
    none.moonTimes = [] {
        daymoonrise = EventTime::at(3);
        daymoonset = EventTime::at(15);
    };
    frmcresv w(none);
    child<QPushButton>(&w, "cmdprev")->click();
    child<QRadioButton>(&w, "opttwo")->click();
    child<QPushButton>(&w, "cmdcalc")->click();
    EXPECT_EQ(get("visib.zvd"), kMay2020);
    EXPECT_NE(get("visib.out").find("there is no Sunset/Sunrise"), std::string::npos);
    EXPECT_EQ(shown, std::vector<std::string>{"visib.out"});
}

TEST_F(WindowTest, FailedWritesAreReported)
{
    auto w = open();
    child<QPushButton>(w.get(), "cmdprev")->click();
    FailingWriter failing("visib.out");
    platform::setFileWriter(&failing);
    child<QPushButton>(w.get(), "cmdcalc")->click();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(shown.empty());

    // A failed save keeps the window open and the old file.
    FailingWriter failingSettings("visib.zvd");
    platform::setFileWriter(&failingSettings);
    w->show();
    child<QRadioButton>(w.get(), "opttwo")->click();
    child<QPushButton>(w.get(), "cmdclose")->click();
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(get("visib.zvd"), kMay2020);
}

TEST_F(WindowTest, MapButtonSavesSetsTheCrescentAndShowsTheMap)
{
    std::vector<std::string> seen;
    windows::setFactory("frmmap", [&seen] {
        seen.push_back(newold + " " + std::to_string(static_cast<long long>(conjjde)));
        auto* map = new QDialog;
        QTimer::singleShot(0, map, &QDialog::accept);
        return map;
    });
    auto w = open();
    child<QRadioButton>(w.get(), "optold")->click();
    child<QPushButton>(w.get(), "cmdprev")->click();
    std::filesystem::remove(file("visib.zvd"));
    child<QPushButton>(w.get(), "cmdmap")->click();
    EXPECT_EQ(seen, std::vector<std::string>{"Old 2458992"});
    EXPECT_NE(get("visib.zvd").find("\"2020\",#FALSE#"), std::string::npos);
}

TEST_F(WindowTest, ArabicLayout)
{
    put("pref.zvd", prefLine("1", "0", false));
    auto w = open();
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("رؤية الهلال"));
    EXPECT_EQ(w->layoutDirection(), Qt::RightToLeft);
    struct Case {
        const char* name;
        const char* text;
    } captions[] = {
        {"lblhcresv", "رؤية الهلال"},
        {"lblprev", "يرجى الضغط على مفتاح 'عرض' بعد اختيار التاريخ"},
        {"lblday", "اليوم"},
        {"lblhmonth", "الشهر"},
        {"lblh", "ساعة"},
        {"lblnote", " يرجى اختيار الدقة و التوقيت الصيفي من قائمة الخيارات، و اختيار الموقع من "
                    "قائمة الموقع"},
    };
    for (const Case& c : captions)
        EXPECT_EQ(child<QLabel>(w.get(), c.name)->text(), QString::fromUtf8(c.text)) << c.name;
    struct Button {
        const char* name;
        const char* text;
    } buttons[] = {
        {"optgeo", "حسابات مركزية  (مركز الأرض)"},
        {"opttopo", "حسابات سطحية  (موقع الراصد)"},
        {"optsun", "غروب الشمس"},
        {"optmoon", "غروب القمر"},
        {"optone", "يوم واحد بعد الاقتران"},
        {"opttwo", "يومان بعد الاقتران"},
        {"optbest", "أفضل وقت"},
    };
    for (const Button& b : buttons) {
        auto* o = child<QRadioButton>(w.get(), b.name);
        EXPECT_EQ(o->text(), QString::fromUtf8(b.text)) << b.name;
        EXPECT_EQ(o->layoutDirection(), Qt::RightToLeft) << b.name;
    }
    EXPECT_EQ(child<QPushButton>(w.get(), "cmdcalc")->text(), QString::fromUtf8("اجراء ال&حسابات"));
    EXPECT_EQ(child<QPushButton>(w.get(), "cmdmap")->text(),
              QString::fromUtf8("&رسم خارطة رؤية الهلال"));
    EXPECT_EQ(child<QGroupBox>(w.get(), "frawhend")->title(),
              QString::fromUtf8("يوم إجراء الحسابات"));
    EXPECT_TRUE(child<QLabel>(w.get(), "lblnote")->alignment() & Qt::AlignRight);

    // Mirrored: the day list lies right of the month list, the year box left.
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    const int day = child<QComboBox>(w.get(), "cboday")->x();
    const int month = child<QComboBox>(w.get(), "cbomonth")->x();
    const int year = child<QLineEdit>(w.get(), "txtyear")->x();
    EXPECT_GT(day, month);
    EXPECT_GT(month, year);

    child<QRadioButton>(w.get(), "optold")->click();
    EXPECT_EQ(caption(*w, "optsun"), QString::fromUtf8("شروق الشمس"));
    EXPECT_EQ(caption(*w, "optone"), QString::fromUtf8("يوم واحد قبل الاقتران"));
}

} // namespace

namespace {

TEST_F(WindowTest, InputChangeAndPreviewUnloadTheMap)
{
    windows::setFactory("frmmap", [] { return new QWidget; });
    auto w = open();
    QPointer<QWidget> map = windows::show("frmmap", windows::ShowMode::Modeless);
    ASSERT_TRUE(map);
    child<QRadioButton>(w.get(), "opttopo")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(map);
    EXPECT_EQ(windows::find("frmmap"), nullptr);

    map = windows::show("frmmap", windows::ShowMode::Modeless);
    child<QPushButton>(w.get(), "cmdprev")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(map);
}

} // namespace

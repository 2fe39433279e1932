// The ephemeris window driven offscreen by its controls' names: load and
// Close with coor.zvd, the Arabic layout, and Calculate with its progress
// window, Cancel and date check.
#include <functional>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include "ephemerisfixture.h"
#include "mainwindow/programwindows.h"
#include "platform/eventloop.h"
#include "platform/filewriter.h"
#include "platform/qt/messagebox.h"
#include "platform/qt/textviewer.h"
#include "sharedwindows/frmwait.h"
#include "sharedwindows/windowregistry.h"
#include "support/signedtext.h"
#include "tools/frmcoor.h"

namespace {

using namespace ephemeristest;

const std::string kDefaultLine = "0,#TRUE#,#TRUE#,2004,3,21,0,0,0,2004,3,22,0,0,0,1,2,0\r\n";

class WindowTest : public EphemerisTest {
protected:
    void SetUp() override
    {
        EphemerisTest::SetUp();
        put("coor.zvd", kDefaultLine);
        platform::setMessageResponder([this](const platform::MessageRequest& r) {
            messages.push_back(r);
            return platform::MsgAnswer::Ok;
        });
        platform::setTextFileShower(
            [this](const platform::TextFileView& v) { shown.push_back(v.file); });
    }
    void TearDown() override
    {
        delete window.data();
        windows::unloadAll();
        windows::setFactory(QStringLiteral("frmcoor"), {});
        platform::setMessageResponder({});
        platform::setTextFileShower({});
        platform::setEventProcessor({});
        frmwait::unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        cancelflag = 0;
        EphemerisTest::TearDown();
    }

    frmcoor* open()
    {
        delete window.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        window = new frmcoor;
        window->show();
        return window;
    }

    template <class T> T* control(const char* name)
    {
        T* c = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }

    // What the window shows, field by field in coor.zvd's order.
    std::vector<QString> shownValues()
    {
        auto text = [this](const char* name) -> QString {
            if (auto* e = window->findChild<QLineEdit*>(QString::fromLatin1(name)))
                return e->text();
            return control<QComboBox>(name)->currentText();
        };
        std::vector<QString> v{QString::number(window->cboobj->currentIndex()),
                               window->optut->isChecked() ? "UT" : "TDT",
                               window->optgeo->isChecked() ? "geo" : "topo"};
        for (const char* n : {"txty", "cbom", "cbod", "cboh", "cbomn", "cbos", "txt2y", "cbo2m",
                              "cbo2d", "cbo2h", "cbo2mn", "cbo2s", "txti"})
            v.push_back(text(n));
        v.push_back(QString::number(window->cboi->currentIndex()));
        v.push_back(window->chksummer->isChecked() ? "summer" : "");
        return v;
    }

    // Runs `during` at the first hand-over to the message loop of a run.
    void atFirstHandOver(std::function<void()> during)
    {
        platform::setEventProcessor([this, during] {
            if (handOvers++ == 0)
                during();
            QCoreApplication::processEvents();
        });
    }

    QPointer<frmcoor> window;
    std::vector<platform::MessageRequest> messages;
    std::vector<std::filesystem::path> shown;
    int handOvers = 0;
};

TEST_F(WindowTest, LoadShowsTheControlsAndTheStoredSettings)
{
    open();
    const struct {
        const char* name;
        const char* caption;
    } captions[] = {
        {"lblhead", "Sun and Moon Ephemeris"},
        {"lblobj", "Object:"},
        {"lblstart", "Start LOCAL Time:"},
        {"lblend", "End LOCAL Time:"},
        {"lbly", "Year:"},
        {"lblm2", "Month:"},
        {"lbld", "Day:"},
        {"lblh2", "Hour:"},
        {"lblmn", "Minute:"},
        {"lbls2", "Second:"},
        {"lblinc", "Increment:"},
    };
    for (const auto& c : captions)
        EXPECT_EQ(control<QLabel>(c.name)->text(), QString::fromUtf8(c.caption)) << c.name;
    EXPECT_EQ(control<QGroupBox>("fracoor")->title(), "Sun and Moon Ephemeris");
    EXPECT_EQ(control<QGroupBox>("fraloc")->title(), "Location Reference");
    EXPECT_EQ(control<QGroupBox>("fratime")->title(), "Time Reference");
    EXPECT_EQ(control<QRadioButton>("opttdt")->text(), "Local (TDT)");
    EXPECT_EQ(control<QCheckBox>("chksummer")->text(), "Enable Summer Time");
    EXPECT_EQ(control<QPushButton>("cmdcalc")->text(), "&Calculate");
    EXPECT_EQ(control<QPushButton>("cmdclose")->text(), "Clo&se");
    EXPECT_EQ(window->windowTitle(), "Sun and Moon Ephemeris");
    EXPECT_EQ(control<QComboBox>("cboobj")->itemText(1), "Moon");
    EXPECT_EQ(control<QComboBox>("cboi")->itemText(3), "Day");
    EXPECT_EQ(control<QComboBox>("cbo2d")->count(), 31);
    EXPECT_EQ(control<QComboBox>("cbomn")->itemText(0), "0");
    EXPECT_TRUE(control<QComboBox>("cbom")->isEditable());
    EXPECT_FALSE(control<QComboBox>("cboobj")->isEditable());

    EXPECT_EQ(shownValues(),
              (std::vector<QString>{"0", "UT", "geo", "2004", "3", "21", "0", "0", "0", "2004", "3",
                                    "22", "0", "0", "0", "1", "2", ""}));
}

TEST_F(WindowTest, CloseSavesWhatTheControlsHoldAndTheNextOpeningShowsIt)
{
    open();
    const auto first = shownValues();
    window->cmdclose->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull()); // unloaded
    EXPECT_EQ(get("coor.zvd"), kDefaultLine);
    open();
    EXPECT_EQ(shownValues(), first);

    window->opttdt->setChecked(true);
    window->opttopo->setChecked(true);
    window->cboobj->setCurrentIndex(1);
    window->txty->setText("2004a");
    window->cbo2d->setEditText("x");
    window->txti->setText("-2.5");
    window->cboi->setCurrentIndex(0);
    window->chksummer->setChecked(true);
    window->cmdclose->click();
    EXPECT_EQ(get("coor.zvd"), "1,#FALSE#,#FALSE#,2004,3,21,0,0,0,2004,3,0,0,0,0,3,0,1\r\n");
    open();
    EXPECT_EQ(shownValues(),
              (std::vector<QString>{"1", "TDT", "topo", "2004", "3", "21", "0", "0", "0", "2004",
                                    "3", "0", "0", "0", "0", "3", "0", "summer"}));
}

TEST_F(WindowTest, TheCloseBoxSavesNothing)
{
    open();
    window->txty->setText("1999");
    window->close();
    EXPECT_EQ(get("coor.zvd"), kDefaultLine);
}

TEST_F(WindowTest, AFailedCloseSaysSoAndStaysOpen)
{
    open();
    testsupport::FailingWriter failing("read-only folder");
    platform::FileWriter* old = platform::setFileWriter(&failing);
    window->cmdclose->click();
    platform::setFileWriter(old);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(window.isNull());
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains("read-only folder"));
    EXPECT_EQ(get("coor.zvd"), kDefaultLine);
}

TEST_F(WindowTest, AStoredIndexOutsideItsListSelectsNothing)
{
    put("coor.zvd", "7,#TRUE#,#TRUE#,2004,3,21,0,0,0,2004,3,22,0,0,0,1,-4,0\r\n");
    open();
    EXPECT_EQ(window->cboobj->currentIndex(), -1);
    EXPECT_EQ(window->cboi->currentIndex(), -1);
}

TEST_F(WindowTest, AMissingOrShortSettingsFileStopsTheLoad)
{
    for (const char* name : {"coor.zvd", "pref.zvd"}) {
        std::filesystem::remove(file(name));
        EXPECT_THROW(frmcoor w, platform::FileFault) << name;
        put("coor.zvd", kDefaultLine);
        put("pref.zvd", kEnglishPref);
    }
    put("coor.zvd", "0,#TRUE#,#TRUE#,2004\r\n");
    EXPECT_THROW(frmcoor w, platform::FileFault);
}

TEST_F(WindowTest, ArabicCaptionsLayoutAndTheSameListIndexes)
{
    put("pref.zvd", kArabicPref);
    put("coor.zvd", "1,#TRUE#,#TRUE#,2004,3,21,0,0,0,2004,3,22,0,0,0,1,3,0\r\n");
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("أزياج الشمس و القمر"));
    EXPECT_EQ(window->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(control<QGroupBox>("fraloc")->title(), QStringLiteral("مرجعية الموقع"));
    EXPECT_EQ(control<QRadioButton>("optut")->text(), QStringLiteral("محلي (UT1)"));
    EXPECT_EQ(control<QLabel>("lblmn2")->text(), QStringLiteral("الدقيقة"));
    EXPECT_EQ(control<QPushButton>("cmdcalc")->text(), QStringLiteral("إجراء ال&حسابات"));
    EXPECT_EQ(control<QCheckBox>("chksummer")->text(), QStringLiteral("تفعيل التوقيت الصيفي"));
    // The stored indexes mean the same in either language.
    EXPECT_EQ(window->cboobj->currentText(), QStringLiteral("القمر"));
    EXPECT_EQ(window->cboi->currentText(), QStringLiteral("يوم"));
    EXPECT_EQ(window->cboobj->count(), 2);
    EXPECT_EQ(window->cboi->count(), 4);

    // The fixed Arabic positions, in twips from the frame's left edge.
    const double pxPerTwip = window->logicalDpiX() / 96.0 / 15.0;
    const struct {
        const char* name;
        int left;
    } lefts[] = {{"lblobj", 7300},  {"cboobj", 5700},   {"fraloc", 500}, {"fratime", 3000},
                 {"lbly2", 7550},   {"txty", 6750},     {"cbo2m", 5250}, {"cbos", 250},
                 {"cmdcalc", 4560}, {"cmdclose", 2160}, {"opttopo", 120}};
    for (const auto& l : lefts)
        EXPECT_NEAR(control<QWidget>(l.name)->x(), l.left * pxPerTwip, 1) << l.name;
    EXPECT_NEAR(window->lblhead->width(), 4000 * pxPerTwip, 1);

    window->cmdclose->click();
    EXPECT_EQ(get("coor.zvd"), "1,#TRUE#,#TRUE#,2004,3,21,0,0,0,2004,3,22,0,0,0,1,3,0\r\n");
}

TEST_F(WindowTest, CalculateSavesFirstWritesTheReportAndOpensIt)
{
    open();
    window->cboobj->setCurrentIndex(1);
    window->cbo2m->setEditText("3");
    window->cbo2d->setEditText("21");
    window->cbo2h->setEditText("3");
    window->cmdcalc->click();
    EXPECT_EQ(get("coor.zvd"), "1,#TRUE#,#TRUE#,2004,3,21,0,0,0,2004,3,21,3,0,0,1,2,0\r\n");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], file("ephemeris.out"));
    EXPECT_EQ(tableRows(report()).size(), 4u);
    EXPECT_FALSE(frmwait::isLoaded());
    EXPECT_FALSE(LongComputation::running());
    EXPECT_TRUE(messages.empty());
}

TEST_F(WindowTest, CancelInTheProgressWindowEndsATdtRunAtUniversalTime)
{
    open();
    window->opttdt->setChecked(true);
    window->cbo2m->setEditText("4"); // a month in hours
    double during = -1;
    atFirstHandOver([&] {
        during = tdtmode;
        EXPECT_TRUE(frmwait::isLoaded());
        frmwait::form().bcancel->click();
    });
    window->cmdcalc->click();
    EXPECT_EQ(during, 1);
    EXPECT_EQ(tdtmode, 0);
    EXPECT_EQ(cancelflag, -1);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(tableRows(report()).size(), 1u);
    EXPECT_FALSE(LongComputation::running());
}

TEST_F(WindowTest, EndBeforeStartInArabic)
{
    put("pref.zvd", kArabicPref);
    put("ephemeris.out", "old\r\n");
    open();
    window->cbo2d->setEditText("20");
    window->opttdt->setChecked(true);
    window->cmdcalc->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("تاريخ النهاية يجب أن يكون بعد التاريخ البداية"));
    EXPECT_EQ(messages[0].title, QStringLiteral("خطأ"));
    EXPECT_EQ(messages[0].icon, platform::MsgIcon::Warning);
    EXPECT_TRUE(messages[0].rightToLeft);
    EXPECT_EQ(get("coor.zvd"), "0,#FALSE#,#TRUE#,2004,3,21,0,0,0,2004,3,20,0,0,0,1,2,0\r\n");
    EXPECT_EQ(get("ephemeris.out"), "old\r\n");
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(tdtmode, 0);
    EXPECT_FALSE(frmwait::isLoaded());
}

// The table is made for the years -1999 to 3000 (in universal time, after the
// zone; the table test has the hours at the ends): a start or an end beyond
// them is refused after coor.zvd is saved, as an end before the start is,
// and no report is written. The ends themselves are computed.
TEST_F(WindowTest, DatesBeyondTheComputableYearsAreRefusedInEitherLanguage)
{
    struct Case {
        const char* box;
        const char* text;
        bool refused;
    } cases[] = {
        {"txty", "-2000", true},  {"txt2y", "3001", true},  {"txty", "1e15", true},
        {"txty", "-1999", false}, {"txt2y", "3000", false},
    };
    for (bool english : {true, false}) {
        put("pref.zvd", english ? kEnglishPref : kArabicPref);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.box) + " " + c.text + (english ? " English" : " Arabic"));
            put("ephemeris.out", "old\r\n");
            open();
            // One row at the year typed: start and end alike.
            for (const char* box : {"txty", "txt2y"})
                control<QLineEdit>(box)->setText(c.text);
            window->cbo2d->setEditText("21");
            messages.clear();
            shown.clear();
            window->cmdcalc->click();
            EXPECT_FALSE(frmwait::isLoaded());
            if (!c.refused) {
                EXPECT_TRUE(messages.empty());
                EXPECT_EQ(tableRows(report()).size(), 1u);
                continue;
            }
            ASSERT_EQ(messages.size(), 1u);
            // The year typed, and the span, every sign in front of its digits.
            if (english) {
                EXPECT_TRUE(messages[0].text.startsWith(
                    QStringLiteral("The year %1 of the Start LOCAL Time")
                        .arg(c.text == std::string("1e15") ? "1e+15" : c.text)))
                    << messages[0].text.toStdString();
                EXPECT_TRUE(messages[0].text.endsWith(
                    QStringLiteral("Please enter dates from the year -1999 to the year 3000 in "
                                   "universal time.")));
            } else {
                EXPECT_EQ(testsupport::signsOnTheFarSide(messages[0].text), QStringList{});
                EXPECT_TRUE(messages[0].text.endsWith(QStringLiteral("بالتوقيت العالمي")));
            }
            EXPECT_EQ(messages[0].rightToLeft, !english);
            EXPECT_EQ(get("ephemeris.out"), "old\r\n");
            EXPECT_TRUE(shown.empty());
            EXPECT_NE(get("coor.zvd"), kDefaultLine); // saved before the check, as ever
        }
    }
}

// A number beyond the double range in any of the thirteen boxes is refused
// by Calculate and by Close, naming the box: nothing is saved, no table is
// made, and the focus goes back to the box.
TEST_F(WindowTest, ANumberThatOverflowsIsRefusedNamingItsBox)
{
    const struct {
        const char* box;
        const char* english;
        const char* arabic;
    } boxes[] = {
        {"txty", "start Year", "السنة (بداية الفترة)"},
        {"cbom", "start Month", "الشهر (بداية الفترة)"},
        {"cbod", "start Day", "اليوم (بداية الفترة)"},
        {"cboh", "start Hour", "الساعة (بداية الفترة)"},
        {"cbomn", "start Minute", "الدقيقة (بداية الفترة)"},
        {"cbos", "start Second", "الثانية (بداية الفترة)"},
        {"txt2y", "end Year", "السنة (نهاية الفترة)"},
        {"cbo2m", "end Month", "الشهر (نهاية الفترة)"},
        {"cbo2d", "end Day", "اليوم (نهاية الفترة)"},
        {"cbo2h", "end Hour", "الساعة (نهاية الفترة)"},
        {"cbo2mn", "end Minute", "الدقيقة (نهاية الفترة)"},
        {"cbo2s", "end Second", "الثانية (نهاية الفترة)"},
        {"txti", "Increment", "مقدار الزيادة"},
    };
    for (bool english : {true, false}) {
        put("pref.zvd", english ? kEnglishPref : kArabicPref);
        for (const auto& b : boxes) {
            SCOPED_TRACE(std::string(b.box) + (english ? " English" : " Arabic"));
            put("coor.zvd", kDefaultLine);
            put("ephemeris.out", "old\r\n");
            open();
            QApplication::setActiveWindow(window);
            if (auto* line = window->findChild<QLineEdit*>(QLatin1String(b.box)))
                line->setText(" 1e309");
            else
                control<QComboBox>(b.box)->setEditText("1e309");
            for (QPushButton* button : {window->cmdcalc, window->cmdclose}) {
                messages.clear();
                button->click();
                ASSERT_EQ(messages.size(), 1u);
                EXPECT_EQ(messages[0].text,
                          english ? QStringLiteral("The number in the %1 box is too large.")
                                        .arg(QLatin1String(b.english))
                                  : QStringLiteral("الرقم في خانة %1 كبير جدا")
                                        .arg(QString::fromUtf8(b.arabic)));
                EXPECT_EQ(messages[0].rightToLeft, !english);
                EXPECT_EQ(QApplication::focusWidget()->objectName(), QLatin1String(b.box));
            }
            EXPECT_TRUE(window->isVisible());
            EXPECT_EQ(get("coor.zvd"), kDefaultLine);
            EXPECT_EQ(get("ephemeris.out"), "old\r\n");
            EXPECT_FALSE(frmwait::isLoaded());
        }
    }
}

TEST_F(WindowTest, ASecondRunIsRefusedWhileOneRuns)
{
    open();
    window->cbo2m->setEditText("4");
    int inner = 0;
    atFirstHandOver([&] {
        window->cmdcalc->click(); // the same window's Calculate again
        inner = static_cast<int>(messages.size());
        frmwait::form().bcancel->click();
    });
    window->cmdcalc->click();
    EXPECT_EQ(inner, 1); // refused with a message
    EXPECT_EQ(tableRows(report()).size(), 1u);
}

// The window is modeless: it may be closed, and deleted, while its run hands
// control to the message loop. The run goes on to the end without it.
TEST_F(WindowTest, ClosingTheWindowDuringARunLetsTheRunFinish)
{
    open();
    window->cbo2d->setEditText("21");
    window->cbo2h->setEditText("5");
    atFirstHandOver([&] {
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    });
    window->cmdcalc->click();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(tableRows(report()).size(), 6u);
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(tdtmode, 0);
    EXPECT_FALSE(LongComputation::running());
}

TEST_F(WindowTest, TheMainWindowOpensItModeless)
{
    mainwindow::registerProgramWindows();
    ASSERT_TRUE(windows::hasFactory("frmcoor"));
    QWidget* w = windows::show("frmcoor", windows::ShowMode::Modeless);
    ASSERT_NE(qobject_cast<frmcoor*>(w), nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->isModal());
    EXPECT_EQ(windows::show("frmcoor", windows::ShowMode::Modeless), w); // brought forward
}

} // namespace

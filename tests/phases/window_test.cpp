// The moon-phases window offscreen, by objectName: loading from phase.zvd,
// the Delta T box, Close, Calculate through the progress window, the checks
// before a run, Arabic, and its place among the program's windows.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

#include "engine/computableyears.h"
#include "engine/modgeneral.h"
#include "lunar/frmphase.h"
#include "mainwindow/programwindows.h"
#include "phasefixture.h"
#include "platform/eventloop.h"
#include "platform/filewriter.h"
#include "platform/qt/messagebox.h"
#include "platform/qt/textviewer.h"
#include "sharedwindows/frmwait.h"
#include "sharedwindows/windowregistry.h"
#include "support/signedtext.h"

namespace {

template <class T> T* child(QWidget* w, const char* name)
{
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

QString deltaOf(double year)
{
    return QString::fromStdString(lunar::deltaTText(lunar::deltaTSecondsOfYear(year)));
}

class WindowTest : public phasetest::PhaseTest {
protected:
    void SetUp() override
    {
        PhaseTest::SetUp();
        platform::setEventProcessor([] { QCoreApplication::processEvents(); });
        oldResponder_ = platform::setMessageResponder([this](const platform::MessageRequest& r) {
            messages.push_back(r.text);
            return platform::MsgAnswer::Ok;
        });
        oldShower_ = platform::setTextFileShower(
            [this](const platform::TextFileView& v) { shown.push_back(v); });
    }
    void TearDown() override
    {
        delete window;
        frmwait::unload();
        platform::setMessageResponder(oldResponder_);
        platform::setTextFileShower(oldShower_);
        platform::setEventProcessor({});
        PhaseTest::TearDown();
    }

    frmphase* open()
    {
        window = new frmphase;
        return window;
    }

    QPointer<frmphase> window;
    std::vector<QString> messages;
    std::vector<platform::TextFileView> shown;

private:
    platform::MessageResponder oldResponder_;
    platform::TextFileShower oldShower_;
};

TEST_F(WindowTest, LoadsTheChoicesOfPhaseZvd)
{
    put("phase.zvd", "\"2027\",#FALSE#,#FALSE#\r\n");
    frmphase* w = open();
    EXPECT_EQ(child<QLineEdit>(w, "txtyear")->text(), "2027");
    EXPECT_TRUE(child<QRadioButton>(w, "opttopo")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(w, "opttdt")->isChecked());
    EXPECT_FALSE(child<QLineEdit>(w, "txtdelta")->isEnabled());
    EXPECT_EQ(child<QLineEdit>(w, "txtdelta")->text(), deltaOf(2027));
    EXPECT_EQ(w->windowTitle(), "Moon Phases");
    EXPECT_EQ(tdtmode, 0);
}

TEST_F(WindowTest, MissingOrShortPhaseZvdGivesTheDesignValues)
{
    for (const char* contents : {static_cast<const char*>(nullptr), "\"2027\",#FALSE#\r\n"}) {
        std::filesystem::remove(file("phase.zvd"));
        if (contents)
            put("phase.zvd", contents);
        frmphase* w = open();
        EXPECT_EQ(child<QLineEdit>(w, "txtyear")->text(), "2004");
        EXPECT_TRUE(child<QRadioButton>(w, "optgeo")->isChecked());
        EXPECT_TRUE(child<QRadioButton>(w, "optut")->isChecked());
        EXPECT_TRUE(child<QLineEdit>(w, "txtdelta")->isEnabled());
        EXPECT_EQ(child<QLineEdit>(w, "txtdelta")->text(), deltaOf(2004));
        delete window;
    }
}

TEST_F(WindowTest, YearChangeReplacesATypedDeltaTAndTdtDisablesTheBox)
{
    frmphase* w = open();
    auto* txtdelta = child<QLineEdit>(w, "txtdelta");
    txtdelta->setText("99");
    child<QLineEdit>(w, "txtyear")->setText("2019");
    EXPECT_EQ(txtdelta->text(), deltaOf(2019));
    child<QLineEdit>(w, "txtyear")->setText("no year");
    EXPECT_EQ(txtdelta->text(), deltaOf(0));

    child<QRadioButton>(w, "opttdt")->click();
    EXPECT_FALSE(txtdelta->isEnabled());
    child<QRadioButton>(w, "optut")->click();
    EXPECT_TRUE(txtdelta->isEnabled());
}

TEST_F(WindowTest, CloseSavesAndTheTitleBarDoesNot)
{
    put("phase.zvd", "\"2004\",#TRUE#,#TRUE#\r\n");
    frmphase* w = open();
    child<QLineEdit>(w, "txtyear")->setText("2031");
    child<QRadioButton>(w, "opttopo")->click();
    w->close(); // the title-bar button
    EXPECT_EQ(get("phase.zvd"), "\"2004\",#TRUE#,#TRUE#\r\n");

    w = open();
    child<QLineEdit>(w, "txtyear")->setText("2031");
    child<QRadioButton>(w, "opttdt")->click();
    child<QPushButton>(w, "cmdclose")->click();
    EXPECT_EQ(get("phase.zvd"), "\"2031\",#TRUE#,#FALSE#\r\n");
    EXPECT_TRUE(window->isHidden());
}

TEST_F(WindowTest, FailedSaveIsReportedAndTheWindowStays)
{
    put("phase.zvd", "\"2004\",#TRUE#,#TRUE#\r\n");
    frmphase* w = open();
    w->show();
    child<QLineEdit>(w, "txtyear")->setText("2031");
    testsupport::FailingWriter failing("read-only folder");
    platform::FileWriter* old = platform::setFileWriter(&failing);
    child<QPushButton>(w, "cmdclose")->click();
    platform::setFileWriter(old);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].contains("phase.zvd"));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(get("phase.zvd"), "\"2004\",#TRUE#,#TRUE#\r\n");
}

TEST_F(WindowTest, CalculateWritesAndShowsTheReport)
{
    frmphase* w = open();
    child<QLineEdit>(w, "txtyear")->setText("2019");
    child<QPushButton>(w, "cmdcalc")->click();
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].file.filename(), "results.out");
    EXPECT_TRUE(shown[0].text.contains("06/01/2019  04:28")) << shown[0].text.toStdString();
    EXPECT_TRUE(shown[0].text.contains("Delta T: " + deltaOf(2019) + " Second(s)"));
    EXPECT_FALSE(frmwait::isLoaded());
    EXPECT_TRUE(child<QPushButton>(w, "cmdcalc")->isEnabled());
    EXPECT_EQ(tdtmode, 0);
}

TEST_F(WindowTest, CancelInTheProgressWindowStopsTheRun)
{
    frmphase* w = open();
    child<QLineEdit>(w, "txtyear")->setText("2019");
    // Pressed during the first hand-over to the message loop, once the bar
    // shows the first lunation.
    std::function<void()> press = [&press] {
        if (frmwait::isLoaded() && frmwait::form().Pro1->value() > 0)
            frmwait::form().bcancel->click();
        else
            QTimer::singleShot(0, press);
    };
    QTimer::singleShot(0, press);
    child<QPushButton>(w, "cmdcalc")->click();
    EXPECT_TRUE(shown.empty());
    const std::string report = get("results.out");
    EXPECT_EQ(report.find("/2019  "), std::string::npos); // only lunation 234 ran
    EXPECT_NE(report.find("* Remarks:-"), std::string::npos);
    EXPECT_FALSE(frmwait::isLoaded());
}

TEST_F(WindowTest, UnusableInputIsRefusedBeforeARun)
{
    const std::string first = std::to_string(static_cast<long>(kFirstComputableYear));
    const std::string last = std::to_string(static_cast<long>(kLastComputableYear));
    const std::string after = std::to_string(static_cast<long>(kLastComputableYear) + 1);
    // What a refusal names, in each language: the year's refusal gives the
    // range, the Delta T's names the box.
    const QString lri = QChar(0x2066), pdi = QChar(0x2069);
    const QString range[2] = {QString::fromStdString(first + " to " + last),
                              QStringLiteral("من ") + lri + QString::fromStdString(first) + pdi +
                                  QStringLiteral(" إلى ") + lri + QString::fromStdString(last) +
                                  pdi};
    const QString number[2] = {QStringLiteral("Delta T as a number"),
                               QStringLiteral("قيمة Delta T بالثواني رقماً")};
    const QString tooLarge[2] = {QStringLiteral("Delta T is too large"),
                                 QStringLiteral("قيمة Delta T رقم كبير جداً")};
    // The Delta T's refusal names the box, and the seconds it may hold.
    const QString deltaTBox[2] = {
        QStringLiteral("s in the Delta T box takes the phases of 2019 beyond the years of the "
                       "Sun's and the Moon's series, -2000 to 6000 in TT: please enter a Delta T "
                       "from -126828878400 to 125628289200 seconds."),
        QStringLiteral("في خانة Delta T تخرج بأطوار سنة ") + lri + QStringLiteral("2019") + pdi};
    // Mecca's zone carries 1 January of the first year out of the span.
    const QString byZone[2] = {
        QStringLiteral("at the zone +3 of loc.zvd (field 9), the year begins at 31/12/-2000 "
                       "21:00 in universal time"),
        QStringLiteral("فعند المنطقة الزمنية ") + lri + QStringLiteral("+3") + pdi};
    const struct {
        const char* what;
        std::string year;
        const char* delta;
        bool tdt;
        const QString* says; // nullptr: the run goes ahead
    } cases[] = {
        {"Delta T not a number", "2019", "abc", false, number},
        {"Delta T empty", "2019", "", false, number},
        {"Delta T not read with TDT", "2019", "abc", true, nullptr},
        {"Delta T too large to read", "2019", "1e309", false, tooLarge},
        {"Delta T too large below zero", "2019", "-1e400", false, tooLarge},
        {"Delta T too large, not read with TDT", "2019", "1e309", true, nullptr},
        {"Delta T too small to matter reads as 0", "2019", "1e-400", false, nullptr},
        {"year beyond the theories", "1e300", "65", false, range},
        // The box shows "----" for such a year: the year is what to mend.
        {"year beyond, with the box it gets", "1e308", "----", false, range},
        {"year too large to read", "1e309", "65", false, range},
        {"year too large to read, below zero", "-1e309", "65", true, range},
        {"last accepted year", last, "65", false, nullptr},
        {"a year after it", after, "65", false, range},
        // Mecca is three hours east: 1 January of the first year, 0 h, is
        // still the year before in universal time.
        {"first year, its first hours before the span", first, "65", true, byZone},
        {"the year after it, whole within", "-1998", "65", true, nullptr},
        // Delta T judged on the instants it gives: TT = UT + Delta T.
        {"Delta T of 2e12 s, 63000 years", "2019", "2e12", false, deltaTBox},
        {"Delta T of -2e12 s", "2019", "-2e12", false, deltaTBox},
        {"Delta T of 3e12 s", "2019", "3e12", false, deltaTBox},
        {"Delta T of 1e10 s, 317 years, within", "2019", "1e10", false, nullptr},
        {"Delta T of 2e12 s not read with TDT", "2019", "2e12", true, nullptr},
        {"year 0 is computed", "", "65", false, nullptr},
        {"a text without a number is year 0", "abc", "65", false, nullptr},
    };
    for (bool english : {true, false}) {
        pref.eng = english;
        save();
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (english ? ", English" : ", Arabic"));
            std::filesystem::remove(file("results.out"));
            messages.clear();
            shown.clear();
            frmphase* w = open();
            child<QLineEdit>(w, "txtyear")->setText(QString::fromStdString(c.year));
            child<QRadioButton>(w, c.tdt ? "opttdt" : "optut")->click();
            child<QLineEdit>(w, "txtdelta")->setText(c.delta);
            child<QPushButton>(w, "cmdcalc")->click();
            EXPECT_EQ(std::filesystem::exists(file("results.out")), c.says == nullptr);
            ASSERT_EQ(messages.size(), c.says ? 1u : 0u);
            if (c.says) {
                EXPECT_TRUE(messages[0].contains(c.says[english ? 0 : 1]))
                    << messages[0].toStdString();
                if (!english) {
                    EXPECT_EQ(testsupport::signsOnTheFarSide(messages[0]), QStringList{});
                }
            }
            EXPECT_EQ(tdtmode, 0);
            delete window;
        }
    }
}

// The ends of the span at zone 0 compute as the refusals tell them: 3000 in
// UT1 with the Delta T the window itself puts in the box (TT passes into
// 3001, universal time does not; the last phase falls on 26 December), and
// -1999 with summer time on, whose 1 January is no summer day.
TEST_F(WindowTest, TheEndsOfTheSpanComputeAtZoneZero)
{
    loc.zon = 0;
    pref.summ = "1";
    pref.smf = 3, pref.sdf = 29, pref.smt = 10, pref.sdt = 25;
    save();
    for (const char* year : {"3000", "-1999"}) {
        SCOPED_TRACE(year);
        std::filesystem::remove(file("results.out"));
        messages.clear();
        frmphase* w = open();
        child<QRadioButton>(w, "optut")->click();
        child<QLineEdit>(w, "txtyear")->setText(year);
        child<QPushButton>(w, "cmdcalc")->click();
        EXPECT_TRUE(messages.empty()) << (messages.empty() ? "" : messages[0].toStdString());
        const std::string report = get("results.out");
        EXPECT_NE(report.find(std::string("/") + year + "  "), std::string::npos);
        if (std::string(year) == "3000") {
            EXPECT_NE(report.find("26/12/3000  "), std::string::npos) << report;
        }
        delete window;
    }
}

// A year too large to be read has no Delta T; it is not year 0's.
TEST_F(WindowTest, DeltaTBoxOfAYearTooLargeToRead)
{
    frmphase* w = open();
    for (const char* year : {"1e309", "-1e309", " 1 e 400"}) {
        child<QLineEdit>(w, "txtyear")->setText(year);
        EXPECT_EQ(child<QLineEdit>(w, "txtdelta")->text(), "----") << year;
    }
    child<QLineEdit>(w, "txtyear")->setText("abc");
    EXPECT_EQ(child<QLineEdit>(w, "txtdelta")->text(), deltaOf(0));

    // As phase.zvd keeps it from an earlier Close.
    delete window;
    put("phase.zvd", "\"1e309\",#TRUE#,#TRUE#\r\n");
    EXPECT_EQ(child<QLineEdit>(open(), "txtdelta")->text(), "----");
}

TEST_F(WindowTest, ArabicCaptionsAndRightToLeft)
{
    pref.eng = false;
    save();
    frmphase* w = open();
    EXPECT_EQ(w->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("أطوار القمر"));
    const struct {
        const char* name;
        QString text;
    } labels[] = {
        {"lblhphase", QStringLiteral("أطوار القمر")},
        {"lblyear", QStringLiteral("السنة")},
        {"lblsec", QStringLiteral("ثانية")},
    };
    for (const auto& l : labels)
        EXPECT_EQ(child<QLabel>(w, l.name)->text(), l.text) << l.name;
    EXPECT_EQ(child<QGroupBox>(w, "fraref")->title(), QStringLiteral("المرجع"));
    EXPECT_EQ(child<QGroupBox>(w, "fratime")->title(), QStringLiteral("الوقت"));
    EXPECT_EQ(child<QGroupBox>(w, "fradate")->title(), QStringLiteral("التاريخ"));
    EXPECT_EQ(child<QGroupBox>(w, "fradelta")->title(), "Delta T");
    EXPECT_EQ(child<QRadioButton>(w, "optgeo")->text(), QStringLiteral("مركزي"));
    EXPECT_EQ(child<QRadioButton>(w, "opttopo")->text(), QStringLiteral("سطحي"));
    EXPECT_EQ(child<QRadioButton>(w, "optut")->text(), QStringLiteral("محلي (UT1)"));
    EXPECT_EQ(child<QRadioButton>(w, "opttdt")->text(), QStringLiteral("محلي (TDT)"));
    EXPECT_EQ(child<QPushButton>(w, "cmdcalc")->text(), QStringLiteral("إجراء ال&حسابات"));
    EXPECT_EQ(child<QPushButton>(w, "cmdclose")->text(), QStringLiteral("إ&غلاق"));
    EXPECT_TRUE(child<QLineEdit>(w, "txtyear")->alignment() & Qt::AlignRight);
    EXPECT_TRUE(child<QLabel>(w, "lblchoose")->text().startsWith(QStringLiteral(" يرجى اختيار")));

    // The report stays English.
    child<QLineEdit>(w, "txtyear")->setText("2019");
    child<QPushButton>(w, "cmdcalc")->click();
    EXPECT_NE(get("results.out").find("Geocentric Phases of The Moon"), std::string::npos);
}

TEST_F(WindowTest, IsAModelessWindowOfTheProgram)
{
    mainwindow::registerProgramWindows();
    ASSERT_TRUE(windows::hasFactory("frmphase"));
    QWidget* first = windows::show("frmphase", windows::ShowMode::Modeless);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->objectName(), "frmphase");
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(windows::show("frmphase", windows::ShowMode::Modeless), first);
    windows::unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(windows::find("frmphase"), nullptr);
}

} // namespace

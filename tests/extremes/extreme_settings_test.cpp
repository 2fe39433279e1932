// Well-formed but extreme numbers in the settings files, one row each: both
// programs start (no false "was not found", no abort, no hang), the main
// program's windows and dialogs open so that the user can mend the value, and
// every report and tool computation runs to its end (a very long range until
// Cancel). A number the computations cannot use shows as "----" or the
// report's marker, never as "nan" or "inf".
//
// Each row runs in a program of its own (one test per row); a row that hung
// would be ended by the test's time limit.
#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include <chrono>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "alerts/alertfixture.h"
#include "alerts/enginedaytimes.h"
#include "alerts/frmmain2.h"
#include "engine/modgeneral.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/programwindows.h"
#include "platform/eventloop.h"
#include "platform/fault.h"
#include "platform/qt/messagebox.h"
#include "platform/qt/sound.h"
#include "platform/qt/textviewer.h"
#include "settings/settingsline.h"
#include "sharedwindows/frmwait.h"
#include "sharedwindows/windowregistry.h"
#include "support/signedtext.h"
#include "support/testsupport.h"

namespace {

// One field of one settings file, written as a dialog writes it.
struct Edit {
    const char* file;
    int field; // 1-based
    double value;
    bool quoted = false; // a number stored as a text ("2004", "0.0065")
};

struct Row {
    const char* name;
    std::vector<Edit> edits;
    // Rows that are no place on Earth: the start of both programs stops with
    // loc.zvd's damaged-file message naming these fields.
    const char* fieldsEnglish = nullptr; // "Field 9 holds"
    const char* fieldsArabic = nullptr;  // "الحقل 9 يحوي"
};

void PrintTo(const Row& row, std::ostream* os)
{
    *os << row.name;
}

// A three-day range, without the system date, for the report runs of rows
// that leave date.zvd alone.
const std::string kThreeDays = "#FALSE#,2027,3,10,2027,3,12,2027,3,10,2027,3,12,2027,3,10,#TRUE#,"
                               "#FALSE#\r\n";

constexpr double kMax = 1e308;

// The shipped place, as loc.zvd holds it.
const std::string kSoundPlace =
    "\"Mecca\",39,49,34,21,25,21,277,3,#TRUE#,#TRUE#,#FALSE#,#FALSE#,0,1010,10,0,\"0.0065\"\r\n";

const std::vector<Row>& rows()
{
    static const std::vector<Row> r = {
        // pref.zvd: angles and minute adjustments.
        {"FajrAngleHuge", {{"pref.zvd", 1, kMax}}},
        {"FajrAngleHugeNegative", {{"pref.zvd", 1, -kMax}}},
        {"IshaAngleHuge", {{"pref.zvd", 2, kMax}}},
        {"IshaAngleHugeNegative", {{"pref.zvd", 2, -kMax}}},
        {"DhuhrMinutesHuge", {{"pref.zvd", 9, kMax}}},
        {"DhuhrMinutesHugeNegative", {{"pref.zvd", 9, -kMax}}},
        {"FajrMinutesHuge", {{"pref.zvd", 7, kMax}}},
        {"ShuruqMinutesHugeNegative", {{"pref.zvd", 8, -kMax}}},
        {"MaghribMinutesHuge", {{"pref.zvd", 10, kMax}}},
        {"AsrMinutesHugeNegative", {{"pref.zvd", 18, -kMax}}},
        {"SummerWindowMonthsHuge",
         {{"pref.zvd", 11, 1, true}, {"pref.zvd", 3, kMax}, {"pref.zvd", 5, -kMax}}},
        {"SummerWindowDaysFar",
         {{"pref.zvd", 11, 1, true}, {"pref.zvd", 4, 1e15}, {"pref.zvd", 6, -1e15}}},
        {"HighLatitudeMethodWithHugeAngle",
         {{"pref.zvd", 19, 1}, {"loc.zvd", 5, 60}, {"pref.zvd", 1, kMax}}},
        // loc.zvd: place, zone and weather.
        {"LongitudeOf1e12", {{"loc.zvd", 2, 1e12}}},
        {"LongitudeOf1e15", {{"loc.zvd", 2, 1e15}}},
        {"LongitudeHuge", {{"loc.zvd", 2, kMax}}},
        {"LongitudeHugeNegative", {{"loc.zvd", 2, -kMax}}},
        {"LongitudeMinutesHuge", {{"loc.zvd", 3, kMax}}},
        {"LatitudeAtTheNorthPole", {{"loc.zvd", 5, 90}, {"loc.zvd", 6, 0}, {"loc.zvd", 7, 0}}},
        {"LatitudeAtTheSouthPole",
         {{"loc.zvd", 5, 89}, {"loc.zvd", 6, 59}, {"loc.zvd", 7, 60}, {"loc.zvd", 11, 0}}},
        {"ElevationOfTheEdgeOfSpace", {{"loc.zvd", 8, 100000}}},
        {"ElevationOfTheDeepestSea", {{"loc.zvd", 8, -11000}}},
        // The far ends of the Earth's zones, at Mecca's longitude.
        {"ZoneOfPlus14", {{"loc.zvd", 9, 14}}},
        {"ZoneOfMinus12", {{"loc.zvd", 9, -12}}},
        {"CityHuge", {{"loc.zvd", 14, kMax}}},
        {"PressureOf1e15", {{"loc.zvd", 15, 1e15}}},
        {"PressureHuge", {{"loc.zvd", 15, kMax}}},
        {"PressureHugeNegative", {{"loc.zvd", 15, -kMax}}},
        {"TemperatureHuge", {{"loc.zvd", 16, kMax}}},
        {"TemperatureAbsoluteZero", {{"loc.zvd", 16, -273.15}}},
        {"TemperatureHugeNegative", {{"loc.zvd", 16, -kMax}}},
        {"HumidityHuge", {{"loc.zvd", 17, kMax}}},
        {"LapseRateHuge", {{"loc.zvd", 18, kMax, true}}},
        {"LapseRateHugeNegative", {{"loc.zvd", 18, -kMax, true}}},
        // date.zvd: the report range (and the Qibla times').
        {"OneDayYearHuge", {{"date.zvd", 2, kMax}, {"date.zvd", 5, kMax}}},
        {"OneDayYearHugeNegative", {{"date.zvd", 2, -kMax}, {"date.zvd", 5, -kMax}}},
        {"OneDayYearOf1e15", {{"date.zvd", 2, 1e15}, {"date.zvd", 5, 1e15}}},
        {"OneDayYearOf4e5", {{"date.zvd", 2, 4e5}, {"date.zvd", 5, 4e5}}},
        {"FirstYearHugeNegative", {{"date.zvd", 2, -kMax}}},
        {"LastYearHuge", {{"date.zvd", 5, kMax}}},
        {"MonthAndDayHuge", {{"date.zvd", 3, kMax}, {"date.zvd", 4, -kMax}}},
        // The tool windows' own files.
        {"TelescopeYearOf1e6", {{"tele.zvd", 1, 1e6}}},
        {"TelescopeYearHuge", {{"tele.zvd", 1, kMax}}},
        {"TelescopeHourHuge", {{"tele.zvd", 4, kMax}}},
        {"EphemerisYearOf1e5", {{"coor.zvd", 4, 1e5}, {"coor.zvd", 10, 1e5}}},
        {"EphemerisYearsHuge", {{"coor.zvd", 4, -kMax}, {"coor.zvd", 10, kMax}}},
        {"EphemerisStepTiny", {{"coor.zvd", 16, 1e-300}}},
        {"EphemerisStepHuge", {{"coor.zvd", 16, kMax}}},
        {"PhaseYearHuge", {{"phase.zvd", 1, kMax, true}}},
        {"PhaseYearFarNegative", {{"phase.zvd", 1, -1e15, true}}},
        {"CrescentYearHuge", {{"visib.zvd", 3, kMax, true}}},
        {"CrescentYearOf4e5", {{"visib.zvd", 3, 4e5, true}}},
        // alert.zvd: the minutes of the beep before a prayer.
        {"BeepMinutesHuge", {{"alert.zvd", 2, kMax}}},
        {"BeepMinutesHugeNegative", {{"alert.zvd", 2, -kMax}}},
        // loc.txt: a saved place, listed by the location dialog.
        {"SavedPlaceLatitudeHuge", {{"loc.txt", 2, kMax}}},
    };
    return r;
}

// Values that are no place on Earth. They once ran through every window (as
// the rows above do) and gave times wrapped round the clock, years printed
// wrong or no times at all; now loc.zvd holding one is a damaged file.
const std::vector<Row>& refusedRows()
{
    static const std::vector<Row> r = {
        {"ZoneOf26",
         {{"loc.zvd", 9, 26}},
         "Field 9 holds \"26\"",
         "الحقل 9 يحوي \u2066\"26\"\u2069"},
        {"ZoneOfMinus12AndAHalf",
         {{"loc.zvd", 9, -12.5}},
         "Field 9 holds \"-12.5\"",
         "الحقل 9 يحوي \u2066\"-12.5\"\u2069"},
        {"ZoneOf1e9", {{"loc.zvd", 9, 1e9}}, "Field 9 holds", "الحقل 9 يحوي"},
        {"ZoneOfMinus1e9", {{"loc.zvd", 9, -1e9}}, "Field 9 holds", "الحقل 9 يحوي"},
        {"ZoneHuge", {{"loc.zvd", 9, kMax}}, "Field 9 holds", "الحقل 9 يحوي"},
        {"LatitudeOf1e15", {{"loc.zvd", 5, 1e15}}, "Fields 5 to 7 hold", "الحقول 5 إلى 7 تحوي"},
        {"LatitudeHuge", {{"loc.zvd", 5, kMax}}, "Fields 5 to 7 hold", "الحقول 5 إلى 7 تحوي"},
        {"LatitudeHugeNegative",
         {{"loc.zvd", 5, -kMax}},
         "Fields 5 to 7 hold",
         "الحقول 5 إلى 7 تحوي"},
        {"LatitudeSecondsHugeNegative",
         {{"loc.zvd", 7, -kMax}},
         "Fields 5 to 7 hold",
         "الحقول 5 إلى 7 تحوي"},
        {"LatitudeOf91", {{"loc.zvd", 5, 91}}, "Fields 5 to 7 hold", "الحقول 5 إلى 7 تحوي"},
        {"ElevationHuge", {{"loc.zvd", 8, kMax}}, "Field 8 holds", "الحقل 8 يحوي"},
        {"ElevationHugeNegative", {{"loc.zvd", 8, -kMax}}, "Field 8 holds", "الحقل 8 يحوي"},
        {"ElevationOf1e7", {{"loc.zvd", 8, 1e7}}, "Field 8 holds", "الحقل 8 يحوي"},
    };
    return r;
}

// The field `field` (1-based) of the first line of a settings text replaced.
std::string withField(const std::string& contents, int field, const std::string& value)
{
    const size_t lineEnd = contents.find("\r\n");
    const std::string rest = lineEnd == std::string::npos ? "\r\n" : contents.substr(lineEnd);
    return testsupport::withField(contents.substr(0, lineEnd), field, value) + rest;
}

bool isTimeOrMarker(const QString& t)
{
    static const QRegularExpression form(
        QStringLiteral("^(([01]\\d|2[0-4]):[0-5]\\d(:[0-5]\\d)?|----|Up|Down|Bright|Dark)$"));
    return form.match(t).hasMatch();
}

// The lines of a report that hold a number it could not give, as the
// formatting library spells it ("nan", "-inf").
std::string linesWithoutANumber(const std::string& report)
{
    static const QRegularExpression word(
        QString::fromLatin1(R"((^|[^A-Za-z])(nan|inf|NaN|INF|NAN|Inf)([^A-Za-z]|$))"));
    std::string found;
    size_t start = 0;
    while (start < report.size()) {
        size_t end = report.find('\n', start);
        if (end == std::string::npos)
            end = report.size();
        const std::string line = report.substr(start, end - start);
        if (word.match(QString::fromStdString(line)).hasMatch())
            found += line + "\n";
        start = end + 1;
    }
    return found;
}

// The windows of the main program, by the buttons that open them, and the
// buttons that make each window compute.
const struct {
    const char* button;
    const char* kind;
    std::vector<const char*> compute;
} kWindows[] = {
    {"cmdpre", "frmpreferences", {}},
    {"cmdloc", "frmlocation", {}},
    {"cmdale", "frmalerts", {}},
    {"cmddat", "frmdate", {}},
    {"cmdcresv", "frmcresv", {"cmdprev", "cmdcalc"}},
    {"cmdpha", "frmphase", {"cmdcalc"}},
    {"cmdcon", "frmhej", {"cmdcon"}},
    {"cmdqib", "frmqib", {"cmdqib"}},
    {"cmdcoor", "frmcoor", {"cmdcalc"}},
    {"cmdtele", "frmtele", {"cmdcalc"}},
};

// Hand-overs of one run after which the test presses Cancel: the rows of a
// range that has no end in sight.
constexpr int kHandOversBeforeCancel = 40;

class ExtremeSettings : public testsupport::ProgramFolderTest,
                        public ::testing::WithParamInterface<Row> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        putDefaultSettings();
        putSeriesFiles();
        std::filesystem::copy(MIQATIX_CRESCENT_DIR, folder() / "images");
        put("date.zvd", kThreeDays);
        // Every alert on, so that the alert program keeps running.
        put("alert.zvd", "1,10,1,0,#TRUE#,#TRUE#,#TRUE#,#TRUE#\r\n");
        for (const Edit& e : GetParam().edits) {
            const std::string value = settings::formatNumber(e.value);
            put(e.file, withField(get(e.file), e.field, e.quoted ? "\"" + value + "\"" : value));
        }

        clock_ = alerttest::localTime(2027, 3, 10, 12, 0);
        platform::setClock([this] { return clock_; });
        platform::setStopHandler([](const platform::FileFault& fault) {
            std::cerr << "stop: " << fault.file() << ": " << fault.what() << "\n";
            throw fault;
        });
        platform::setMessageResponder([this](const platform::MessageRequest& r) {
            messages.push_back(r.text.toStdString());
            return platform::MsgAnswer::Ok;
        });
        platform::setTextFileShower(
            [this](const platform::TextFileView& v) { shown.push_back(v.file); });
        platform::setEventProcessor([this] {
            if (++handOvers % kHandOversBeforeCancel == 0 && frmwait::isLoaded())
                frmwait::form().bcancel->click();
            QCoreApplication::processEvents();
        });
        platform::setBeeper([] {});
        mainwindow::registerProgramWindows();
    }

    void TearDown() override
    {
        windows::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        frmwait::unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        cancelflag = 0;
        platform::setEventProcessor({});
        platform::setTextFileShower({});
        platform::setMessageResponder({});
        platform::setBeeper({});
        platform::setClock({});
        platform::setFaultLanguage(true);
        ProgramFolderTest::TearDown();
    }

    // Opens the window of `button`, makes it compute, and closes it again. A
    // modal window is handled from inside its own event loop.
    void exercise(frmmain* main, const char* button, const char* kind,
                  const std::vector<const char*>& compute)
    {
        bool handled = false;
        QTimer::singleShot(0, [&] {
            handled = true;
            QPointer<QWidget> w = windows::find(QString::fromLatin1(kind));
            if (!w) {
                ADD_FAILURE() << kind << " did not open";
                return;
            }
            for (const char* name : compute) {
                auto* b = w->findChild<QAbstractButton*>(QString::fromLatin1(name));
                if (b && b->isEnabled() && w)
                    b->click();
            }
            if (w)
                w->close();
        });
        auto* open = main->findChild<QAbstractButton*>(QString::fromLatin1(button));
        ASSERT_NE(open, nullptr) << button;
        open->click();
        for (int i = 0; i < 10 && !handled; ++i)
            QCoreApplication::processEvents();
        EXPECT_TRUE(handled) << kind;
    }

    platform::Clock::time_point clock_;
    std::vector<std::string> messages;
    std::vector<std::filesystem::path> shown;
    int handOvers = 0;
};

TEST_P(ExtremeSettings, BothProgramsStartAndEveryComputationEnds)
{
    // The main program: start-up and today's panel.
    frmmain* main = nullptr;
    ASSERT_NO_THROW(main = frmmain::load());
    ASSERT_NE(main, nullptr);
    main->show();
    for (const char* name : {"lbltfaj", "lbltshr", "lbltdoh", "lbltasr", "lbltmag", "lbltish"}) {
        const QString t = main->findChild<QLabel*>(QString::fromLatin1(name))->text();
        EXPECT_TRUE(isTimeOrMarker(t)) << name << ": " << t.toStdString();
    }

    // The two reports of the main window.
    for (const char* button : {"cmdcom", "cmdmoon"}) {
        SCOPED_TRACE(button);
        handOvers = 0;
        ASSERT_NO_THROW(main->findChild<QAbstractButton*>(QString::fromLatin1(button))->click());
        ASSERT_EQ(frmmain::instance(), main);
    }

    // Every window and dialog opens, and the tools compute.
    for (const auto& w : kWindows) {
        SCOPED_TRACE(w.kind);
        handOvers = 0;
        ASSERT_NO_THROW(exercise(main, w.button, w.kind, w.compute));
        ASSERT_EQ(frmmain::instance(), main);
    }

    for (const char* report : {"results.out", "mresults.out", "ephemeris.out", "visib.out"}) {
        if (!std::filesystem::exists(file(report)))
            continue;
        EXPECT_EQ(linesWithoutANumber(get(report)), "") << report;
    }
    for (const std::string& m : messages)
        EXPECT_EQ(m.find("not found"), std::string::npos) << m;

    // The alert program: start-up, today's times and one tick of its loop.
    alerts::EngineDayTimes source;
    auto waiter = std::make_unique<alerttest::StepWaiter>(clock_);
    alerts::frmmain2 alerts(source, std::make_unique<platform::RecordingPlayerLog>(),
                            std::move(waiter));
    alerts.setServerName(QStringLiteral("miqatix-extremes-test-%1").arg(::getpid()));
    alerts.setProgramEnd([] {});
    ASSERT_NO_THROW(alerts.start());
    for (auto p : {alerts::Prayer::Fajr, alerts::Prayer::Dhuhr, alerts::Prayer::Asr,
                   alerts::Prayer::Maghrib, alerts::Prayer::Isha})
        EXPECT_TRUE(isTimeOrMarker(alerts.prayerText(p))) << alerts.prayerText(p).toStdString();
    clock_ += std::chrono::minutes(1);
    ASSERT_NO_THROW(alerts.Timer1_Timer());
}

INSTANTIATE_TEST_SUITE_P(Rows, ExtremeSettings, ::testing::ValuesIn(rows()),
                         [](const ::testing::TestParamInfo<Row>& info) {
                             return std::string(info.param.name);
                         });

using RefusedSettings = ExtremeSettings;

// Both programs stop at their start, naming loc.zvd and the field, in the
// interface language; a loc.zvd damaged so while they run stops the main
// window's reports and the alert program's next tick alike.
TEST_P(RefusedSettings, BothProgramsStopNamingTheFileAndTheField)
{
    const std::string damaged = get("loc.zvd");
    const auto expectFault = [this](const std::function<void()>& run, bool english) {
        try {
            run();
            ADD_FAILURE() << "it went on";
        } catch (const platform::FileFault& fault) {
            EXPECT_EQ(fault.file(), "loc.zvd");
            EXPECT_EQ(fault.kind(), platform::FileFaultKind::BadData);
            EXPECT_EQ(platform::faultLanguage(), english);
            const std::string shown = fault.message(platform::faultLanguage());
            EXPECT_NE(shown.find("loc.zvd"), std::string::npos) << shown;
            EXPECT_NE(shown.find(english ? GetParam().fieldsEnglish : GetParam().fieldsArabic),
                      std::string::npos)
                << shown;
            // The value held and the bounds keep their signs left of their
            // digits in the Arabic message.
            if (!english) {
                EXPECT_TRUE(testsupport::signsOnTheFarSide(QString::fromStdString(shown)).isEmpty())
                    << shown;
            }
        }
    };
    for (const bool english : {true, false}) {
        SCOPED_TRACE(english ? "English" : "Arabic");
        put("pref.zvd", withField(get("pref.zvd"), 15, english ? "#TRUE#" : "#FALSE#"));
        put("loc.zvd", damaged);
        platform::setFaultLanguage(!english);
        expectFault([] { frmmain::load(); }, english);
        windows::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        alerts::EngineDayTimes source;
        const auto alertProgram = [&] {
            auto p = std::make_unique<alerts::frmmain2>(
                source, std::make_unique<platform::RecordingPlayerLog>(),
                std::make_unique<alerttest::StepWaiter>(clock_));
            p->setServerName(QStringLiteral("miqatix-refused-test-%1").arg(::getpid()));
            p->setProgramEnd([] {});
            return p;
        };
        {
            auto alerts = alertProgram();
            platform::setFaultLanguage(!english);
            expectFault([&] { alerts->start(); }, english);
        }

        // Damaged while both run.
        put("loc.zvd", kSoundPlace);
        frmmain* main = frmmain::load();
        ASSERT_NE(main, nullptr);
        auto alerts = alertProgram();
        alerts->start();
        put("loc.zvd", damaged);
        // The handlers are called, not clicked: a fault thrown through Qt's
        // signal code (built without unwinding) would leak its guards.
        expectFault([&] { main->cmdcom_Click(); }, english);
        expectFault([&] { main->cmdmoon_Click(); }, english);
        clock_ += std::chrono::minutes(1);
        platform::setFaultLanguage(!english);
        expectFault([&] { alerts->Timer1_Timer(); }, english);
        alerts.reset();
        windows::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        frmwait::unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        cancelflag = 0;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, RefusedSettings, ::testing::ValuesIn(refusedRows()),
                         [](const ::testing::TestParamInfo<Row>& info) {
                             return std::string(info.param.name);
                         });

} // namespace

#include <algorithm>
#include <cstring>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTextLayout>
#include <QTimer>

#include "dialogtest.h"
#include "settings/dialogs/frmlocation.h"
#include "settings/liveread.h"
#include "settings/records.h"
#include "support/signedtext.h"

using namespace dialogtest;

namespace {

const char kLocZvd[] =
    "\"Mecca\",39,49,34,21,25,21,277,3,#TRUE#,#TRUE#,#FALSE#,#FALSE#,0,1010,10,0,\"0.0065\"\r\n";

// A small list of its own, in file order (not alphabetical).
const char kLocTxt[] = "\"Mecca\",21,25,21,39,49,34,1,1,3,277,0,1010,10,0,\"0.0065\"\r\n"
                       "\"Medina\",24,28,0,39,36,0,1,1,3,608,0,1010,10,0,\"0.0065\"\r\n"
                       "\"Jerusalem\",31,46,41,35,14,7,1,1,2,754,0,1010,10,0,\"0.0065\"\r\n"
                       "\"Cairo\",30,2,40,31,14,8,1,1,2,23,0,1010,10,0,\"0.0065\"\r\n"
                       "\"Amman\",31,57,0,35,56,0,1,1,3,777,0,1010,10,0,\"0.0065\"\r\n";

class LocationTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        put("loc.txt", kLocTxt);
        put("loc.zvd", kLocZvd);
    }

    QLineEdit* box(frmlocation& d, const char* name) { return child<QLineEdit>(&d, name); }
    QRadioButton* opt(frmlocation& d, const char* name) { return child<QRadioButton>(&d, name); }
    QStringList names(frmlocation& d)
    {
        QStringList out;
        QListWidget* list = child<QListWidget>(&d, "List1");
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    QString selected(frmlocation& d)
    {
        const QListWidgetItem* item = child<QListWidget>(&d, "List1")->currentItem();
        return item ? item->text() : QString();
    }
    std::vector<std::string> savedNames()
    {
        std::vector<std::string> out;
        for (const auto& loc : settings::readSavedLocations())
            out.push_back(loc.locname);
        return out;
    }
    // Fills the boxes with a complete, valid location.
    void enter(frmlocation& d, const char* name)
    {
        box(d, "txtname")->setText(QString::fromUtf8(name));
        box(d, "txtlatid")->setText("51");
        box(d, "txtlatim")->setText("30");
        box(d, "txtlatis")->setText("0");
        box(d, "txtlongid")->setText("0");
        box(d, "txtlongim")->setText("7");
        box(d, "txtlongis")->setText("39");
        opt(d, "optn")->setChecked(true);
        opt(d, "optw")->setChecked(true);
        box(d, "txtzon")->setText("0");
        box(d, "txtele")->setText("35");
        box(d, "txtcity")->setText("0");
        box(d, "txtpre")->setText("1013");
        box(d, "txttem")->setText("12");
        box(d, "txthum")->setText("70");
        box(d, "txtalpha")->setText("0.0065");
    }
};

} // namespace

TEST_F(LocationTest, LoadListsTheNamesAndShowsTheMatchingEntry)
{
    // loc.zvd holds another elevation than the list: the entry wins.
    put("loc.zvd", "\"Mecca\",39,49,34,21,25,21,999,3,#TRUE#,#TRUE#,#FALSE#,#FALSE#,0,1010,10,0,"
                   "\"0.0065\"\r\n");
    frmlocation d;
    EXPECT_EQ(names(d), QStringList({"Amman", "Cairo", "Jerusalem", "Mecca", "Medina"}));
    EXPECT_EQ(selected(d), "Mecca");
    EXPECT_EQ(box(d, "txtele")->text(), "277");
    EXPECT_EQ(box(d, "txtlatid")->text(), "21");
    EXPECT_EQ(box(d, "txtlongid")->text(), "39");
    EXPECT_TRUE(opt(d, "opte")->isChecked());
    EXPECT_TRUE(opt(d, "optn")->isChecked());
}

TEST_F(LocationTest, ClickingAnEntryLoadsIt)
{
    frmlocation d;
    child<QListWidget>(&d, "List1")->setCurrentRow(1); // Cairo
    EXPECT_EQ(box(d, "txtname")->text(), "Cairo");
    EXPECT_EQ(box(d, "txtlatid")->text(), "30");
    EXPECT_EQ(box(d, "txtzon")->text(), "2");
    EXPECT_EQ(box(d, "txtalpha")->text(), "0.0065");
}

TEST_F(LocationTest, AddAppendsOneLineAndRefusesAnExactDuplicate)
{
    const std::string before = get("loc.txt");
    frmlocation d;
    enter(d, "London");
    box(d, "txtele")->setText("05");
    d.cmdadd_Click();
    EXPECT_EQ(get("loc.txt"),
              before + "\"London\",51,30,0,0,7,39,1,0,0,5,0,1013,12,70,\"0.0065\"\r\n");
    EXPECT_EQ(selected(d), "London");
    EXPECT_EQ(box(d, "txtele")->text(), "5"); // loaded back in stored form

    const std::string withLondon = get("loc.txt");
    messages.clear();
    d.cmdadd_Click();
    ASSERT_EQ(messages.size(), 2u); // the question, then the refusal
    EXPECT_EQ(messages[1].text, "You Can Not Have Two Locations of the Same Name!");
    EXPECT_EQ(messages[1].title, "Name Error");
    EXPECT_EQ(get("loc.txt"), withLondon);

    box(d, "txtname")->setText("london"); // names are compared case-sensitively
    d.cmdadd_Click();
    EXPECT_EQ(savedNames().back(), "london");
    EXPECT_EQ(names(d).count("London"), 1);
    EXPECT_EQ(names(d).count("london"), 1);

    answers = {platform::MsgAnswer::No};
    box(d, "txtname")->setText("Paris");
    const std::string beforeNo = get("loc.txt");
    d.cmdadd_Click();
    EXPECT_EQ(get("loc.txt"), beforeNo);
}

TEST_F(LocationTest, ANameWithACommaStaysOneName)
{
    frmlocation d;
    enter(d, "Makkah, KSA");
    d.cmdadd_Click();
    EXPECT_TRUE(names(d).contains("Makkah, KSA"));
    EXPECT_EQ(savedNames().back(), "Makkah, KSA");
    EXPECT_EQ(settings::readSavedLocations().back().alpha, "0.0065");
}

TEST_F(LocationTest, AMissingOrEmptyListFileIsAnEmptyList)
{
    for (const bool missing : {true, false}) {
        if (missing)
            std::filesystem::remove(file("loc.txt"));
        else
            put("loc.txt", "");
        frmlocation d;
        EXPECT_TRUE(names(d).isEmpty());
        EXPECT_EQ(box(d, "txtname")->text(), "Mecca"); // from loc.zvd
        d.cmdadd_Click();
        EXPECT_EQ(savedNames(), std::vector<std::string>{"Mecca"});
        EXPECT_EQ(names(d), QStringList{"Mecca"});
    }
}

TEST_F(LocationTest, ModifyReplacesByNameAndMovesTheLineToTheEnd)
{
    // Two lines of one name, made by hand: both go.
    put("loc.txt", get("loc.txt") + "\"Medina\",1,1,1,1,1,1,1,1,3,1,0,1010,10,0,\"0.0065\"\r\n");
    frmlocation d;
    child<QListWidget>(&d, "List1")->setCurrentRow(4); // Medina
    box(d, "txtele")->setText("610");
    d.cmdmod_Click();
    EXPECT_EQ(savedNames(),
              (std::vector<std::string>{"Mecca", "Jerusalem", "Cairo", "Amman", "Medina"}));
    EXPECT_EQ(settings::readSavedLocations().back().ele, 610);
    EXPECT_EQ(settings::readSavedLocations().back().latid, 24);
    EXPECT_EQ(names(d), QStringList({"Amman", "Cairo", "Jerusalem", "Mecca", "Medina"}));
    EXPECT_EQ(selected(d), "Medina");

    // A new name in the box: the old entry stays, the new one is added.
    box(d, "txtname")->setText("Madinah");
    d.cmdmod_Click();
    EXPECT_EQ(savedNames().size(), 6u);
    EXPECT_EQ(savedNames().back(), "Madinah");
}

TEST_F(LocationTest, DeleteAsksTwiceAndRemovesByTheNameInTheBox)
{
    frmlocation d;
    box(d, "txtname")->setText("Cairo");
    answers = {platform::MsgAnswer::Yes, platform::MsgAnswer::No};
    const std::string before = get("loc.txt");
    d.cmddel_Click();
    EXPECT_EQ(get("loc.txt"), before);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, "Again... You will delete this location!");

    d.cmddel_Click();
    EXPECT_EQ(savedNames(), (std::vector<std::string>{"Mecca", "Medina", "Jerusalem", "Amman"}));
    EXPECT_EQ(selected(d), "Amman"); // the first entry is loaded
    EXPECT_EQ(box(d, "txtname")->text(), "Amman");

    for (const char* name : {"Amman", "Jerusalem", "Mecca", "Medina"}) {
        box(d, "txtname")->setText(name);
        d.cmddel_Click();
    }
    EXPECT_EQ(get("loc.txt"), "");
    EXPECT_TRUE(names(d).isEmpty());
    EXPECT_FALSE(std::filesystem::exists(file("temp.txt")));
}

TEST_F(LocationTest, AnEmptyHemisphereFieldReadsAsSouthAndWest)
{
    put("loc.txt", "\"Nowhere\",10,0,0,20,0,0,,,0,0,0,1010,10,0,\"0.0065\"\r\n");
    frmlocation d;
    child<QListWidget>(&d, "List1")->setCurrentRow(0);
    EXPECT_TRUE(opt(d, "opts")->isChecked());
    EXPECT_TRUE(opt(d, "optw")->isChecked());
    EXPECT_FALSE(opt(d, "optn")->isChecked());
    EXPECT_FALSE(opt(d, "opte")->isChecked());
}

TEST_F(LocationTest, OkWritesTheCurrentLocationFromTheBoxes)
{
    frmlocation d;
    QSignalSpy saved(&d, &frmlocation::saved);
    enter(d, "London");
    box(d, "txtlatid")->setText("-5"); // stored as typed, beside its hemisphere
    box(d, "txtlongim")->setText("12abc");
    box(d, "txtcity")->setText("1 5");
    box(d, "txtalpha")->setText("0,0065"); // a decimal comma is a lapse rate too
    box(d, "txtpre")->setText("0");        // a pressure of 0 is accepted
    d.cmdok_Click();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(get("loc.zvd"), "\"London\",0,12,39,-5,30,0,35,0,#FALSE#,#TRUE#,#TRUE#,#FALSE#,15,"
                              "0,12,70,\"0,0065\"\r\n");
    EXPECT_EQ(saved.count(), 1);
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

// The engine keeps the place it read last; a save by the dialog counts at its
// very next call, with no hand-over to the message loop in between.
TEST_F(LocationTest, TheEnginesNextCallTakesTheSavedPlace)
{
    EXPECT_EQ(settings::liveCurrentLocation().locname, "Mecca");
    frmlocation d;
    enter(d, "Jerusalem");
    d.cmdok_Click();
    EXPECT_EQ(settings::liveCurrentLocation().locname, "Jerusalem");
    EXPECT_DOUBLE_EQ(settings::liveCurrentLocation().zon, 0);
    EXPECT_DOUBLE_EQ(settings::liveCurrentLocation().latid, 51);
}

TEST_F(LocationTest, UnsoundRefractionValuesAndDoubleQuotesAreRefused)
{
    const struct {
        const char* box;
        const char* text;
        const char* message;
    } cases[] = {
        {"txtpre", "-1", "The air pressure can not be negative!"},
        {"txttem", "-273", "The temperature must be above -273 °C!"},
        {"txttem", "-300", "The temperature must be above -273 °C!"},
        {"txtalpha", "", "Alpha (the temperature lapse rate) must be a number other than 0!"},
        {"txtalpha", "abc", "Alpha (the temperature lapse rate) must be a number other than 0!"},
        {"txtalpha", "0", "Alpha (the temperature lapse rate) must be a number other than 0!"},
        {"txtalpha", "0,0", "Alpha (the temperature lapse rate) must be a number other than 0!"},
        {"txtalpha", "0.0\"065", "This text can not hold a double quote (\")!"},
        {"txtname", "The \"Old\" Town", "This text can not hold a double quote (\")!"},
    };
    for (const auto& c : cases) {
        for (const bool ok : {true, false}) {
            put("loc.zvd", kLocZvd);
            const std::string list = get("loc.txt");
            messages.clear();
            frmlocation d;
            enter(d, "Testville");
            box(d, c.box)->setText(QString::fromUtf8(c.text));
            if (ok)
                d.cmdok_Click();
            else
                d.cmdadd_Click();
            ASSERT_FALSE(messages.empty()) << c.box << " " << c.text;
            EXPECT_EQ(messages[0].text, QString::fromUtf8(c.message)) << c.text;
            EXPECT_EQ(d.focusWidget(), box(d, c.box)) << c.text;
            EXPECT_EQ(get("loc.zvd"), kLocZvd) << c.text;
            EXPECT_EQ(get("loc.txt"), list) << c.text;
            EXPECT_EQ(d.result(), QDialog::Rejected);
        }
    }
}

// A zone beyond the Earth's clocks is refused under the box's name, for OK,
// Add and Modify alike; the zones at the ends are saved. 1e309 stays "too
// large", as every number box says it.
TEST_F(LocationTest, AZoneBeyondTheEarthsClocksIsRefused)
{
    const struct {
        const char* zone;
        bool saved;
    } zones[] = {
        {"-12", true},   {"14", true},     {"-12.5", false},  {"14.25", false},
        {"15.5", false}, {"26", false},    {"100", false},    {"1e8", false},
        {"1e15", false}, {"1e308", false}, {"-1e308", false},
    };
    const char* buttons[] = {"cmdok", "cmdadd", "cmdmod"};
    for (const auto& z : zones) {
        for (const char* button : buttons) {
            SCOPED_TRACE(std::string(z.zone) + " " + button);
            put("loc.zvd", kLocZvd);
            put("loc.txt", kLocTxt);
            messages.clear();
            frmlocation d;
            enter(d, "Testville");
            box(d, "txtzon")->setText(z.zone);
            child<QPushButton>(&d, button)->click();
            if (z.saved) {
                const std::string written = button == std::string("cmdok")
                                                ? get("loc.zvd")
                                                : get("loc.txt").substr(std::strlen(kLocTxt));
                EXPECT_NE(written.find(std::string(",") + z.zone + ","), std::string::npos)
                    << written;
                continue;
            }
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].title, "Location Error");
            EXPECT_EQ(messages[0].text, "The time zone must be between -12 and +14 hours!");
            EXPECT_EQ(d.focusWidget(), box(d, "txtzon"));
            EXPECT_EQ(get("loc.zvd"), kLocZvd);
            EXPECT_EQ(get("loc.txt"), kLocTxt);
            EXPECT_EQ(d.result(), QDialog::Rejected);
        }
    }
}

// A saved place that holds a far zone (loc.txt edited by hand) does not reach
// loc.zvd: OK refuses it as it refuses the zone typed.
TEST_F(LocationTest, ASavedPlaceWithAFarZoneIsNotSavedAsTheCurrentOne)
{
    put("loc.txt", std::string(kLocTxt) +
                       "\"Faraway\",21,25,21,39,49,34,1,1,26,277,0,1010,10,0,\"0.0065\"\r\n");
    frmlocation d;
    // The line is damaged: it is told of, kept in the file and not listed.
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains("Line 6: field 10")) << messages[0].text.toStdString();
    EXPECT_EQ(names(d).indexOf("Faraway"), -1);
    // Typed into the box, the same zone is refused.
    box(d, "txtzon")->setText("26");
    d.cmdok_Click();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, "The time zone must be between -12 and +14 hours!");
    EXPECT_EQ(get("loc.zvd"), kLocZvd);
}

// A latitude counts whole (degrees + minutes/60 + seconds/3600, of any sign
// each): beyond 90 degrees it is refused under the degrees box's name.
TEST_F(LocationTest, ALatitudeBeyondThePoleIsRefused)
{
    const struct {
        const char *degrees, *minutes, *seconds;
        bool saved;
    } latitudes[] = {
        {"90", "0", "0", true},    {"89", "59", "60", true},    {"-90", "0", "0", true},
        {"45", "2700", "0", true}, {"90", "0", "1", false},     {"91", "0", "0", false},
        {"-91", "0", "0", false},  {"0", "0", "324001", false}, {"1e308", "0", "0", false},
    };
    for (const auto& l : latitudes) {
        for (const char* button : {"cmdok", "cmdadd", "cmdmod"}) {
            SCOPED_TRACE(std::string(l.degrees) + " " + l.minutes + " " + l.seconds + " " + button);
            put("loc.zvd", kLocZvd);
            put("loc.txt", kLocTxt);
            messages.clear();
            frmlocation d;
            enter(d, "Testville");
            box(d, "txtlatid")->setText(l.degrees);
            box(d, "txtlatim")->setText(l.minutes);
            box(d, "txtlatis")->setText(l.seconds);
            child<QPushButton>(&d, button)->click();
            if (l.saved) {
                EXPECT_TRUE(get("loc.zvd") != kLocZvd || get("loc.txt") != kLocTxt);
                continue;
            }
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].title, "Latitude Error");
            EXPECT_EQ(messages[0].text, "The latitude can not be more than 90 degrees!");
            EXPECT_EQ(d.focusWidget(), box(d, "txtlatid"));
            EXPECT_EQ(get("loc.zvd"), kLocZvd);
            EXPECT_EQ(get("loc.txt"), kLocTxt);
        }
    }
}

// An elevation from the deepest sea to the edge of space is saved; beyond,
// it is refused under the box's name.
TEST_F(LocationTest, AnElevationBeyondAnyPlaceIsRefused)
{
    const struct {
        const char* metres;
        bool saved;
    } elevations[] = {
        {"-11000", true},    {"100000", true}, {"-11001", false},
        {"100000.5", false}, {"1e7", false},   {"1e308", false},
    };
    for (const auto& e : elevations) {
        for (const char* button : {"cmdok", "cmdadd", "cmdmod"}) {
            SCOPED_TRACE(std::string(e.metres) + " " + button);
            put("loc.zvd", kLocZvd);
            put("loc.txt", kLocTxt);
            messages.clear();
            frmlocation d;
            enter(d, "Testville");
            box(d, "txtele")->setText(e.metres);
            child<QPushButton>(&d, button)->click();
            if (e.saved) {
                EXPECT_TRUE(get("loc.zvd") != kLocZvd || get("loc.txt") != kLocTxt);
                continue;
            }
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].title, "Location Error");
            EXPECT_EQ(messages[0].text, "The elevation must be between -11000 and 100000 metres!");
            EXPECT_EQ(d.focusWidget(), box(d, "txtele"));
            EXPECT_EQ(get("loc.zvd"), kLocZvd);
            EXPECT_EQ(get("loc.txt"), kLocTxt);
        }
    }
}

TEST_F(LocationTest, RefusalsSpeakArabicWithTheArabicInterface)
{
    put("pref.zvd", "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#FALSE#,\"1\",\"1\",0,0,1\r\n");
    frmlocation d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("الموقع"));
    // Right to left the buttons read OK, Add, Modify, Delete, Cancel.
    int last = INT_MAX;
    for (const char* name : {"cmdok", "cmdadd", "cmdmod", "cmddel", "cmdcancel"}) {
        const int x = child<QWidget>(&d, name)->x();
        EXPECT_LT(x, last) << name;
        last = x;
    }
    for (const char* name : {"fraothers", "opte", "lblzon", "lblcity", "txtele", "txtalpha"})
        EXPECT_EQ(child<QWidget>(&d, name)->layoutDirection(), Qt::RightToLeft) << name;
    for (const char* name :
         {"List1", "txtname", "txtlatid", "lbllatid", "lblmod", "lbladd", "txtzon"})
        EXPECT_EQ(child<QWidget>(&d, name)->layoutDirection(), Qt::LeftToRight) << name;
    box(d, "txtpre")->setText("-5");
    d.cmdok_Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("الضغط الجوي لا يمكن أن يكون سالبا"));
    EXPECT_TRUE(messages[0].rightToLeft);

    // Each signed number stays one left-to-right run, its sign left of its
    // digits as the boxes show it.
    const struct {
        const char* box;
        const char* text;
        QString message;
    } places[] = {
        {"txtzon", "26",
         QStringLiteral("النطاق الزمني يجب أن يكون بين \u2066-12\u2069 و \u2066+14\u2069 ساعة")},
        {"txtlatid", "91", QStringLiteral("خط العرض لا يمكن أن يزيد عن 90 درجة")},
        {"txtele", "1e7",
         QStringLiteral("الإرتفاع يجب أن يكون بين \u2066-11000\u2069 و 100000 متر")},
        {"txttem", "-300", QStringLiteral("درجة الحرارة يجب أن تكون أعلى من \u2066-273\u2069 م")},
        {"txtzon", "3\n5", QStringLiteral("خانة النطاق الزمني لا يمكن أن تحتوي على فاصل أسطر")},
    };
    for (const auto& p : places) {
        messages.clear();
        box(d, "txtpre")->setText("1010");
        box(d, p.box)->setText(p.text);
        d.cmdok_Click();
        ASSERT_EQ(messages.size(), 1u) << p.box;
        EXPECT_EQ(messages[0].text, p.message);
        EXPECT_TRUE(testsupport::signsOnTheFarSide(messages[0].text).isEmpty())
            << messages[0].text.toStdString();
        EXPECT_EQ(messages[0].title, QStringLiteral("خطأ"));
        EXPECT_TRUE(messages[0].rightToLeft);
        EXPECT_EQ(d.focusWidget(), box(d, p.box));
        box(d, p.box)->setText("3");
    }
    EXPECT_EQ(get("loc.zvd"), kLocZvd);
}

TEST_F(LocationTest, FailedWritesSaySoAndKeepTheOldFiles)
{
    const std::string oldList = get("loc.txt");
    const std::string oldLocation = get("loc.zvd");
    FailingWriter failing;
    platform::setFileWriter(&failing);
    frmlocation d;
    QSignalSpy saved(&d, &frmlocation::saved);
    enter(d, "London");

    d.cmdadd_Click();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[1].text.contains("loc.txt"));
    EXPECT_EQ(names(d).count("London"), 0);

    messages.clear();
    d.cmdok_Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains("loc.zvd"));
    EXPECT_EQ(saved.count(), 0);
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(box(d, "txtname")->text(), "London");

    messages.clear();
    box(d, "txtname")->setText("Cairo");
    d.cmddel_Click();
    EXPECT_EQ(messages.size(), 3u);
    EXPECT_EQ(get("loc.txt"), oldList);
    EXPECT_EQ(get("loc.zvd"), oldLocation);
}

TEST_F(LocationTest, WithoutLocZvdTheBoxesAndOptionsAreEmpty)
{
    std::filesystem::remove(file("loc.zvd"));
    frmlocation d;
    EXPECT_EQ(box(d, "txtname")->text(), "");
    EXPECT_EQ(box(d, "txtlatid")->text(), "");
    for (const char* name : {"opte", "optw", "optn", "opts"})
        EXPECT_FALSE(opt(d, name)->isChecked()) << name;
    EXPECT_EQ(selected(d), "");
}

// A name written in a single-byte code page shows its letters, and a save
// that does not edit it writes its bytes back unchanged.
TEST_F(LocationTest, EightBitNamesKeepTheirBytes)
{
    const std::string zurich = "\"Z\xFCrich\",8,32,0,47,22,0,408,1,#TRUE#,#TRUE#,#FALSE#,#FALSE#,0,"
                               "1010,10,0,\"0.0065\"\r\n";
    put("loc.zvd", zurich);
    put("loc.txt",
        std::string(kLocTxt) + "\"K\xF6ln\",50,56,0,6,57,0,1,1,1,53,0,1010,10,0,\"0.0065\"\r\n");
    {
        frmlocation d;
        EXPECT_EQ(box(d, "txtname")->text(), QString::fromUtf8("Zürich"));
        EXPECT_TRUE(names(d).contains(QString::fromUtf8("Köln")));
        d.cmdok_Click();
        EXPECT_EQ(get("loc.zvd"), zurich);
    }
    {
        // Modify of an unedited entry finds it by its bytes and keeps them.
        frmlocation d;
        QListWidget* list = child<QListWidget>(&d, "List1");
        list->setCurrentRow(names(d).indexOf(QString::fromUtf8("Köln")));
        d.List1_Click();
        d.cmdmod_Click();
        const auto saved = savedNames();
        EXPECT_EQ(std::count(saved.begin(), saved.end(), "K\xF6ln"), 1);
        EXPECT_EQ(saved.back(), "K\xF6ln");
        // An edited name is written in UTF-8.
        box(d, "txtname")->setText(QString::fromUtf8("Zürich 2"));
        d.cmdok_Click();
        EXPECT_EQ(get("loc.zvd").substr(0, 11), "\"Z\xC3\xBCrich 2\"");
    }
}

// A list that exists but cannot be read is not taken for empty: the message
// says why, in the interface language (an Arabic one with the file's name
// isolated left to right).
TEST_F(LocationTest, AnUnreadableListSaysWhy)
{
    std::filesystem::remove(file("loc.txt"));
    std::filesystem::create_directory(file("loc.txt"));
    for (const bool english : {true, false}) {
        SCOPED_TRACE(english);
        if (!english)
            put("pref.zvd",
                "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#FALSE#,\"1\",\"1\",0,0,1\r\n");
        messages.clear();
        frmlocation d;
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text,
                  english ? QStringLiteral("The file loc.txt can not be read.\nA folder or another "
                                           "kind of entry holds its name.\nNothing was changed.")
                          : QStringLiteral("تعذرت قراءة الملف \u2066loc.txt\u2069.\nيحمل اسمه "
                                           "مجلد أو عنصر من نوع آخر.\nلم يتم تغيير شيء"));
    }
}

namespace {

// The lines of a settings text, each with its own line end (CR LF, LF or CR
// alone; none on a last line without one).
std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        else
            end += text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line;
    return text;
}

// The shipped list, its line 2 (Medina) replaced by `medina`, its line ends
// by `ending` and the last one dropped when `lastEnds` is false.
std::string shippedWith(const std::string& medina, const std::string& ending, bool lastEnds)
{
    std::vector<std::string> lines =
        linesOf(testsupport::readFile(testsupport::dataDir() / "settings" / "loc.txt"));
    EXPECT_EQ(lines.size(), 11u);
    for (std::string& line : lines)
        line = line.substr(0, line.find_first_of("\r\n")) + ending;
    lines[1] = medina + ending;
    if (!lastEnds)
        lines.back().resize(lines.back().size() - ending.size());
    return joined(lines);
}

const char kMedina[] = "\"Medina\",24,28,0,39,36,0,1,1,3,608,0,1010,10,0,\"0.0065\"";

} // namespace

// A line of loc.txt that is not a sound place is told of once, naming the
// file and the line, is not listed, and survives Delete, Add and Modify byte
// for byte, as does every line they do not edit: the other places are no
// longer read across it.
TEST_F(LocationTest, ADamagedLineIsToldOfAndEveryLineAnEditDoesNotTouchSurvives)
{
    const struct {
        const char* what;
        std::string medina;
        const char* ending;
        bool lastEnds;
        const char* why; // a piece of the English detail
    } cases[] = {
        {"five fields cut", "\"Medina\",24,28,0,39,36,0,1,1,3,608", "\r\n", true,
         "Line 2 holds 11 of the 16 fields of a location."},
        {"extra fields", std::string(kMedina) + ",1,2,3,4", "\r\n", true,
         "Line 2 holds more than the 16 fields of a location."},
        {"an open quote", "\"Medina,24,28,0,39,36,0,1,1,3,608,0,1010,10,0,\"0.0065\"", "\r\n", true,
         "Line 2: field 1 goes on after its closing quote (\")."},
        {"an open quote at the end", "\"Medina\",24,28,0,39,36,0,1,1,3,608,0,1010,10,0,\"0.0065",
         "\r\n", true, "Line 2: the text of field 16 has no closing quote (\")."},
        {"a number beyond the range",
         "\"Medina\",24,28,0,39,36,0,1,1,3,608,1e309,1010,10,0,\"0.0065\"", "\r\n", true,
         "Line 2: field 12 is not a number: \"1e309\"."},
        {"a zone of no place on Earth",
         "\"Medina\",24,28,0,39,36,0,1,1,26,608,0,1010,10,0,\"0.0065\"", "\r\n", true,
         "Line 2: field 10 is not a number that is a time zone between -12 and +14 hours: \"26\"."},
        {"letters for a number", "\"Medina\",24,28,0,39,36,0,1,1,3,608,0,1010,10,abc,\"0.0065\"",
         "\r\n", true, "Line 2: field 15 is not a number: \"abc\"."},
        {"CR-only line ends", "\"Medina\",24,28,0,39,36,0,1,1,3,608", "\r", true,
         "Line 2 holds 11"},
        {"LF line ends", std::string(kMedina) + ",1", "\n", true, "Line 2 holds more"},
        {"no line end after the last line", "\"Medina\",24,28,0,39,36,0,1,1,3,608", "\r\n", false,
         "Line 2 holds 11"},
        {"CR-only and no last line end", "\"Medina,24", "\r", false,
         "Line 2: the text of field 1 has no"},
        // A line the dialog would refuse to save.
        {"only commas", std::string(15, ','), "\r\n", true,
         "Line 2: field 16 is not a lapse rate other than 0: \"\"."},
        {"a latitude of 100", "\"Medina\",100,28,0,39,36,0,1,1,3,608,0,1010,10,0,\"0.0065\"", "\n",
         false, "Line 2: fields 2 to 4 give a latitude beyond 90 degrees"},
        {"a line beyond 1 MB",
         "\"Medina" + std::string(size_t(1) << 21, 'x') +
             "\",24,28,0,39,36,0,1,1,3,608,0,1010,10,"
             "0,\"0.0065\"",
         "\r\n", true, "Line 2 runs beyond 1 MB."},
    };
    const QStringList others = {"Amman",   "Cairo",        "Istanbul", "Jakarta", "Jerusalem",
                                "Karachi", "Kuala Lumpur", "London",   "Mecca",   "New York"};
    for (const auto& c : cases) {
        for (const bool english : {true, false}) {
            SCOPED_TRACE(std::string(c.what) + (english ? " (English)" : " (Arabic)"));
            put("pref.zvd", std::string("18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",") +
                                (english ? "#TRUE#" : "#FALSE#") + ",\"1\",\"1\",0,0,1\r\n");
            const std::string damaged = shippedWith(c.medina, c.ending, c.lastEnds);
            const std::vector<std::string> lines = linesOf(damaged);
            ASSERT_EQ(lines.size(), 11u);
            put("loc.txt", damaged);
            messages.clear();
            frmlocation d;
            ASSERT_EQ(messages.size(), 1u);
            const QString& told = messages[0].text;
            EXPECT_TRUE(told.contains(english ? QStringLiteral("The file loc.txt holds a line that")
                                              : QStringLiteral("الملف \u2066loc.txt\u2069 يحوي")))
                << told.toStdString();
            if (english) {
                EXPECT_TRUE(told.contains(QString::fromUtf8(c.why))) << told.toStdString();
            } else {
                EXPECT_TRUE(told.contains(QStringLiteral("السطر 2"))) << told.toStdString();
                EXPECT_TRUE(testsupport::signsOnTheFarSide(told).isEmpty()) << told.toStdString();
            }
            EXPECT_EQ(messages[0].rightToLeft, !english);
            EXPECT_EQ(names(d), others);

            // Jerusalem reads as itself, not smeared by the line before it.
            child<QListWidget>(&d, "List1")->setCurrentRow(others.indexOf("Jerusalem"));
            EXPECT_EQ(box(d, "txtlatid")->text(), "31");
            EXPECT_EQ(box(d, "txtpre")->text(), "1010");

            // Delete of Mecca takes its line only.
            messages.clear();
            box(d, "txtname")->setText("Mecca");
            d.cmddel_Click();
            EXPECT_EQ(messages.size(), 2u); // the two questions, told nothing again
            std::vector<std::string> expected(lines.begin() + 1, lines.end());
            EXPECT_EQ(get("loc.txt"), joined(expected));
            // The first place is loaded, not the damaged line.
            EXPECT_EQ(selected(d), "Amman");
            EXPECT_EQ(box(d, "txtname")->text(), "Amman");
            EXPECT_EQ(box(d, "txtalpha")->text(), "0.0065");

            // Add keeps every line and puts the new one after the last, with
            // the file's own line end.
            enter(d, "Paris");
            d.cmdadd_Click();
            if (!c.lastEnds)
                expected.back() += c.ending;
            expected.push_back(std::string("\"Paris\",51,30,0,0,7,39,1,0,0,35,0,1013,12,70,"
                                           "\"0.0065\"") +
                               c.ending);
            EXPECT_EQ(get("loc.txt"), joined(expected));

            // Modify moves the edited line to the end and leaves the rest.
            d.List1_Click();
            child<QListWidget>(&d, "List1")->setCurrentRow(names(d).indexOf("Jerusalem"));
            box(d, "txtele")->setText("800");
            d.cmdmod_Click();
            expected.erase(expected.begin() + 1); // Jerusalem, now line 2
            expected.push_back(
                std::string("\"Jerusalem\",31,46,41,35,14,7,1,1,2,800,0,1010,10,0,\"0.0065\"") +
                c.ending);
            EXPECT_EQ(get("loc.txt"), joined(expected));
            EXPECT_EQ(messages.size(), 4u); // one question each for Add and Modify
            EXPECT_NE(get("loc.txt").find(c.medina + c.ending), std::string::npos);
        }
    }
}

// Many damaged lines: one message, the first few with their reasons.
TEST_F(LocationTest, ManyDamagedLinesAreToldOfInOneMessage)
{
    std::string text = std::string(kMedina) + "\r\n";
    for (int i = 0; i < 8; ++i)
        text += "\"Broken\",1,2\r\n";
    text += "\r\n" + std::string(kMedina).replace(1, 6, "Cairo") + "\r\n";
    for (const bool english : {true, false}) {
        put("pref.zvd", std::string("18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",") +
                            (english ? "#TRUE#" : "#FALSE#") + ",\"1\",\"1\",0,0,1\r\n");
        put("loc.txt", text);
        messages.clear();
        frmlocation d;
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text,
                  english
                      ? QStringLiteral("The file loc.txt holds 8 lines that are not locations:\n"
                                       "Line 2 holds 3 of the 16 fields of a location.\n"
                                       "Line 3 holds 3 of the 16 fields of a location.\n"
                                       "Line 4 holds 3 of the 16 fields of a location.\n"
                                       "Line 5 holds 3 of the 16 fields of a location.\n"
                                       "Line 6 holds 3 of the 16 fields of a location.\n"
                                       "And 3 more lines.\n"
                                       "They are kept in the file as they are, and they are "
                                       "not listed.")
                      : QStringLiteral("الملف \u2066loc.txt\u2069 يحوي أسطراً ليست مواقع، "
                                       "عددها 8:\n"
                                       "السطر 2 يحوي 3 من حقول الموقع البالغة 16.\n"
                                       "السطر 3 يحوي 3 من حقول الموقع البالغة 16.\n"
                                       "السطر 4 يحوي 3 من حقول الموقع البالغة 16.\n"
                                       "السطر 5 يحوي 3 من حقول الموقع البالغة 16.\n"
                                       "السطر 6 يحوي 3 من حقول الموقع البالغة 16.\n"
                                       "وأسطر أخرى عددها 3.\n"
                                       "ستبقى في الملف كما هي، ولن تظهر في القائمة."));
        EXPECT_EQ(names(d), QStringList({"Cairo", "Medina"}));
    }
}

// A text pasted with a line end would split the place's line in two; a
// number's would be dropped, so that 1, a line end and 2 were saved as 12.
// Every box refuses one under its own name, for OK and Add alike.
TEST_F(LocationTest, ALineBreakInAnyBoxIsRefused)
{
    const struct {
        const char* box;
        const char* title;
        const char* message;
    } boxes[] = {
        {"txtname", "Text Error", "This text can not hold a line break!"},
        {"txtalpha", "Text Error", "This text can not hold a line break!"},
        {"txtlongid", "Longitude Error",
         "The box of the degrees of the longitude can not hold a line break!"},
        {"txtlongim", "Longitude Error",
         "The box of the minutes of the longitude can not hold a line break!"},
        {"txtlongis", "Longitude Error",
         "The box of the seconds of the longitude can not hold a line break!"},
        {"txtlatid", "Latitude Error",
         "The box of the degrees of the latitude can not hold a line break!"},
        {"txtlatim", "Latitude Error",
         "The box of the minutes of the latitude can not hold a line break!"},
        {"txtlatis", "Latitude Error",
         "The box of the seconds of the latitude can not hold a line break!"},
        {"txtzon", "Location Error", "The box of the time zone can not hold a line break!"},
        {"txtele", "Location Error", "The box of the elevation can not hold a line break!"},
        {"txtcity", "Location Error",
         "The box of the distance in the City Settings can not hold a line break!"},
        {"txtpre", "Refraction Error", "The box of the air pressure can not hold a line break!"},
        {"txttem", "Refraction Error", "The box of the temperature can not hold a line break!"},
        {"txthum", "Refraction Error",
         "The box of the relative humidity can not hold a line break!"},
    };
    for (const auto& b : boxes) {
        for (const char* end : {"\n", "\r"}) {
            for (const char* button : {"cmdok", "cmdadd"}) {
                SCOPED_TRACE(std::string(b.box) + (end[0] == '\n' ? " LF " : " CR ") + button);
                put("loc.zvd", kLocZvd);
                put("loc.txt", kLocTxt);
                messages.clear();
                frmlocation d;
                enter(d, "Testville");
                box(d, b.box)->setText(QLatin1String("1") + QLatin1String(end) +
                                       QLatin1String("2"));
                child<QPushButton>(&d, button)->click();
                ASSERT_EQ(messages.size(), 1u);
                EXPECT_EQ(messages[0].text, QString::fromUtf8(b.message));
                EXPECT_EQ(messages[0].title, QString::fromUtf8(b.title));
                EXPECT_EQ(d.focusWidget(), box(d, b.box));
                EXPECT_EQ(get("loc.zvd"), kLocZvd);
                EXPECT_EQ(get("loc.txt"), kLocTxt);
                EXPECT_EQ(d.result(), QDialog::Rejected);
            }
        }
    }
}

// A byte-order mark before the first line (as editors write it) belongs to
// no place: the first place reads as itself, and every edit keeps the mark.
TEST_F(LocationTest, AByteOrderMarkIsReadPastAndKept)
{
    const std::string mark = "\xEF\xBB\xBF";
    const std::vector<std::string> lines = linesOf(kLocTxt);
    put("loc.txt", mark + kLocTxt);
    frmlocation d;
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(names(d), QStringList({"Amman", "Cairo", "Jerusalem", "Mecca", "Medina"}));
    EXPECT_EQ(selected(d), "Mecca");

    // Delete of Mecca, the first line, asks twice and takes its line only.
    d.cmddel_Click();
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(get("loc.txt"),
              mark + joined(std::vector<std::string>(lines.begin() + 1, lines.end())));

    // Modify and Add go after the last line; the mark stays first.
    child<QListWidget>(&d, "List1")->setCurrentRow(names(d).indexOf("Medina"));
    box(d, "txtele")->setText("610");
    d.cmdmod_Click();
    enter(d, "London");
    d.cmdadd_Click();
    EXPECT_EQ(get("loc.txt"), mark + lines[2] + lines[3] + lines[4] +
                                  "\"Medina\",24,28,0,39,36,0,1,1,3,610,0,1010,10,0,\"0.0065\"\r\n"
                                  "\"London\",51,30,0,0,7,39,1,0,0,35,0,1013,12,70,\"0.0065\"\r\n");

    // The place the mark stood before is the current place as it is.
    put("loc.txt", mark + kLocTxt);
    messages.clear();
    frmlocation again;
    again.cmdok_Click();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(get("loc.zvd"), kLocZvd);
}

// The lines Modify and Add do not edit keep their line ends, and the lines
// they write take the one the file used as read, even where the lines that
// showed it are gone.
TEST_F(LocationTest, ModifyAndAddKeepTheFilesOwnLineEnds)
{
    const std::string cairo = "\"Cairo\",30,2,40,31,14,8,1,1,2,23,0,1010,10,0,\"0.0065\"";
    const std::string amman = "\"Amman\",31,57,0,35,56,0,1,1,3,777,0,1010,10,0,\"0.0065\"";
    const std::string modified = "\"Cairo\",30,2,40,31,14,8,1,1,2,24,0,1010,10,0,\"0.0065\"";
    const std::string paris = "\"Paris\",51,30,0,0,7,39,1,0,0,35,0,1013,12,70,\"0.0065\"";
    const std::string mark = "\xEF\xBB\xBF";
    const struct {
        const char* what;
        std::string text;
        std::string afterModify; // of Cairo
        const char* ending;      // of the line Add writes next
    } cases[] = {
        {"LF, none after the last line", cairo + "\n" + amman, amman + "\n" + modified + "\n",
         "\n"},
        {"one line, LF", cairo + "\n", modified + "\n", "\n"},
        {"CR alone", cairo + "\r" + amman + "\r", amman + "\r" + modified + "\r", "\r"},
        {"CR alone, none after the last line", cairo + "\r" + amman, amman + "\r" + modified + "\r",
         "\r"},
        {"CR LF, none after the last line", cairo + "\r\n" + amman,
         amman + "\r\n" + modified + "\r\n", "\r\n"},
        {"one line without a line end", cairo, modified + "\r\n", "\r\n"},
        {"a byte-order mark and LF", mark + cairo + "\n" + amman + "\n",
         mark + amman + "\n" + modified + "\n", "\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        put("loc.txt", c.text);
        messages.clear();
        frmlocation d;
        child<QListWidget>(&d, "List1")->setCurrentRow(names(d).indexOf("Cairo"));
        box(d, "txtele")->setText("24");
        d.cmdmod_Click();
        EXPECT_EQ(get("loc.txt"), c.afterModify);
        enter(d, "Paris");
        d.cmdadd_Click();
        EXPECT_EQ(get("loc.txt"), c.afterModify + paris + c.ending);
        EXPECT_EQ(messages.size(), 2u); // the two questions
    }
}

// A long field is quoted by its start: in Arabic as in English the kept text
// reads first and the "..." stands after it, where the cut is.
TEST_F(LocationTest, AFieldCutInTheMessageReadsAsItsStart)
{
    put("pref.zvd", "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#FALSE#,\"1\",\"1\",0,0,1\r\n");
    put("loc.txt",
        std::string(kLocTxt) +
            "\"Far\",1,2,3,4,5,6,1,1,abcdefghijklmnopqrstuvwxyz,0,0,1010,10,0,\"0.0065\"\r\n");
    frmlocation d;
    ASSERT_EQ(messages.size(), 1u);
    const QString text = messages[0].text;
    const QString lineOfIt = text.split(QChar('\n')).at(1);
    const int start = lineOfIt.indexOf(QStringLiteral("abcdefghijklmnopqrst..."));
    ASSERT_GE(start, 0) << lineOfIt.toStdString();
    const qreal a = testsupport::drawnCentre(lineOfIt, start);
    const qreal t = testsupport::drawnCentre(lineOfIt, start + 19);
    const qreal dots = testsupport::drawnCentre(lineOfIt, start + 20);
    const qreal closing = testsupport::drawnCentre(lineOfIt, start + 23);
    EXPECT_LT(a, t);
    EXPECT_LT(t, dots);
    EXPECT_LT(dots, closing);
    EXPECT_LT(testsupport::drawnCentre(lineOfIt, start - 1), a); // the opening quote
}

// The damaged lines are told of while the dialog loads, before it is shown:
// the message opens over the place the dialog will take, over the window it
// was opened from, not at the corner of the screen.
TEST_F(LocationTest, TheDamagedLinesMessageOpensOverItsWindow)
{
    put("loc.txt", std::string(kLocTxt) + "\"Broken\",1,2\r\n");
    QWidget main;
    // Away from the corner, and room on the screen for the dialog over it.
    main.setGeometry(
        QRect(QGuiApplication::primaryScreen()->availableGeometry().topLeft() + QPoint(100, 80),
              QSize(600, 450)));
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    platform::setMessageResponder({}); // the real box, answered below
    for (const bool parented : {true, false}) {
        SCOPED_TRACE(parented ? "with a parent" : "from the active window");
        // The main window opens the dialog without a parent, from itself as
        // the active window.
        QApplication::setActiveWindow(&main);
        ASSERT_EQ(QApplication::activeWindow(), &main);
        QRect box;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* m = qobject_cast<QMessageBox*>(w);
                if (m && m->isVisible()) {
                    box = m->geometry();
                    m->accept();
                }
            }
        });
        poll.start(10);
        frmlocation d(parented ? &main : nullptr);
        poll.stop();
        ASSERT_TRUE(box.isValid());
        const QPoint centre = main.geometry().center();
        EXPECT_LE((box.center() - centre).manhattanLength(), 40)
            << box.x() << "," << box.y() << " " << box.width() << "x" << box.height();
        EXPECT_LE((d.geometry().center() - centre).manhattanLength(), 40);
    }
}

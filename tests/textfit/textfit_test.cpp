// Every window and dialog of both programs, opened offscreen in English and in
// Arabic with the fonts the project installs: each caption, label, button,
// option and list entry shows whole, and no control lies over another.
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <utility>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QWidget>

#include "alerts/frmadan.h"
#include "engine/modgeneral.h"
#include "engine/modjul.h"
#include "fitcheck.h"
#include "lunar/frmcresv.h"
#include "lunar/frmmap.h"
#include "lunar/frmphase.h"
#include "lunar/vismapgeometry.h"
#include "mainwindow/frmmain.h"
#include "platform/fault.h"
#include "platform/filewriter.h"
#include "platform/qt/fonts.h"
#include "platform/qt/messagebox.h"
#include "platform/qt/programs.h"
#include "platform/qt/qtplatform.h"
#include "platform/qt/qttexts.h"
#include "platform/qt/textviewer.h"
#include "reports/highlatitude.h"
#include "reports/reportpieces.h"
#include "settings/dialogs/frmalerts.h"
#include "settings/dialogs/frmdate.h"
#include "settings/dialogs/frmlocation.h"
#include "settings/dialogs/frmpreferences.h"
#include "sharedwindows/frmwait.h"
#include "sharedwindows/windowregistry.h"
#include "support/signedtext.h"
#include "support/testsupport.h"
#include "tools/frmcoor.h"
#include "tools/frmhej.h"
#include "tools/frmqib.h"
#include "tools/frmqmap.h"
#include "tools/frmtele.h"
#include "tools/hijriconversion.h"

namespace {

namespace fs = std::filesystem;

struct WindowCase {
    const char* name;
    bool english;
    bool longPlaceName = false; // a 300-character name in loc.zvd
};

std::string caseName(const testing::TestParamInfo<WindowCase>& info)
{
    return std::string(info.param.name) + (info.param.english ? "_English" : "_Arabic") +
           (info.param.longPlaceName ? "_LongPlaceName" : "");
}

// A place name of 300 characters, in words.
std::string longPlaceName()
{
    std::string name;
    while (name.size() < 300)
        name += "Tarabulus al-Gharb ";
    return name.substr(0, 300);
}

// A program folder as the build lays it out: settings, series and pictures.
class ProgramWindows : public testsupport::ProgramFolderTest {
protected:
    // As the programs start: the same start-up, so that what it installs
    // (the button style, the fonts) is what these tests see.
    static void SetUpTestSuite() { platform::installQtPlatform(); }

    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        putDefaultSettings();
        putSeriesFiles();
        fs::copy_file(fs::path(MIQATIX_PICTURES_DIR) / kQiblaMapPicture, file(kQiblaMapPicture));
        fs::copy_file(fs::path(MIQATIX_PICTURES_DIR) / "map.gif", file("map.gif"));
        fs::copy(MIQATIX_CRESCENT_DIR, file("images"));
        platform::setMessageResponder([this](const platform::MessageRequest& r) {
            messages.push_back(r);
            return platform::MsgAnswer::Ok;
        });
        platform::setTextFileShower([](const platform::TextFileView&) {});
    }

    void TearDown() override
    {
        windows::unloadAll();
        frmwait::unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        platform::setMessageResponder({});
        platform::setTextFileShower({});
        platform::setFaultLanguage(true);
        ProgramFolderTest::TearDown();
    }

    // Field 15 of pref.zvd: the interface language.
    void setLanguage(bool english)
    {
        std::string pref = get("pref.zvd");
        size_t at = 0;
        for (int comma = 0; comma < 14; ++comma)
            at = pref.find(',', at) + 1;
        const size_t end = pref.find(',', at);
        pref.replace(at, end - at, english ? "#TRUE#" : "#FALSE#");
        put("pref.zvd", pref);
    }

    // Field 1 of loc.zvd: the place name.
    void setPlaceName(const std::string& name)
    {
        std::string loc = get("loc.zvd");
        loc.replace(0, loc.find(','), "\"" + name + "\"");
        put("loc.zvd", loc);
    }

    std::vector<platform::MessageRequest> messages;
};

// The window of one kind, loaded as its program loads it.
QWidget* openWindow(const std::string& name)
{
    using Factory = std::function<QWidget*()>;
    static const std::map<std::string, Factory> factories = {
        {"frmmain", [] { return static_cast<QWidget*>(frmmain::instance()); }},
        {"frmwait", [] { return static_cast<QWidget*>(&frmwait::form()); }},
        {"frmpreferences", [] { return static_cast<QWidget*>(new frmpreferences); }},
        {"frmlocation", [] { return static_cast<QWidget*>(new frmlocation); }},
        {"frmdate", [] { return static_cast<QWidget*>(new frmdate); }},
        {"frmalerts", [] { return static_cast<QWidget*>(new frmalerts); }},
        {"frmphase", [] { return static_cast<QWidget*>(new frmphase); }},
        {"frmcresv", [] { return static_cast<QWidget*>(new frmcresv({})); }},
        {"frmqib", [] { return static_cast<QWidget*>(new frmqib); }},
        {"frmqmap", [] { return static_cast<QWidget*>(new frmqmap); }},
        {"frmhej", [] { return static_cast<QWidget*>(new frmhej); }},
        {"frmcoor", [] { return static_cast<QWidget*>(new frmcoor); }},
        {"frmtele", [] { return static_cast<QWidget*>(new frmtele); }},
        {"frmadan", [] { return static_cast<QWidget*>(new alerts::frmadan([] {})); }},
        {"frmmap",
         [] {
             // The crescent tool hands the map its conjunction.
             jul(2023, 3, 21, 17.42, conjjde);
             newold = "New";
             return static_cast<QWidget*>(new frmmap);
         }},
    };
    return factories.at(name)();
}

class TextFit : public ProgramWindows, public testing::WithParamInterface<WindowCase> {};

TEST_P(TextFit, EveryTextShowsWholeAndNoControlOverlaps)
{
    const WindowCase& c = GetParam();
    setLanguage(c.english);
    if (c.longPlaceName)
        setPlaceName(longPlaceName());
    frmmain::load();
    QPointer<QWidget> window = openWindow(c.name);
    ASSERT_TRUE(window);
    window->show();
    QCoreApplication::processEvents();

    const QStringList texts = fitcheck::textFaults(window);
    EXPECT_TRUE(texts.isEmpty()) << texts.join(QLatin1Char('\n')).toStdString();
    const QStringList overlaps = fitcheck::overlapFaults(window);
    EXPECT_TRUE(overlaps.isEmpty()) << overlaps.join(QLatin1Char('\n')).toStdString();
    const QStringList gaps = fitcheck::gapFaults(window);
    EXPECT_TRUE(gaps.isEmpty()) << gaps.join(QLatin1Char('\n')).toStdString();

    if (window && window != frmmain::instance() && std::string(c.name) != "frmwait")
        delete window.data();
}

const WindowCase kWindows[] = {
    {"frmmain", true},        {"frmmain", false},       {"frmwait", true},
    {"frmwait", false},       {"frmpreferences", true}, {"frmpreferences", false},
    {"frmlocation", true},    {"frmlocation", false},   {"frmdate", true},
    {"frmdate", false},       {"frmalerts", true},      {"frmalerts", false},
    {"frmphase", true},       {"frmphase", false},      {"frmcresv", true},
    {"frmcresv", false},      {"frmqib", true},         {"frmqib", false},
    {"frmqmap", true},        {"frmqmap", false},       {"frmhej", true},
    {"frmhej", false},        {"frmcoor", true},        {"frmcoor", false},
    {"frmtele", true},        {"frmtele", false},       {"frmadan", true},
    {"frmadan", false},       {"frmmain", true, true},  {"frmmain", false, true},
    {"frmqib", true, true},   {"frmqib", false, true},  {"frmadan", true, true},
    {"frmadan", false, true}, {"frmmap", true},         {"frmmap", false},
};
INSTANTIATE_TEST_SUITE_P(Windows, TextFit, testing::ValuesIn(kWindows), caseName);

// A long place name is cut short in the main window's panel, whole in its
// tooltip, and the window keeps the size it has with a short name.
class TextFitMainWindow : public ProgramWindows {};

TEST_F(TextFitMainWindow, LongPlaceNameKeepsItsSize)
{
    for (bool english : {true, false}) {
        SCOPED_TRACE(english ? "English" : "Arabic");
        setLanguage(english);
        setPlaceName("Mecca");
        frmmain* shortName = frmmain::load();
        shortName->show();
        QCoreApplication::processEvents();
        const QSize size = shortName->size();
        windows::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        setPlaceName(longPlaceName());
        frmmain* longName = frmmain::load();
        longName->show();
        QCoreApplication::processEvents();
        EXPECT_EQ(longName->size(), size);
        auto* panel = longName->findChild<QLabel*>("lbltloc");
        EXPECT_EQ(panel->toolTip().toStdString(), longPlaceName());
        EXPECT_TRUE(panel->text().endsWith(QChar(0x2026))) << panel->text().toStdString();
        EXPECT_LE(panel->fontMetrics().horizontalAdvance(panel->text()), panel->width());
        windows::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// The letters of a message other than Arabic ones, leaving out the file's
// name and the file's own data quoted in it.
QString latinLetters(QString text, const std::string& file)
{
    text.remove(QString::fromStdString(file));
    text.remove(QRegularExpression(QStringLiteral("\"[^\"]*\"")));
    text.remove(QRegularExpression(QStringLiteral("[^A-Za-z]")));
    return text;
}

class TextFitStartUp : public ProgramWindows {};

// A damaged or missing file stops the start in Arabic with a message that is
// wholly Arabic, its title the program's name.
TEST_F(TextFitStartUp, ArabicMessagesAreWhollyArabic)
{
    struct Case {
        const char* what;
        const char* file;
        std::function<void()> damage;
    };
    // Keeps the first `fields` fields of a file.
    const auto cut = [this](const char* file, size_t fields) {
        return [this, file, fields] {
            std::string text = get(file);
            size_t at = 0;
            for (size_t i = 0; i < fields; ++i)
                at = text.find(',', at) + 1;
            put(file, text.substr(0, at - 1) + "\r\n");
        };
    };
    const auto drop = [this](const char* file) {
        return [this, file] { std::filesystem::remove(this->file(file)); };
    };
    const Case cases[] = {
        {"short place file", "loc.zvd", cut("loc.zvd", 9)},
        {"missing place file", "loc.zvd", drop("loc.zvd")},
        {"missing Earth series", "termfull.zvd", drop("termfull.zvd")},
        {"short Earth series", "term.zvd", cut("term.zvd", 40)},
        {"Moon series with a word for a number", "mterm.zvd",
         [this] { put("mterm.zvd", "1,2,\"three\",4\r\n"); }},
        {"missing lunar series", "elp.zvd", drop("elp.zvd")},
        {"short preferences", "pref.zvd", cut("pref.zvd", 16)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        putDefaultSettings();
        putSeriesFiles();
        setLanguage(false);
        c.damage();
        platform::setFaultLanguage(true);
        try {
            frmmain::load();
            ADD_FAILURE() << "the start went on";
        } catch (const platform::FileFault& fault) {
            EXPECT_EQ(fault.file(), c.file);
            EXPECT_FALSE(platform::faultLanguage());
            const QString message = QString::fromStdString(fault.message(false));
            EXPECT_EQ(latinLetters(message, c.file), QString()) << message.toStdString();
            EXPECT_EQ(platform::faultTitle(false), "Miqatix"); // the program's name as it is
        }
        windows::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// The icon that a desktop's theme puts on each button of a dialog's button
// row (the offscreen platform puts none), so that its caption is drawn beside
// an icon as the user sees it.
void giveButtonsIcons(QWidget* dialog)
{
    for (QDialogButtonBox* row : dialog->findChildren<QDialogButtonBox*>()) {
        for (QAbstractButton* b : row->buttons()) {
            static const std::pair<QDialogButtonBox::StandardButton, QStyle::StandardPixmap>
                kIcons[] = {{QDialogButtonBox::Cancel, QStyle::SP_DialogCancelButton},
                            {QDialogButtonBox::Yes, QStyle::SP_DialogYesButton},
                            {QDialogButtonBox::No, QStyle::SP_DialogNoButton},
                            {QDialogButtonBox::Retry, QStyle::SP_DialogRetryButton},
                            {QDialogButtonBox::Open, QStyle::SP_DialogOpenButton},
                            {QDialogButtonBox::Save, QStyle::SP_DialogSaveButton}};
            QStyle::StandardPixmap icon = QStyle::SP_DialogOkButton;
            for (const auto& [which, pixmap] : kIcons)
                if (row->standardButton(b) == which)
                    icon = pixmap;
            // A style without a retry icon of its own leaves it to the
            // desktop's icon theme, which the offscreen platform lacks.
            QIcon shown = b->style()->standardIcon(icon, nullptr, b);
            if (shown.isNull())
                shown = b->style()->standardIcon(QStyle::SP_BrowserReload, nullptr, b);
            b->setIcon(shown);
        }
    }
}

// A real box, as the user sees it: an Arabic box names its buttons in Arabic
// and is wide enough for its title, each button gives its own answer, and
// each caption is drawn clear of its button's border beside the button's
// icon: in Arabic with Qt's texts Arabic too (which turn the whole program
// right to left), in Arabic at the start (a fault found before the
// preferences are read, Qt's texts still English), and in English.
TEST(TextFitMessageBox, ArabicButtonsAndTheWholeTitle)
{
    platform::installQtPlatform(); // as the programs start
    struct Language {
        const char* what;
        bool english;
        bool qtTextsEnglish;
    };
    const Language languages[] = {
        {"Arabic", false, false},
        {"Arabic at the start", false, true},
        {"English", true, true},
    };
    struct Case {
        platform::MsgButtons buttons;
        QMessageBox::StandardButton pressed;
        platform::MsgAnswer answer;
    };
    const Case cases[] = {
        {platform::MsgButtons::Ok, QMessageBox::Ok, platform::MsgAnswer::Ok},
        {platform::MsgButtons::OkCancel, QMessageBox::Ok, platform::MsgAnswer::Ok},
        {platform::MsgButtons::OkCancel, QMessageBox::Cancel, platform::MsgAnswer::Cancel},
        {platform::MsgButtons::YesNo, QMessageBox::No, platform::MsgAnswer::No},
        {platform::MsgButtons::YesNoCancel, QMessageBox::Yes, platform::MsgAnswer::Yes},
        {platform::MsgButtons::RetryCancel, QMessageBox::Retry, platform::MsgAnswer::Retry},
    };
    for (const Language& language : languages) {
        platform::useQtTexts(language.qtTextsEnglish);
        const QString title =
            language.english
                ? QStringLiteral("The place settings could not be saved in the program folder")
                : QString::fromUtf8("لم يمكن حفظ ملف إعدادات الموقع في مجلد البرنامج");
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(language.what) + ", buttons " +
                         std::to_string(static_cast<int>(c.buttons)));
            QString seen;
            QStringList faults;
            int width = 0;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                ASSERT_NE(box, nullptr);
                giveButtonsIcons(box);
                QCoreApplication::processEvents();
                width = box->width();
                for (QAbstractButton* b : box->buttons())
                    seen += b->text();
                faults = fitcheck::textFaults(box);
                box->button(c.pressed)->click();
            });
            EXPECT_EQ(platform::msgBox(
                          nullptr,
                          language.english ? QStringLiteral("Text") : QString::fromUtf8("نص"),
                          title, language.english, platform::MsgIcon::Question, c.buttons),
                      c.answer);
            EXPECT_FALSE(seen.isEmpty());
            if (!language.english) {
                EXPECT_EQ(latinLetters(seen, ""), QString()) << seen.toStdString();
            }
            EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
            EXPECT_GE(width, platform::titleBarWidth(title));
        }
    }
    platform::useQtTexts(true);
}

// The letters of a message other than Arabic ones, leaving out the words
// a message may quote as they are: file names, field names, numbers.
QString foreignLetters(QString text, const QStringList& excepted)
{
    for (const QString& word : excepted)
        text.remove(word);
    return latinLetters(text, "");
}

// A message as its box shows it: the text whole inside the box, and the box
// as wide as its title.
void expectWholeInItsBox(const platform::MessageRequest& r)
{
    SCOPED_TRACE(r.text.toStdString());
    const std::unique_ptr<QMessageBox> box = platform::makeMessageBox(nullptr, r);
    giveButtonsIcons(box.get());
    box->show();
    QCoreApplication::processEvents();
    const QStringList faults = fitcheck::textFaults(box.get());
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
    EXPECT_GE(box->width(), platform::titleBarWidth(r.title));
}

// An Arabic message: every word Arabic but the excepted ones, the title too
// but for the program's name, and whole in its box.
void expectArabicMessage(const platform::MessageRequest& r, const QStringList& excepted = {})
{
    SCOPED_TRACE(r.text.toStdString());
    EXPECT_TRUE(r.rightToLeft);
    EXPECT_EQ(foreignLetters(r.text, excepted).toStdString(), "");
    // The program's name stays as it is in a title.
    EXPECT_EQ(foreignLetters(r.title, {QStringLiteral("Miqatix")}).toStdString(), "")
        << r.title.toStdString();
    expectWholeInItsBox(r);
}

// Starts nothing: says why, as a missing program file would.
class RefusingStarter : public platform::ProgramStarter {
public:
    bool start(const QString&, const QStringList&, const QString&, QString& error) override
    {
        error = QStringLiteral("execv: No such file or directory");
        return false;
    }
};

class NothingRuns : public platform::ProgramFinder {
public:
    bool isRunning(const QString&) override { return false; }
};

// The messages that refusals and failed saves give, in Arabic.
class TextFitMessages : public ProgramWindows {
protected:
    void SetUp() override
    {
        ProgramWindows::SetUp();
        oldConfig_ = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
        ::setenv("XDG_CONFIG_HOME", (folder() / "config").c_str(), 1);
        oldStarter_ = platform::setProgramStarter(&starter_);
        oldFinder_ = platform::setProgramFinder(&finder_);
        setLanguage(false);
        frmmain::load();
    }

    void TearDown() override
    {
        platform::setFileWriter(nullptr);
        platform::setProgramStarter(oldStarter_);
        platform::setProgramFinder(oldFinder_);
        if (oldConfig_.empty())
            ::unsetenv("XDG_CONFIG_HOME");
        else
            ::setenv("XDG_CONFIG_HOME", oldConfig_.c_str(), 1);
        ProgramWindows::TearDown();
    }

    template <class Window> static void type(Window& w, const char* box, const QString& text)
    {
        auto* edit = w.template findChild<QLineEdit*>(QLatin1String(box));
        ASSERT_NE(edit, nullptr) << box;
        edit->setText(text);
    }

    // The file of the program folder read-only until the guard goes: the
    // case's next write (the language of the next pass) must go through.
    [[nodiscard]] testsupport::ScopedMode readOnly(const char* name)
    {
        if (!fs::exists(file(name)))
            put(name, "");
        return {file(name), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read};
    }

private:
    std::string oldConfig_;
    RefusingStarter starter_;
    NothingRuns finder_;
    platform::ProgramStarter* oldStarter_ = nullptr;
    platform::ProgramFinder* oldFinder_ = nullptr;
};

// Each in Arabic, then in English (where only the fit is checked).
TEST_F(TextFitMessages, RefusalsAndFailedSavesReadInArabicAndFit)
{
    testsupport::FailingWriter diskFull("No space left on device");
    testsupport::FailingWriter readOnlyDisk("Read-only file system");
    // The place dialog's OK with `text` typed into `box`.
    const auto savedLocation = [](const char* box, const char* text) {
        return [box, text] {
            frmlocation d;
            type(d, box, QString::fromUtf8(text));
            d.cmdok_Click();
        };
    };
    struct Case {
        const char* what;
        size_t messages;      // how many boxes it gives
        QStringList excepted; // words quoted as they are
        std::function<void()> provoke;
    };
    const Case cases[] = {
        {"preferences into a read-only file",
         1,
         {"pref.zvd"},
         [this] {
             const auto guard = readOnly("pref.zvd");
             frmpreferences d;
             d.cmdok_Click();
         }},
        {"place onto a full disk",
         1,
         {"loc.zvd"},
         [&] {
             platform::setFileWriter(&diskFull);
             frmlocation d;
             d.cmdok_Click();
         }},
        {"negative air pressure", 1, {}, savedLocation("txtpre", "-5")},
        {"temperature below absolute zero", 1, {}, savedLocation("txttem", "-300")},
        {"a lapse rate of nought", 1, {}, savedLocation("txtalpha", "0")},
        {"a zone beyond the Earth's clocks", 1, {}, savedLocation("txtzon", "26")},
        {"a latitude beyond the pole", 1, {}, savedLocation("txtlatid", "91")},
        {"an elevation beyond any place", 1, {}, savedLocation("txtele", "1e7")},
        {"a place name with a double quote", 1, {}, savedLocation("txtname", "Al \"Quds\"")},
        {"a place name with a line break", 1, {}, savedLocation("txtname", "Al\nQuds")},
        // The longest reasons, a field quoted as far as it is shown among them.
        {"a list of places with damaged lines",
         1,
         {"loc.txt", "abababababababababab"},
         [this] {
             std::string list = "\"Medina\",24,28,0,39,36,0,1,1,3,608\r\n"
                                "\"Cairo\",30,2,40,31,14,8,1,1,2,23,0,abababababababababababab,"
                                "10,0,\"0.0065\"\r\n\"Cairo\"x,30\r\n";
             for (int i = 0; i < 6; ++i)
                 list += "\"Amman,31,57\r\n";
             const std::string shipped = get("loc.txt");
             put("loc.txt", list);
             frmlocation d;
             put("loc.txt", shipped);
         }},
        // A number beyond the range, one box of each window.
        {"a longitude beyond the range", 1, {}, savedLocation("txtlongis", "1e309")},
        {"a lapse rate beyond the range", 1, {}, savedLocation("txtalpha", "1e309")},
        {"a named place beyond the range",
         1,
         {},
         [] {
             frmlocation d;
             type(d, "txtcity", "1e309");
             d.cmdadd_Click();
         }},
        {"minutes to Maghreb beyond the range",
         1,
         {},
         [] {
             frmpreferences d;
             type(d, "txtaddmag", "1e309");
             d.cmdok_Click();
         }},
        {"a year of the beginning date beyond the range",
         1,
         {},
         [] {
             frmdate d;
             type(d, "txtfyear", "1e309");
             d.cmdok_Click();
         }},
        {"beep minutes beyond the range",
         1,
         {},
         [] {
             frmalerts d;
             type(d, "txtpep", "1e309");
             d.cmdok_Click();
         }},
        {"a converter year beyond the range",
         1,
         {},
         [] {
             frmhej d;
             type(d, "txty", "1e309");
             d.cmdcon_Click();
         }},
        // The alerts cannot start at login, cannot start now, and their
        // settings cannot be saved: the last box says what did happen.
        {"alerts on a read-only disk",
         3,
         {"alert.zvd"},
         [&] {
             platform::setFileWriter(&readOnlyDisk);
             frmalerts d;
             d.findChild<QCheckBox*>("chkpep")->setChecked(true);
             d.cmdok_Click();
         }},
        {"moon phases for a year out of range",
         1,
         {},
         [] {
             frmphase d;
             type(d, "txtyear", "99999999");
             d.cmdcalc_Click();
         }},
        {"moon phases of the first year, carried out by the zone",
         1,
         {"loc.zvd"},
         [this] {
             std::string mecca = get("loc.zvd");
             put("loc.zvd",
                 testsupport::withField(mecca.substr(0, mecca.find('\r')), 9, "3") + "\r\n");
             frmphase d;
             type(d, "txtyear", "-1999");
             d.cmdcalc_Click();
             put("loc.zvd", mecca);
         }},
        {"moon phases for a Delta T beyond the series",
         1,
         {"Delta T", "TT"},
         [] {
             frmphase d;
             type(d, "txtdelta", "-2e12");
             d.cmdcalc_Click();
         }},
        {"moon phases for a year too large to read",
         1,
         {"1e309"}, // named as it was typed
         [] {
             frmphase d;
             type(d, "txtyear", "1e309");
             d.cmdcalc_Click();
         }},
        {"moon phases for a Delta T too large to read",
         1,
         {"Delta T"},
         [] {
             frmphase d;
             type(d, "txtdelta", "1e309");
             d.cmdcalc_Click();
         }},
        {"moon phases report into a read-only file",
         1,
         {"results.out"},
         [this] {
             const auto guard = readOnly("results.out");
             frmphase d;
             d.cmdcalc_Click();
         }},
        {"moon phases settings onto a full disk",
         1,
         {"phase.zvd"},
         [&] {
             platform::setFileWriter(&diskFull);
             frmphase d;
             d.cmdclose_Click();
         }},
        {"crescent for a year out of range",
         1,
         {},
         [] {
             frmcresv d({});
             type(d, "txtyear", "9000");
             d.cmdprev_Click();
         }},
        {"crescent for a Gregorian year that overflows",
         1,
         {},
         [] {
             frmcresv d({});
             type(d, "txtyear", "1e309");
             d.cmdprev_Click();
         }},
        {"crescent for a Hijri year out of range",
         1,
         {},
         [] {
             frmcresv d({});
             d.findChild<QRadioButton*>("opthej")->click();
             type(d, "txtyearh", "5000");
             d.cmdprev_Click();
         }},
        {"ephemeris for a date beyond the computable years",
         1,
         {},
         [] {
             frmcoor d;
             type(d, "txty", "3001");
             d.cmdcalc_Click();
         }},
        {"ephemeris with an increment that overflows",
         1,
         {},
         [] {
             frmcoor d;
             type(d, "txti", "1e309");
             d.cmdcalc_Click();
         }},
        {"telescope for a date beyond the computable years",
         1,
         {},
         [] {
             frmtele d;
             type(d, "txtyear", "-2000");
             d.cmdcalc_Click();
         }},
        {"telescope with a year that overflows",
         1,
         {},
         [] {
             frmtele d;
             type(d, "txtyear", "1e309");
             d.cmdcalc_Click();
         }},
        {"ephemeris settings onto a read-only disk",
         1,
         {"coor.zvd"},
         [&] {
             platform::setFileWriter(&readOnlyDisk);
             frmcoor d;
             d.cmdclose_Click();
         }},
    };
    for (bool english : {false, true}) {
        setLanguage(english);
        windows::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        frmmain::load();
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (english ? " (English)" : " (Arabic)"));
            messages.clear();
            c.provoke();
            platform::setFileWriter(nullptr);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            ASSERT_EQ(messages.size(), c.messages);
            for (const platform::MessageRequest& r : messages) {
                if (english) {
                    EXPECT_FALSE(r.rightToLeft);
                    expectWholeInItsBox(r);
                } else {
                    expectArabicMessage(r, c.excepted);
                }
            }
        }
    }
}

// Each message that names a file, in both languages: in Arabic the file's
// name is one left-to-right run inside the sentence (isolated, as a path with
// an Arabic name needs), in English it stands as it is.
TEST_F(TextFitMessages, AFilesNameIsOneLeftToRightRunInArabic)
{
    testsupport::FailingWriter diskFull("No space left on device");
    struct Case {
        const char* what;
        QString file; // as the message names it
        std::function<void()> provoke;
    };
    const Case cases[] = {
        {"preferences into a read-only file", QStringLiteral("pref.zvd"),
         [this] {
             const auto guard = readOnly("pref.zvd");
             frmpreferences d;
             d.cmdok_Click();
         }},
        {"a list of places that cannot be read", QStringLiteral("loc.txt"),
         [this] {
             fs::remove(file("loc.txt"));
             fs::create_directory(file("loc.txt"));
             frmlocation d;
             fs::remove(file("loc.txt"));
         }},
        {"a list of places with a damaged line", QStringLiteral("loc.txt"),
         [this] {
             const std::string shipped = get("loc.txt");
             put("loc.txt", "\"Medina\",24,28,0,39,36,0,1,1,3,608\r\n");
             frmlocation d;
             put("loc.txt", shipped);
         }},
        {"alerts onto a full disk", QStringLiteral("alert.zvd"),
         [&] {
             platform::setFileWriter(&diskFull);
             frmalerts d;
             d.cmdok_Click();
         }},
        {"prayer times into a read-only report", QStringLiteral("results.out"),
         [this] {
             const auto guard = readOnly("results.out");
             frmmain::instance()->cmdcom_Click();
         }},
        {"moon phases into a read-only report", QStringLiteral("results.out"),
         [this] {
             const auto guard = readOnly("results.out");
             frmphase d;
             d.cmdcalc_Click();
         }},
        {"moon phases settings onto a full disk", QStringLiteral("phase.zvd"),
         [&] {
             platform::setFileWriter(&diskFull);
             frmphase d;
             d.cmdclose_Click();
         }},
        {"Qiblah times into a read-only report", QStringLiteral("results.out"),
         [this] {
             const auto guard = readOnly("results.out");
             frmqib d;
             d.cmdqib_Click();
         }},
        {"crescent visibility report onto a full disk", QStringLiteral("visib.out"),
         [&] {
             platform::setFileWriter(&diskFull);
             frmcresv d({});
             d.cmdcalc_Click();
         }},
        {"ephemeris into a read-only report", QStringLiteral("ephemeris.out"),
         [this] {
             const auto guard = readOnly("ephemeris.out");
             frmcoor d;
             d.cmdcalc_Click();
         }},
        {"ephemeris settings onto a full disk", QStringLiteral("coor.zvd"),
         [&] {
             platform::setFileWriter(&diskFull);
             frmcoor d;
             d.cmdclose_Click();
         }},
        {"a report with an Arabic name the viewer cannot open",
         QString::fromUtf8("تقرير رمضان.out"),
         [] {
             platform::setTextFileShower({});
             platform::showTextFile("تقرير رمضان.out");
             platform::setTextFileShower([](const platform::TextFileView&) {});
         }},
    };
    const QChar isolate(0x2066), popIsolate(0x2069);
    for (bool english : {false, true}) {
        setLanguage(english);
        windows::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        frmmain::load();
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (english ? " (English)" : " (Arabic)"));
            messages.clear();
            c.provoke();
            platform::setFileWriter(nullptr);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            ASSERT_FALSE(messages.empty());
            // The one message of the case that names the file.
            const auto named = std::find_if(messages.begin(), messages.end(),
                                            [&](const auto& m) { return m.text.contains(c.file); });
            ASSERT_NE(named, messages.end());
            const QString& text = named->text;
            if (english) {
                EXPECT_FALSE(text.contains(isolate) || text.contains(popIsolate))
                    << text.toStdString();
            } else {
                EXPECT_TRUE(text.contains(isolate + c.file + popIsolate)) << text.toStdString();
                EXPECT_EQ(text.count(isolate), text.count(popIsolate)) << text.toStdString();
            }
        }
    }
}

// Messages made away from a window, each kind of them.
TEST_F(TextFitMessages, FileFaultsAndComputedRefusalsReadInArabic)
{
    using platform::FileFaultKind;
    for (FileFaultKind kind :
         {FileFaultKind::Missing, FileFaultKind::Short, FileFaultKind::BadData,
          FileFaultKind::NotAFile, FileFaultKind::Unreadable, FileFaultKind::TooLarge})
        expectArabicMessage(
            {QString::fromStdString(
                 platform::FileFault(kind, "loc.zvd", "detail", "تفصيل").message(false)),
             platform::faultTitle(false), platform::MsgButtons::Ok, platform::MsgIcon::Critical,
             true},
            {"loc.zvd"});
    using platform::ReadStatus;
    for (ReadStatus status :
         {ReadStatus::Missing, ReadStatus::NotAFile, ReadStatus::NoPermission, ReadStatus::Failed})
        expectArabicMessage(
            {QString::fromStdString(platform::readFault(status, "pref.zvd").message(false)),
             platform::faultTitle(false), platform::MsgButtons::Ok, platform::MsgIcon::Critical,
             true},
            {"pref.zvd"});
    // The refusals that the computations word themselves, in either language.
    using Refusal = std::function<void(bool english, std::string& title, std::string& text)>;
    std::vector<Refusal> refusals = {prayer::highLatitudeRefusal,
                                     reportpieces::uncountableDaysMessage};
    using tools::ConvertFault;
    for (ConvertFault fault :
         {ConvertFault::YearNotPositive, ConvertFault::Before622, ConvertFault::Skipped1582,
          ConvertFault::YearTooLarge, ConvertFault::YearOverflow})
        refusals.push_back([fault](bool english, std::string& title, std::string& text) {
            const tools::ConvertMessage m = tools::convertMessage(fault, english);
            title = m.title;
            text = m.text;
        });
    for (const Refusal& refusal : refusals) {
        for (bool english : {false, true}) {
            std::string title, text;
            refusal(english, title, text);
            const platform::MessageRequest r{
                QString::fromStdString(text), QString::fromStdString(title),
                platform::MsgButtons::Ok, platform::MsgIcon::Warning, !english};
            if (english)
                expectWholeInItsBox(r);
            else
                expectArabicMessage(r);
        }
    }
}

// Qt's own dialogs and menus follow the interface language: the save dialog
// of the crescent map names its parts in Arabic, and in English again after
// the language is switched back.
TEST_F(TextFitMessages, QtsOwnTextsFollowTheLanguage)
{
    const QFileDialog::DialogLabel labels[] = {QFileDialog::LookIn, QFileDialog::FileName,
                                               QFileDialog::FileType, QFileDialog::Accept,
                                               QFileDialog::Reject};
    for (bool english : {false, true}) {
        SCOPED_TRACE(english ? "English" : "Arabic");
        windows::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setLanguage(english);
        frmmain::load();
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        for (QFileDialog::DialogLabel label : labels) {
            const QString text = dialog.labelText(label);
            EXPECT_EQ(latinLetters(text, "").isEmpty(), !english) << text.toStdString();
        }
    }
}

// Every face a window names stands for a font that is installed.
TEST(TextFitFonts, EveryDesignFaceHasAnInstalledStandIn)
{
    for (const platform::FontStandIn& f : platform::fontStandIns())
        for (const char* face : f.faces)
            EXPECT_TRUE(QFontDatabase::hasFamily(QLatin1String(face)))
                << f.design << " -> " << face << " (Debian package " << f.package << ")";
}

} // namespace

namespace {

// Qt's own dialogs that the programs open, as the user meets them: the map's
// save dialog, at its opening size, in both languages, its buttons with the
// icons that a desktop gives them.
class TextFitQtDialogs : public ProgramWindows {};

TEST_F(TextFitQtDialogs, TheMapsSaveDialogShowsItsTextsWhole)
{
    // A saved map and a scratch file beside the program's files: the list
    // shows sizes, types and dates.
    put("Ramadan 1444.gif", std::string(20000, 'x'));
    put("notes.txt", "x");
    for (bool english : {false, true}) {
        SCOPED_TRACE(english ? "English" : "Arabic");
        windows::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setLanguage(english);
        frmmain::load();
        jul(2023, 3, 21, 17.42, conjjde);
        newold = "New";
        auto* map = new frmmap;
        map->show();
        QStringList faults, buttons;
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            seen = true;
            // The list fills from a thread of its own.
            for (int turns = 0; turns < 200; ++turns) {
                QTest::qWait(10);
                auto* list = dialog->findChild<QTreeView*>("treeView");
                if (list && list->model() && list->model()->rowCount(list->rootIndex()) >= 3)
                    break;
            }
            if (!english)
                for (QFileDialog::DialogLabel label : {QFileDialog::Accept, QFileDialog::Reject})
                    buttons << fitcheck::shownText(dialog->labelText(label));
            giveButtonsIcons(dialog);
            QCoreApplication::processEvents();
            faults = fitcheck::textFaults(dialog);
            dialog->reject();
        });
        map->cmdsave_Click();
        EXPECT_TRUE(seen);
        EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
        // Whole words, as the message boxes say them.
        if (!english) {
            EXPECT_EQ(buttons,
                      QStringList({QString::fromUtf8("احفظ"), QString::fromUtf8("إلغاء")}));
        }
        delete map;
    }
}

} // namespace

namespace {

// The texts a window shows right to left: its labels, the captions of its
// buttons and options, and its frames' titles.
QStringList rightToLeftTexts(QWidget* window)
{
    QStringList texts;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->layoutDirection() != Qt::RightToLeft)
            continue;
        if (auto* label = qobject_cast<QLabel*>(w))
            texts << label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            texts << button->text();
        else if (auto* box = qobject_cast<QGroupBox*>(w))
            texts << box->title();
    }
    return texts;
}

class TextFitMap : public ProgramWindows {};

// The map window in both languages: its day options and criterion list stand
// inside their frames; and after Draw, for each criterion's legend, the
// information and legend boxes lie on the white band under the map, never
// over its southern edge or each other, and each draws every line of its
// text apart from the next, inside its blue with a margin on every side.
TEST_F(TextFitMap, ControlsStayInsideTheirFramesAndBoxesUnderTheMap)
{
    for (bool english : {true, false}) {
        setLanguage(english);
        frmmain::load();
        QPointer<QWidget> window = openWindow("frmmap");
        auto* map = static_cast<frmmap*>(window.data());
        map->show();
        // The day options and the criterion list stand clear of the lines of
        // their frames, which the style draws under the titles: as drawn,
        // rows as light as the frame's inside part each from the lines (and
        // the list's own border) above and below it.
        const QImage drawn = map->grab().toImage();
        const auto clearOfTheLines = [&](QWidget* w, QGroupBox* frame) {
            const QRect at(w->mapTo(map, QPoint(0, 0)), w->size());
            const int x = at.center().x();
            const auto light = [&](int y) {
                return y > frame->mapTo(map, QPoint(0, 0)).y() && y < drawn.height() &&
                       qGray(drawn.pixel(x, y)) >= 228;
            };
            // Past the control's own rows that draw nothing (an option's
            // margin), then the rows up to the line.
            int top = at.top(), bottom = at.bottom();
            while (top < bottom && light(top))
                ++top;
            while (bottom > top && light(bottom))
                --bottom;
            int above = 0, below = 0;
            while (light(top - 1 - above))
                ++above;
            while (light(bottom + 1 + below))
                ++below;
            const std::string what =
                w->objectName().toStdString() + (english ? " English" : " Arabic");
            EXPECT_GE(above, 2) << what;
            EXPECT_GE(below, 2) << what;
        };
        for (QWidget* option : {map->opt0, map->opt1, map->opt2})
            clearOfTheLines(option, map->fravis);
        clearOfTheLines(map->cbocri, map->fracri);
        for (int criterion : {0, 1, 2}) {
            map->cbocri->setCurrentIndex(criterion);
            QTimer::singleShot(0, map, [map] { map->stopflag = true; });
            map->cmddraw_Click();
            QCoreApplication::processEvents();
            EXPECT_FALSE(map->lblinf->geometry().intersects(map->lblleg->geometry()));
            for (QLabel* box : {map->lblinf, map->lblleg}) {
                const std::string what = box->objectName().toStdString() + " criterion " +
                                         std::to_string(criterion) +
                                         (english ? " English" : " Arabic");
                SCOPED_TRACE(what);
                EXPECT_GT(box->y(), lunar::mapY(-90)) << "over the map";
                EXPECT_TRUE(map->pic->rect().contains(box->geometry()));
                const fitcheck::DrawnSpan ink = fitcheck::drawnText(box, QPalette::WindowText);
                EXPECT_GE(ink.leftGap(), 2);
                EXPECT_GE(ink.rightGap(), 2);
                EXPECT_GE(ink.topGap(), 1);
                EXPECT_GE(ink.bottomGap(), 1);
                EXPECT_EQ(ink.bands, box->text().count(QLatin1Char('\n')) + 1);
            }
        }
        delete window.data();
    }
}

class TextFitSigns : public ProgramWindows {};

// In Arabic, after each window has shown negative values (a sun below the
// horizon, a year before 1, a place in the south-west), every signed number
// that a label, option or frame shows right to left keeps its sign left of
// its digits. The boxes the user types into show a typed "-12" as typed.
TEST_F(TextFitSigns, ArabicWindowsDrawEverySignLeftOfItsDigits)
{
    setLanguage(false);
    frmmain::load();
    struct Case {
        const char* what;
        const char* window;
        std::function<void(QWidget*)> show; // makes the window show signed numbers
        bool labelsShowSigns = true;        // false: only boxes hold them
    };
    const Case cases[] = {
        {"telescope: the Sun's altitude after sunset", "frmtele",
         [](QWidget* w) {
             w->findChild<QLineEdit*>("txtyear")->setText("2020");
             w->findChild<QComboBox*>("cbomonth")->setEditText("5");
             w->findChild<QComboBox*>("cboday")->setEditText("24");
             w->findChild<QComboBox*>("cbohour")->setEditText("19");
             w->findChild<QComboBox*>("cbominutes")->setEditText("30");
             w->findChild<QPushButton*>("cmdcalc")->click();
         }},
        {"crescent: the days of a conjunction in the year -600", "frmcresv",
         [](QWidget* w) {
             w->findChild<QLineEdit*>("txtyear")->setText("-600");
             w->findChild<QPushButton*>("cmdprev")->click();
         }},
        {"map: the mouse over the south-west corner, a drawing of the year -600", "frmmap",
         [](QWidget* w) {
             auto* map = static_cast<frmmap*>(w);
             jul(-600, 3, 27, 12, conjjde);
             map->Form_Load();
             QTimer::singleShot(0, map, [map] { map->stopflag = true; });
             map->cmddraw_Click();
             map->pic_MouseMove(1, 391);
         }},
        {"place dialog: a zone and longitude typed", "frmlocation", [](QWidget*) {}, false},
        {"moon phases: a year typed", "frmphase", [](QWidget*) {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QPointer<QWidget> window = openWindow(c.window);
        ASSERT_TRUE(window);
        window->show();
        QCoreApplication::processEvents();
        c.show(window);
        QCoreApplication::processEvents();
        const QStringList texts = rightToLeftTexts(window);
        static const QRegularExpression signedNumber(QStringLiteral("(^|[^\\w.])[-+][0-9]"));
        EXPECT_EQ(!texts.filter(signedNumber).isEmpty(), c.labelsShowSigns);
        for (const QString& text : texts)
            EXPECT_TRUE(testsupport::signsOnTheFarSide(text).isEmpty())
                << testsupport::signsOnTheFarSide(text).join(' ').toStdString() << " in \""
                << text.toStdString() << "\"";
        // A box takes the direction of what it holds: "-12" typed is "-12".
        int boxes = 0;
        for (QLineEdit* box : window->findChildren<QLineEdit*>()) {
            if (box->layoutDirection() != Qt::RightToLeft || !box->isVisible())
                continue;
            ++boxes;
            box->setText(QStringLiteral("-12"));
            box->setCursorPosition(0);
            const int beforeSign =
                box->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
            box->setCursorPosition(1);
            EXPECT_LT(beforeSign,
                      box->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x())
                << box->objectName().toStdString();
        }
        if (!c.labelsShowSigns)
            EXPECT_GT(boxes, 0);
        delete window.data();
        EXPECT_TRUE(messages.empty()) << (messages.empty() ? "" : messages[0].text.toStdString());
        messages.clear();
    }
}

} // namespace

namespace {

// The gap check itself, on a small row: an Arabic caption in a label kept
// left to right is drawn at the label's right edge, against the box that
// abuts it there, whether the box is enabled or not.
TEST(TextFitGaps, AnArabicCaptionAgainstAnAbuttingBoxIsFound)
{
    platform::installFonts();
    struct Case {
        const char* what;
        bool rightToLeftLabel;
        bool boxEnabled;
        int rightMargin; // the label's room kept on the box's side
        bool fault;
    };
    const Case cases[] = {
        {"left-to-right label, disabled box", false, false, 0, true},
        {"left-to-right label, enabled box", false, true, 0, true},
        {"right-to-left label, disabled box", true, false, 0, true},
        {"seven pixels kept", false, false, 7, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QWidget row;
        row.resize(200, 30);
        auto* caption = new QLabel(QString::fromUtf8("زاوية الفجر"), &row);
        caption->setObjectName("caption");
        caption->setGeometry(8, 5, 72, 17);
        caption->setContentsMargins(0, 0, c.rightMargin, 0);
        if (c.rightToLeftLabel)
            caption->setLayoutDirection(Qt::RightToLeft);
        auto* box = new QLineEdit(QStringLiteral("18"), &row);
        box->setGeometry(80, 3, 40, 19);
        box->setEnabled(c.boxEnabled);
        row.show();
        QCoreApplication::processEvents();
        EXPECT_EQ(!fitcheck::gapFaults(&row).isEmpty(), c.fault)
            << fitcheck::gapFaults(&row).join(QLatin1Char('\n')).toStdString();
    }
}

} // namespace

namespace {

// The border check on one button with an icon, and the program's style
// against Qt's own: in a program turned right to left by Qt's Arabic texts,
// Qt's style draws the caption against the far border, away from the icon.
TEST(TextFitButtons, ACaptionIsDrawnBesideItsIcon)
{
    platform::installQtPlatform(); // as the programs start
    struct Case {
        const char* what;
        const char* caption;
        bool arabic;        // the button right to left
        bool qtTextsArabic; // the whole program right to left
        bool qtsOwnStyle;
        bool fault;
    };
    const Case cases[] = {
        {"Arabic, Qt's own style", "موافق", true, true, true, true},
        {"Arabic", "موافق", true, true, false, false},
        {"English in an Arabic program, Qt's own style", "OK", false, true, true, true},
        {"English in an Arabic program", "OK", false, true, false, false},
        {"Arabic at the start", "موافق", true, false, false, false},
        {"English", "OK", false, false, false, false},
    };
    // The style of the generic desktop, and of the offscreen platform.
    const std::unique_ptr<QStyle> qtsOwn(QStyleFactory::create(QStringLiteral("Fusion")));
    ASSERT_TRUE(qtsOwn);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        platform::useQtTexts(!c.qtTextsArabic);
        QWidget row;
        row.setLayoutDirection(c.arabic ? Qt::RightToLeft : Qt::LeftToRight);
        auto* button = new QPushButton(QString::fromUtf8(c.caption), &row);
        if (c.qtsOwnStyle)
            button->setStyle(qtsOwn.get());
        button->setIcon(button->style()->standardIcon(QStyle::SP_DialogOkButton));
        button->setGeometry(QRect(QPoint(4, 4), button->sizeHint().expandedTo({75, 0})));
        row.resize(button->width() + 8, button->height() + 8);
        row.show();
        QCoreApplication::processEvents();
        const QStringList faults = fitcheck::textFaults(&row);
        EXPECT_EQ(!faults.isEmpty(), c.fault) << faults.join(QLatin1Char('\n')).toStdString();
    }
    platform::useQtTexts(true);
}

} // namespace

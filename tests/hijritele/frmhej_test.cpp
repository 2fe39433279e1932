// The converter window, driven offscreen by its controls' names, in English
// and in Arabic.
#include <memory>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/qt/fonts.h"
#include "sharedwindows/windowregistry.h"
#include "telescopefixture.h"
#include "tools/frmhej.h"

using namespace hijritele;

namespace {

class FrmhejTest : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        put("pref.zvd", kEnglishPrefs);
    }

    std::unique_ptr<frmhej> open()
    {
        auto w = std::make_unique<frmhej>();
        w->show();
        w->activateWindow();
        QApplication::processEvents();
        return w;
    }

    static QStringList items(QComboBox* list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->itemText(i);
        return out;
    }

    static void choose(QWidget* w, const char* list, const QString& text)
    {
        auto* combo = child<QComboBox>(w, list);
        const int i = combo->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        combo->setCurrentIndex(i);
    }

    static QString resultRow(QWidget* w)
    {
        QStringList parts;
        for (const char* name : {"lblday", "lbldt", "lblmt", "lblyt"})
            parts << child<QLabel>(w, name)->text();
        return parts.join(QLatin1Char(' '));
    }

    static bool resultShown(QWidget* w)
    {
        return child<QLabel>(w, "lblday")->isVisible() && child<QLabel>(w, "lblyt")->isVisible();
    }

    MessageRecorder recorder;
};

} // namespace

TEST_F(FrmhejTest, OpensInEnglishOnTheHijriSide)
{
    auto w = open();
    EXPECT_EQ(w->windowTitle(), "Hejric-Gregorian Conversion");
    EXPECT_TRUE(child<QRadioButton>(w.get(), "opthtg")->isChecked());
    EXPECT_FALSE(child<QRadioButton>(w.get(), "optgth")->isChecked());
    auto* year = child<QLineEdit>(w.get(), "txty");
    EXPECT_EQ(year->text(), "1441");
    auto* months = child<QComboBox>(w.get(), "cbom");
    auto* days = child<QComboBox>(w.get(), "cbod");
    EXPECT_EQ(items(months).first(), "Muharram");
    EXPECT_EQ(items(months).last(), "Thul Hejjah");
    EXPECT_EQ(months->count(), 12);
    EXPECT_EQ(months->currentText(), "Muharram");
    EXPECT_EQ(days->count(), 30);
    EXPECT_EQ(days->currentText(), "1");
    EXPECT_FALSE(months->isEditable());
    EXPECT_FALSE(days->isEditable());
    EXPECT_FALSE(resultShown(w.get()));
    // The first control of the tab order has the focus, and its focus
    // selects the year's whole text.
    EXPECT_TRUE(child<QRadioButton>(w.get(), "opthtg")->hasFocus());
    EXPECT_EQ(year->selectedText(), "1441");
    EXPECT_EQ(child<QLabel>(w.get(), "lblvis")->text(),
              "Date Conversion is NOT based on Crescent Visibility ");
}

TEST_F(FrmhejTest, ConvertsBothWaysAndKeepsTheResultAcrossSwitches)
{
    auto w = open();
    child<QPushButton>(w.get(), "cmdcon")->click();
    EXPECT_TRUE(resultShown(w.get()));
    EXPECT_EQ(resultRow(w.get()), "Sunday 1 September 2019");

    child<QRadioButton>(w.get(), "optgth")->click();
    auto* months = child<QComboBox>(w.get(), "cbom");
    EXPECT_EQ(items(months).first(), "January");
    EXPECT_EQ(items(months).last(), "December");
    EXPECT_EQ(months->currentText(), "January");
    EXPECT_EQ(child<QComboBox>(w.get(), "cbod")->count(), 31);
    EXPECT_EQ(child<QComboBox>(w.get(), "cbod")->currentText(), "1");
    EXPECT_EQ(child<QLineEdit>(w.get(), "txty")->text(), "2019");
    EXPECT_EQ(resultRow(w.get()), "Sunday 1 September 2019");

    child<QPushButton>(w.get(), "cmdcon")->click();
    EXPECT_EQ(resultRow(w.get()), "Tuesday 23 Rabeea' Thani 1440");

    child<QRadioButton>(w.get(), "opthtg")->click();
    EXPECT_EQ(months->currentText(), "Muharram");
    EXPECT_EQ(child<QComboBox>(w.get(), "cbod")->count(), 30);
    EXPECT_EQ(child<QLineEdit>(w.get(), "txty")->text(), "1441");
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(FrmhejTest, ARefusalSaysWhyMovesTheFocusAndKeepsTheLastResult)
{
    auto w = open();
    child<QPushButton>(w.get(), "cmdcon")->click();
    const QString shown = resultRow(w.get());

    child<QLineEdit>(w.get(), "txty")->setText("0");
    child<QPushButton>(w.get(), "cmdcon")->click();
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, "The Year must be more than Zero!");
    EXPECT_EQ(recorder.messages[0].title, "Date Error");
    EXPECT_EQ(recorder.messages[0].icon, platform::MsgIcon::Warning);
    EXPECT_EQ(recorder.messages[0].buttons, platform::MsgButtons::Ok);
    EXPECT_TRUE(child<QLineEdit>(w.get(), "txty")->hasFocus());
    EXPECT_EQ(resultRow(w.get()), shown);

    child<QRadioButton>(w.get(), "optgth")->click();
    child<QLineEdit>(w.get(), "txty")->setText("1582");
    choose(w.get(), "cbom", "October");
    choose(w.get(), "cbod", "5");
    child<QPushButton>(w.get(), "cmdcon")->click();
    ASSERT_EQ(recorder.messages.size(), 2u);
    EXPECT_EQ(recorder.messages[1].text,
              "The Date After 04 October 1582 CE is 15 October 1582 CE!");
    EXPECT_TRUE(child<QComboBox>(w.get(), "cbod")->hasFocus());
    EXPECT_EQ(resultRow(w.get()), shown);
}

// Read as 0, a year beyond the range of numbers drew the false "more than
// Zero" or 622 message; it is refused as the number it is.
TEST_F(FrmhejTest, AYearBeyondTheRangeOfNumbersIsRefusedAsSuch)
{
    const struct {
        const char* pref;
        bool gregorian;
        const char* text;
    } cases[] = {
        {kEnglishPrefs, false, "The Year is too large a number!"},
        {kEnglishPrefs, true, "The Year is too large a number!"},
        {kArabicPrefs, false, "السنة رقم كبير جدا"},
        {kArabicPrefs, true, "السنة رقم كبير جدا"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + (c.gregorian ? " Gregorian" : " Hijri"));
        put("pref.zvd", c.pref);
        recorder.messages.clear();
        auto w = open();
        if (c.gregorian)
            child<QRadioButton>(w.get(), "optgth")->click();
        child<QPushButton>(w.get(), "cmdcon")->click();
        const QString shown = resultRow(w.get());
        for (const char* year : {"1e309", "-1e400"}) {
            child<QLineEdit>(w.get(), "txty")->setText(QLatin1String(year));
            child<QPushButton>(w.get(), "cmdcon")->click();
        }
        ASSERT_EQ(recorder.messages.size(), 2u);
        for (const auto& m : recorder.messages)
            EXPECT_EQ(m.text, QString::fromUtf8(c.text));
        EXPECT_TRUE(child<QLineEdit>(w.get(), "txty")->hasFocus());
        EXPECT_EQ(resultRow(w.get()), shown);
    }
}

TEST_F(FrmhejTest, ArabicTextsMirroredLayoutAndResults)
{
    put("pref.zvd", kArabicPrefs);
    auto w = open();
    EXPECT_EQ(w->windowTitle(), "تحويل هجري-ميلادي");
    EXPECT_EQ(w->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(child<QGroupBox>(w.get(), "frahej")->title(), "تحويل");
    auto* htg = child<QRadioButton>(w.get(), "opthtg");
    EXPECT_EQ(htg->text(), "التحويل من هجري إلى ميلادي");
    EXPECT_EQ(htg->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(child<QPushButton>(w.get(), "cmdcon")->text(), "&تحويل");
    EXPECT_EQ(child<QPushButton>(w.get(), "cmdcan")->text(), "&خروج");
    // From the right: day, month, year; Convert on the right of Cancel.
    EXPECT_GT(child<QComboBox>(w.get(), "cbod")->x(), child<QComboBox>(w.get(), "cbom")->x());
    EXPECT_GT(child<QComboBox>(w.get(), "cbom")->x(), child<QLineEdit>(w.get(), "txty")->x());
    EXPECT_GT(child<QPushButton>(w.get(), "cmdcon")->x(),
              child<QPushButton>(w.get(), "cmdcan")->x());
    auto* months = child<QComboBox>(w.get(), "cbom");
    EXPECT_EQ(months->currentText(), "محرم");
    EXPECT_EQ(child<QComboBox>(w.get(), "cbod")->currentText(), "1");
    EXPECT_EQ(child<QLineEdit>(w.get(), "txty")->text(), "1441");

    child<QPushButton>(w.get(), "cmdcon")->click();
    EXPECT_EQ(resultRow(w.get()), "الأحد 1 أيلول 2019");
    auto* weekday = child<QLabel>(w.get(), "lblday");
    EXPECT_EQ(weekday->font().pointSizeF(), 14);
    EXPECT_GT(weekday->x(), child<QLabel>(w.get(), "lblyt")->x());

    child<QRadioButton>(w.get(), "optgth")->click();
    EXPECT_EQ(months->currentText(), "كانون ثاني");
    child<QLineEdit>(w.get(), "txty")->setText("600");
    child<QPushButton>(w.get(), "cmdcon")->click();
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, "التاريخ يجب أن يكون بعد 15/تموز/622");
    EXPECT_EQ(recorder.messages[0].title, "خطأ");
    EXPECT_TRUE(recorder.messages[0].rightToLeft);
}

// The lowest row of ink that `label` draws in `picture` of its parent: the
// baseline of a text without descenders.
int inkBottom(const QImage& picture, const QLabel* label, QRgb background)
{
    const QRect r = label->geometry() & picture.rect();
    for (int y = r.bottom(); y >= r.top(); --y)
        for (int x = r.left(); x <= r.right(); ++x)
            if ((picture.pixel(x, y) & 0xFFFFFF) != (background & 0xFFFFFF))
                return y;
    return -1;
}

// The four words of a result read as one line in both languages, in the
// faces the program installs: the month's taller label centred its name
// lower than the others. Each label's own text is drawn, then a "1" in its
// place (no descender: its ink ends on the baseline).
TEST_F(FrmhejTest, TheResultsWordsShareOneBaseline)
{
    platform::installFonts();
    struct Case {
        const char* what;
        const char* prefs;
        bool gregorianToHijri;
    };
    const Case cases[] = {
        {"English, Hijri to Gregorian (September)", kEnglishPrefs, false},
        {"English, Gregorian to Hijri", kEnglishPrefs, true},
        {"Arabic, Hijri to Gregorian", kArabicPrefs, false},
        {"Arabic, Gregorian to Hijri", kArabicPrefs, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        put("pref.zvd", c.prefs);
        auto w = open();
        if (c.gregorianToHijri)
            child<QRadioButton>(w.get(), "optgth")->click();
        child<QPushButton>(w.get(), "cmdcon")->click();
        auto* frame = child<QGroupBox>(w.get(), "frahej");
        std::vector<int> bottoms;
        for (const char* name : {"lblday", "lbldt", "lblmt", "lblyt"}) {
            auto* label = child<QLabel>(w.get(), name);
            ASSERT_FALSE(label->text().isEmpty()) << name;
            label->setText(QStringLiteral("1"));
        }
        const QImage picture = frame->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRgb background =
            picture.pixel(child<QLabel>(w.get(), "lblday")->geometry().topLeft());
        for (const char* name : {"lblday", "lbldt", "lblmt", "lblyt"}) {
            bottoms.push_back(inkBottom(picture, child<QLabel>(w.get(), name), background));
            EXPECT_GE(bottoms.back(), 0) << name;
        }
        const auto [low, high] = std::minmax_element(bottoms.begin(), bottoms.end());
        EXPECT_LE(*high - *low, 1)
            << bottoms[0] << " " << bottoms[1] << " " << bottoms[2] << " " << bottoms[3];
    }
    QFont::removeSubstitutions(QStringLiteral("MS Sans Serif"));
    QFont::removeSubstitutions(QStringLiteral("Simplified Arabic"));
}

TEST_F(FrmhejTest, EveryOpeningStartsFromTheDefaults)
{
    windows::setFactory("frmhej", [] { return new frmhej; });
    auto* w = windows::show("frmhej", windows::ShowMode::Modeless);
    ASSERT_NE(w, nullptr);
    child<QRadioButton>(w, "optgth")->click();
    child<QPushButton>(w, "cmdcon")->click();
    EXPECT_TRUE(resultShown(w));
    child<QPushButton>(w, "cmdcan")->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(windows::find("frmhej"), nullptr);

    w = windows::show("frmhej", windows::ShowMode::Modeless);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(child<QRadioButton>(w, "opthtg")->isChecked());
    EXPECT_EQ(child<QLineEdit>(w, "txty")->text(), "1441");
    EXPECT_FALSE(resultShown(w));
    w->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    windows::setFactory("frmhej", {});
}

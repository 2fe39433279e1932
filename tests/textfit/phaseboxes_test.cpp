// The two number boxes of the moon-phases window show their values whole, in
// English and in Arabic, at the window's opening size and at the smallest
// size it can be made: a year at either end of the accepted range, and a
// Delta T of eight digits such as far years have or a user types. Each value
// is drawn clear of its box's border on either side, as captions keep clear
// of the boxes beside them.
#include <QApplication>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include <gtest/gtest.h>

#include "fitcheck.h"
#include "lunar/frmphase.h"
#include "lunar/moonphases.h"
#include "platform/qt/fonts.h"
#include "settings/records.h"
#include "support/testsupport.h"

namespace {

class PhaseBoxes : public testsupport::ProgramFolderTest {
protected:
    static void SetUpTestSuite() { platform::installFonts(); }
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        putDefaultSettings();
    }
};

// Pixels a box lacks to show its text whole; 0 when it shows it all.
double shortfall(const QLineEdit* box)
{
    QStyleOptionFrame option;
    option.initFrom(box);
    QRect room = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    room = room.marginsRemoved(box->textMargins());
    // QLineEdit keeps two pixels between its text and each side of that.
    const double width = room.width() - 2 * 2;
    const double advance = fitcheck::measureLine(box->text(), box).advance;
    return advance > width + 0.5 ? advance - width : 0;
}

TEST_F(PhaseBoxes, YearAndDeltaTShowWholeAtEverySize)
{
    // Wider than any year the window accepts: the box is made for six
    // characters.
    const QString first = QStringLiteral("-20000");
    const QString last = QStringLiteral("20000");
    const struct {
        const char* what;
        QString year;
        QString deltaT; // typed after the year; empty: the year's own
    } cases[] = {
        {"a year of six characters", first, {}},
        {"a year of five digits", last, {}},
        {"a year of the present", QStringLiteral("2019"), {}},
        {"eight digits typed in", first, QStringLiteral("14203098.31")},
        {"eight digits below zero", last, QStringLiteral("-14203098.31")},
    };
    for (bool english : {true, false}) {
        settings::Preferences pref = settings::readPreferences();
        pref.eng = english;
        ASSERT_TRUE(settings::writePreferences(pref));
        for (bool smallest : {false, true}) {
            for (const auto& c : cases) {
                SCOPED_TRACE(std::string(c.what) + (english ? ", English" : ", Arabic") +
                             (smallest ? ", smallest window" : ", opening size"));
                frmphase w;
                w.show();
                QCoreApplication::processEvents();
                w.txtyear->setText(c.year);
                if (!c.deltaT.isEmpty())
                    w.txtdelta->setText(c.deltaT);
                if (smallest)
                    w.resize(w.minimumSize());
                QCoreApplication::processEvents();
                EXPECT_EQ(shortfall(w.txtyear), 0) << w.txtyear->text().toStdString();
                EXPECT_EQ(shortfall(w.txtdelta), 0) << w.txtdelta->text().toStdString();
                for (QLineEdit* box : {w.txtyear, w.txtdelta}) {
                    const fitcheck::DrawnSpan drawn = fitcheck::drawnText(box, QPalette::Text);
                    ASSERT_FALSE(drawn.isEmpty()) << box->objectName().toStdString();
                    EXPECT_GE(drawn.leftGap(), fitcheck::kBorderGap)
                        << box->objectName().toStdString() << " " << box->text().toStdString();
                    EXPECT_GE(drawn.rightGap(), fitcheck::kBorderGap)
                        << box->objectName().toStdString() << " " << box->text().toStdString();
                }
            }
        }
    }
}

} // namespace

namespace {

// Every text of the window whole and no control over another at the
// smallest size the window can be made, and at its opening width made as
// low as it goes: its notes wrap onto more lines the narrower it is, and the
// options above them must keep their room.
TEST_F(PhaseBoxes, EverythingFitsAtTheSmallestSize)
{
    for (bool english : {true, false}) {
        settings::Preferences pref = settings::readPreferences();
        pref.eng = english;
        ASSERT_TRUE(settings::writePreferences(pref));
        frmphase w;
        w.show();
        QCoreApplication::processEvents();
        const QSize opening = w.size();
        for (const QSize asked : {w.minimumSize(), QSize(opening.width(), 1)}) {
            SCOPED_TRACE(std::string(english ? "English" : "Arabic") + ", made " +
                         std::to_string(asked.width()) + "x" + std::to_string(asked.height()));
            w.resize(asked);
            QCoreApplication::processEvents();
            const QStringList texts = fitcheck::textFaults(&w);
            EXPECT_TRUE(texts.isEmpty()) << texts.join(QLatin1Char('\n')).toStdString();
            const QStringList overlaps = fitcheck::overlapFaults(&w);
            EXPECT_TRUE(overlaps.isEmpty()) << overlaps.join(QLatin1Char('\n')).toStdString();
        }
    }
}

} // namespace

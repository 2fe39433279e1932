#include <string>
#include <vector>

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "engine/modgeneral.h"
#include "platform/eventloop.h"
#include "platform/qt/messagebox.h"
#include "sharedwindows/frmwait.h"
#include "support/testsupport.h"

namespace {

const char* const kEnglish =
    "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#TRUE#,\"1\",\"1\",0,0,1\r\n";
const char* const kArabic =
    "18,18,4,1,10,1,0,0,0,0,\"0\",\"0\",\"1\",\"1\",#FALSE#,\"1\",\"1\",0,0,1\r\n";

struct Seen {
    std::string label;
    int bar;
    bool visible;
};

Seen seen()
{
    frmwait& w = frmwait::form();
    return {w.lblpro1->text().toStdString(), w.Pro1->value(), w.isVisible()};
}

class Frmwait : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        put("pref.zvd", kEnglish);
        platform::setMessageResponder([this](const platform::MessageRequest& r) {
            messages.push_back(r);
            return platform::MsgAnswer::Ok;
        });
        platform::setEventProcessor([this] {
            ++handovers;
            if (onHandover)
                onHandover(handovers);
            QCoreApplication::processEvents();
        });
        cancelflag = 0;
    }
    void TearDown() override
    {
        frmwait::unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        platform::setEventProcessor({});
        platform::setMessageResponder({});
        ProgramFolderTest::TearDown();
    }

    // A report-like run over the days jd1..jd2 that records what the window
    // shows at the start of every day; returns the number of days computed.
    int run(double jd1, double jd2, std::vector<Seen>& starts)
    {
        LongComputation computation;
        if (!computation.started())
            return -1;
        starts.push_back(seen()); // before the first day
        int days = 0;
        for (double jd = jd1; jd <= jd2; ++jd) {
            computation.stepStarts(jd, jd1, jd2);
            starts.push_back(seen());
            ++days;
            if (computation.handOverCancelled())
                break;
        }
        return days;
    }

    std::vector<platform::MessageRequest> messages;
    int handovers = 0;
    std::function<void(int)> onHandover;
};

} // namespace

TEST_F(Frmwait, ElevenDaysShowTenPercentSteps)
{
    std::vector<Seen> starts;
    EXPECT_EQ(run(2461000.5, 2461010.5, starts), 11);
    ASSERT_EQ(starts.size(), 12u);
    EXPECT_EQ(starts[0].label, "0"); // as set before the run, without " %"
    EXPECT_EQ(starts[0].bar, 0);
    for (int day = 0; day <= 10; ++day) {
        EXPECT_EQ(starts[day + 1].label, std::to_string(10 * day) + " %") << day;
        EXPECT_EQ(starts[day + 1].bar, 10 * day) << day;
        EXPECT_TRUE(starts[day + 1].visible) << day;
    }
    EXPECT_FALSE(frmwait::isLoaded()); // unloaded at the end
    EXPECT_EQ(cancelflag, 0);
    EXPECT_FALSE(LongComputation::running());
}

TEST_F(Frmwait, OneDayIsFullFromTheStart)
{
    std::vector<Seen> starts;
    EXPECT_EQ(run(2461000.5, 2461000.5, starts), 1);
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(starts[1].label, "100 %");
    EXPECT_EQ(starts[1].bar, 100);
}

TEST_F(Frmwait, ShareIsTruncatedToAWholePercent)
{
    EXPECT_DOUBLE_EQ(frmwait::share(2, 0, 3), 100 * (2.0 / 3));
    frmwait::form().showShare(frmwait::share(2, 0, 3));
    EXPECT_EQ(frmwait::form().lblpro1->text(), "66 %");
    EXPECT_EQ(frmwait::form().Pro1->value(), 66);
}

TEST_F(Frmwait, CancelStopsTheRunAfterTheCurrentStep)
{
    QPointer<frmwait> window;
    onHandover = [&](int n) {
        if (n == 3 && frmwait::isLoaded()) {
            window = &frmwait::form();
            QTest::mouseClick(window->bcancel, Qt::LeftButton);
        }
    };
    std::vector<Seen> starts;
    EXPECT_EQ(run(1, 10, starts), 3);
    EXPECT_EQ(cancelflag, -1);
    ASSERT_FALSE(window.isNull());
    EXPECT_FALSE(window->isVisible()); // gone at once
    EXPECT_FALSE(frmwait::isLoaded());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_FALSE(LongComputation::running());

    // The next run clears the flag again.
    starts.clear();
    onHandover = {};
    EXPECT_EQ(run(1, 2, starts), 2);
    EXPECT_EQ(cancelflag, 0);
}

TEST_F(Frmwait, ClosingTheWindowIsACancel)
{
    LongComputation computation;
    ASSERT_TRUE(computation.started());
    frmwait::form().close();
    EXPECT_EQ(cancelflag, -1);
    EXPECT_FALSE(frmwait::isLoaded());
    EXPECT_TRUE(computation.handOverCancelled());
}

TEST_F(Frmwait, ASecondStartIsRefusedWhileOneRuns)
{
    {
        LongComputation first;
        ASSERT_TRUE(first.started());
        first.stepStarts(50);
        LongComputation second;
        EXPECT_FALSE(second.started());
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_TRUE(messages[0].text.startsWith("Another calculation is running"));
        EXPECT_FALSE(messages[0].rightToLeft);
        // The running computation keeps its window and its flag.
        EXPECT_EQ(frmwait::form().lblpro1->text(), "50 %");
        EXPECT_TRUE(frmwait::form().isVisible());
        EXPECT_EQ(cancelflag, 0);

        put("pref.zvd", kArabic);
        LongComputation third;
        EXPECT_FALSE(third.started());
        ASSERT_EQ(messages.size(), 2u);
        EXPECT_TRUE(messages[1].rightToLeft);
        EXPECT_TRUE(messages[1].text.startsWith(QStringLiteral("يوجد حساب آخر")));
    }
    // Once the first has ended, a new one starts.
    LongComputation next;
    EXPECT_TRUE(next.started());
    EXPECT_EQ(messages.size(), 2u);
}

TEST_F(Frmwait, ASecondRunStartsFromZero)
{
    {
        LongComputation first;
        first.stepStarts(60);
    }
    LongComputation second;
    const Seen s = seen();
    EXPECT_EQ(s.label, "0");
    EXPECT_EQ(s.bar, 0);
    EXPECT_TRUE(s.visible);
}

TEST_F(Frmwait, Captions)
{
    struct Case {
        const char* control;
        const char* english;
        const char* arabic;
    } cases[] = {
        {"Label1", "Please Wait !", "الرجاء الانتظار"},
        {"lbllong", "Calculations for long period may take long time!",
         "الحسابات لفترة طويلة قد تحتاج بعض الدقائق"},
        {"Label2", "0 %", "0 %"},
        {"Label3", "100 %", "100 %"},
        {"lblpro1", "0 %", "0 %"},
        {"bcancel", "&Cancel", "إلغاء"},
    };
    // Each load reads pref.zvd again: English, Arabic, and back.
    for (const char* pref : {kEnglish, kArabic, kEnglish}) {
        put("pref.zvd", pref);
        const bool english = pref == kEnglish;
        frmwait::unload();
        frmwait& w = frmwait::form();
        EXPECT_EQ(w.windowTitle(),
                  english ? QStringLiteral("Please Wait!") : QStringLiteral("الرجاء الانتظار"));
        EXPECT_EQ(w.layoutDirection(), english ? Qt::LeftToRight : Qt::RightToLeft);
        for (const Case& c : cases) {
            QWidget* control = w.findChild<QWidget*>(c.control);
            ASSERT_NE(control, nullptr) << c.control;
            const QString text = qobject_cast<QLabel*>(control)
                                     ? qobject_cast<QLabel*>(control)->text()
                                     : qobject_cast<QPushButton*>(control)->text();
            EXPECT_EQ(text, QString::fromUtf8(english ? c.english : c.arabic)) << c.control;
        }
        ASSERT_NE(w.findChild<QProgressBar*>("Pro1"), nullptr);
        EXPECT_EQ(w.Pro1->minimum(), 0);
        EXPECT_EQ(w.Pro1->maximum(), 100);
        if (!english) {
            EXPECT_EQ(w.Label1->font().family(), "Arabic Transparent");
            EXPECT_EQ(w.lbllong->font().family(), "Arabic Transparent");
            EXPECT_EQ(w.lbllong->font().pointSize(), 14);
            EXPECT_TRUE(w.lbllong->alignment() & Qt::AlignHCenter);
        }
    }
}

TEST_F(Frmwait, ArabicLayoutMirrorsTheScale)
{
    put("pref.zvd", kArabic);
    LongComputation computation;
    frmwait& w = frmwait::form();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    // "0 %" sits where the bar starts: on the right in a right-to-left window.
    EXPECT_GT(w.Label2->geometry().left(), w.Pro1->geometry().left());
    EXPECT_LT(w.Label3->geometry().left(), w.Pro1->geometry().left());
    EXPECT_TRUE(w.Pro1->isRightToLeft());
}

TEST_F(Frmwait, AMissingPreferencesFileStops)
{
    std::filesystem::remove(file("pref.zvd"));
    EXPECT_THROW(frmwait::form(), platform::FileFault);
    EXPECT_FALSE(LongComputation::running());
}

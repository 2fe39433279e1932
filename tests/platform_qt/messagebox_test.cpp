// The real message box in the interface language: an Arabic message is laid
// out right to left and its buttons are Arabic too.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/qt/messagebox.h"
#include "support/signedtext.h"

namespace {

// Presses the button captioned `press` in the box that opens next, after
// noting every button's caption.
void pressWhenShown(const QString& press, QStringList& captions)
{
    QTimer::singleShot(0, [press, &captions] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* b : box->buttons()) {
            captions << b->text();
            if (b->text() == press)
                b->click();
        }
    });
}

} // namespace

TEST(MessageBox, ArabicButtonsAnswerAsTheirEnglishOnes)
{
    struct Case {
        bool english;
        const char* press;
        platform::MsgAnswer answer;
    } cases[] = {
        {false, "لا", platform::MsgAnswer::No},
        {false, "نعم", platform::MsgAnswer::Yes},
        {true, "&No", platform::MsgAnswer::No},
    };
    for (const Case& c : cases) {
        QStringList captions;
        pressWhenShown(QString::fromUtf8(c.press), captions);
        const platform::MsgAnswer answer =
            platform::msgBox(nullptr, QStringLiteral("?"), QStringLiteral("t"), c.english,
                             platform::MsgIcon::Question, platform::MsgButtons::YesNo);
        EXPECT_EQ(answer, c.answer) << c.press;
        EXPECT_EQ(captions.size(), 2) << c.press;
        for (const QString& caption : captions)
            EXPECT_EQ(caption.contains(QLatin1String("Yes")) ||
                          caption.contains(QLatin1String("No")),
                      c.english)
                << caption.toStdString();
    }
}

// A signed number in an Arabic sentence keeps its sign left of its digits
// only as a run of its own; bare, the sentence's direction takes the sign.
TEST(MessageBox, SignedNumbersKeepTheirSignInAnArabicSentence)
{
    const auto sentence = [](const QString& from, const QString& to) {
        return QStringLiteral("النطاق الزمني يجب أن يكون بين %1 و %2 ساعة").arg(from, to);
    };
    const QString bare = sentence(QStringLiteral("-12"), QStringLiteral("+14"));
    EXPECT_EQ(testsupport::signsOnTheFarSide(bare),
              QStringList({QStringLiteral("-12"), QStringLiteral("+14")}));
    const QString isolated = sentence(platform::numberInMessage(QStringLiteral("-12"), false),
                                      platform::numberInMessage(QStringLiteral("+14"), false));
    EXPECT_TRUE(testsupport::signsOnTheFarSide(isolated).isEmpty()) << isolated.toStdString();
    EXPECT_EQ(platform::numberInMessage(QStringLiteral("-1999"), true), QStringLiteral("-1999"));
}

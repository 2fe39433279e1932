// The real message box in the interface language: an Arabic message is laid
// out right to left and its buttons are Arabic too.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/qt/messagebox.h"

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

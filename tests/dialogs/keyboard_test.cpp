// Enter on a focused button presses it in the four settings dialogs; Enter in
// a text box presses nothing.
#include <functional>
#include <memory>

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "dialogtest.h"
#include "platform/qt/qtplatform.h"
#include "settings/dialogs/frmalerts.h"
#include "settings/dialogs/frmdate.h"
#include "settings/dialogs/frmlocation.h"
#include "settings/dialogs/frmpreferences.h"

using namespace dialogtest;

namespace {

class KeyboardTest : public DialogTest {};

} // namespace

TEST_F(KeyboardTest, EnterPressesTheFocusedButtonOnly)
{
    platform::installEnterOnButtons();
    struct Case {
        const char* dialog;
        std::function<std::unique_ptr<QDialog>()> make;
        const char* cancel;
        const char* box;
    };
    const Case cases[] = {
        {"preferences", [] { return std::make_unique<frmpreferences>(); }, "cmdcan", "txtfaj"},
        {"location", [] { return std::make_unique<frmlocation>(); }, "cmdcancel", "txtname"},
        {"alerts", [] { return std::make_unique<frmalerts>(); }, "cmdcan", "txtpep"},
        {"dates", [] { return std::make_unique<frmdate>(); }, "cmdcan", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dialog);
        std::unique_ptr<QDialog> d = c.make();
        d->show();
        // Enter in a text box: nothing is pressed, nothing is saved.
        QLineEdit* box = c.box ? child<QLineEdit>(d.get(), c.box) : d->findChild<QLineEdit*>();
        ASSERT_NE(box, nullptr);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_TRUE(d->isVisible());
        EXPECT_TRUE(messages.empty());

        // Enter on the focused Cancel button presses it.
        QPushButton* cancel = child<QPushButton>(d.get(), c.cancel);
        cancel->setFocus();
        QTest::keyClick(cancel, Qt::Key_Return);
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(d->result(), QDialog::Rejected);
    }

    // Enter on OK saves as a click does.
    frmdate dates;
    dates.show();
    std::filesystem::remove(file("date.zvd"));
    QPushButton* ok = child<QPushButton>(&dates, "cmdok");
    ok->setFocus();
    QTest::keyClick(ok, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(dates.result(), QDialog::Accepted);
    EXPECT_TRUE(std::filesystem::exists(file("date.zvd")));
}

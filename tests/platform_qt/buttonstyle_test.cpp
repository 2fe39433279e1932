// The button style of the start-up wraps the style the program was given, so
// the program keeps the look of its desktop.
#include <QApplication>
#include <QCommonStyle>
#include <QPointer>
#include <QProxyStyle>
#include <gtest/gtest.h>

#include "platform/qt/qtplatform.h"

namespace {

// A desktop's style that no style factory can make again by its name, as a
// style set by a desktop's own code is.
class DesktopStyle : public QCommonStyle {};

} // namespace

TEST(ButtonStyle, TheStartUpKeepsTheStyleInUse)
{
    auto* desktop = new DesktopStyle;
    QApplication::setStyle(desktop);
    ASSERT_EQ(QApplication::style(), desktop);
    const QPointer<QStyle> kept(desktop);

    platform::installQtPlatform();
    auto* installed = qobject_cast<QProxyStyle*>(QApplication::style());
    ASSERT_NE(installed, nullptr);
    EXPECT_EQ(installed->baseStyle(), desktop);
    EXPECT_FALSE(kept.isNull());

    // A second start-up changes nothing.
    platform::installQtPlatform();
    EXPECT_EQ(QApplication::style(), installed);
    EXPECT_EQ(installed->baseStyle(), desktop);
}

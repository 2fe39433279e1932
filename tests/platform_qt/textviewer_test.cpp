#include <vector>

#include <QCoreApplication>
#include <QFontInfo>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <gtest/gtest.h>

#include "platform/fault.h"
#include "platform/qt/messagebox.h"
#include "platform/qt/textviewer.h"
#include "support/testsupport.h"

namespace {

// A report line with a degree sign and an Arabic place name, CR LF ended, and
// a tab: all must reach the viewer as written.
const char* const kReport = "Place: \xd9\x85\xd9\x83\xd8\xa9   21.4 \xc2\xb0"
                            "C\r\n"
                            "Fajr\t04:12\r\n"
                            "\r\n"
                            "end";
const QString kShown = QString::fromUtf8("Place: مكة   21.4 °C\nFajr\t04:12\n\nend");

class TextViewerTest : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        platform::setMessageResponder([this](const platform::MessageRequest& r) {
            messages.push_back(r);
            return platform::MsgAnswer::Ok;
        });
    }
    void TearDown() override
    {
        for (const char* name : {"results.out", "help.txt"})
            if (platform::TextViewer* viewer = platform::textViewerOf(name))
                viewer->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        platform::setTextFileShower({});
        platform::setMessageResponder({});
        ProgramFolderTest::TearDown();
    }
    std::vector<platform::MessageRequest> messages;
};

} // namespace

TEST_F(TextViewerTest, TheDoubleRecordsWhatWouldBeShown)
{
    std::vector<platform::TextFileView> shown;
    platform::setTextFileShower([&](const platform::TextFileView& v) { shown.push_back(v); });
    put("results.out", kReport);
    platform::showTextFile("results.out");
    platform::showTextFile("mresults.out"); // missing
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].file, file("results.out")); // a bare name is in the program folder
    EXPECT_TRUE(shown[0].opened);
    EXPECT_EQ(shown[0].caption, "results.out");
    EXPECT_EQ(shown[0].text, kShown);
    EXPECT_FALSE(shown[1].opened);
    EXPECT_EQ(platform::textViewerOf("results.out"), nullptr); // no window opened
}

TEST_F(TextViewerTest, TheViewerShowsTheFileReadOnlyAndMaximised)
{
    put("results.out", kReport);
    platform::showTextFile("results.out");
    platform::TextViewer* viewer = platform::textViewerOf("results.out");
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->windowTitle(), "results.out");
    EXPECT_TRUE(viewer->isReadOnly());
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(viewer->windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(QFontInfo(viewer->font()).fixedPitch());
    EXPECT_EQ(viewer->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(viewer->toPlainText(), kShown);
    EXPECT_TRUE(messages.empty());

    // Shown again after a new run: the same window, the new contents.
    put("results.out", "second run\r\n");
    platform::showTextFile(file("results.out"));
    EXPECT_EQ(platform::textViewerOf("results.out"), viewer);
    EXPECT_EQ(viewer->toPlainText(), "second run\n");
}

TEST_F(TextViewerTest, AFileThatCannotBeReadIsReported)
{
    for (bool english : {true, false}) {
        platform::setFaultLanguage(english);
        platform::showTextFile("help.txt");
        EXPECT_EQ(platform::textViewerOf("help.txt"), nullptr);
    }
    platform::setFaultLanguage(true);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[0].text.contains("help.txt"));
    EXPECT_FALSE(messages[0].rightToLeft);
    EXPECT_TRUE(messages[1].text.contains("help.txt"));
    EXPECT_TRUE(messages[1].rightToLeft);
    for (const platform::MessageRequest& m : messages)
        EXPECT_EQ(m.title, "Miqatix"); // the program's name in either language
}

TEST_F(TextViewerTest, ALongReportShowsItsFirstPageAtOnceAndTheRestFromTheEventLoop)
{
    // Lines with two- and three-byte characters, CR LF ended, and one line
    // longer than a step: every cut must fall between whole characters and
    // never between the CR and the LF.
    std::string bytes;
    const std::string line = "Fajr\t04:12  \xd9\x85\xd9\x83\xd8\xa9  21.4 \xc2\xb0"
                             "C\r\n";
    while (bytes.size() < 5 * platform::TextViewer::kStepBytes)
        bytes += line;
    for (int i = 0; bytes.size() < 8 * platform::TextViewer::kStepBytes; ++i)
        bytes += i % 7 ? "\xd9\x85" : "\r";
    bytes += "\r\n" + line + "end";
    put("results.out", bytes);
    QString whole = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    whole.replace("\r\n", "\n");
    // What the whole text put in at once shows (a lone CR ends a line too).
    QPlainTextEdit atOnce;
    atOnce.setPlainText(whole);
    const QString expected = atOnce.toPlainText();

    platform::showTextFile("results.out");
    platform::TextViewer* viewer = platform::textViewerOf("results.out");
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(viewer->isLoading());
    const QString firstPage = viewer->toPlainText();
    EXPECT_FALSE(firstPage.isEmpty());
    EXPECT_LT(firstPage.size(), expected.size());
    EXPECT_TRUE(firstPage.endsWith("\n"));
    EXPECT_TRUE(expected.startsWith(firstPage));

    // The event loop adds the rest; the view stays at the top meanwhile.
    for (int turns = 0; viewer->isLoading() && turns < 10000; ++turns)
        QCoreApplication::processEvents();
    EXPECT_FALSE(viewer->isLoading());
    EXPECT_EQ(viewer->toPlainText(), expected);
    EXPECT_EQ(viewer->textCursor().position(), 0);

    // Shown again while it loads: the new file from its start.
    platform::showTextFile("results.out");
    EXPECT_TRUE(viewer->isLoading());
    put("results.out", "second run\r\n");
    platform::showTextFile("results.out");
    EXPECT_FALSE(viewer->isLoading());
    EXPECT_EQ(viewer->toPlainText(), "second run\n");
}

// Ctrl+Home and Ctrl+End go to the start and the end of the text, the cursor
// and the view both; Home and End scroll the view alone, as they did. While a
// long report loads, Ctrl+End reaches its real end once the rest is in.
TEST_F(TextViewerTest, CtrlHomeAndCtrlEndGoToTheStartAndTheEnd)
{
    // Long enough to load in steps, and a line wider than the window.
    std::string bytes = std::string(400, 'x') + "\r\n";
    for (int i = 0; bytes.size() < 4 * platform::TextViewer::kStepBytes; ++i)
        bytes += "Fajr\t04:12  line " + std::to_string(i) + "\r\n";
    bytes += "last line";
    put("results.out", bytes);
    platform::showTextFile("results.out");
    platform::TextViewer* viewer = platform::textViewerOf("results.out");
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(viewer->isLoading());
    QScrollBar* down = viewer->verticalScrollBar();
    QScrollBar* across = viewer->horizontalScrollBar();

    QTest::keyClick(viewer, Qt::Key_End, Qt::ControlModifier);
    for (int turns = 0; viewer->isLoading() && turns < 10000; ++turns)
        QCoreApplication::processEvents();
    ASSERT_FALSE(viewer->isLoading());
    const int end = viewer->document()->characterCount() - 1;
    EXPECT_EQ(viewer->textCursor().position(), end);
    EXPECT_GT(down->maximum(), 0);
    EXPECT_EQ(down->value(), down->maximum());
    EXPECT_TRUE(viewer->textCursor().block().text() == "last line");

    across->setValue(across->maximum());
    QTest::keyClick(viewer, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(viewer->textCursor().position(), 0);
    EXPECT_EQ(down->value(), 0);
    EXPECT_EQ(across->value(), 0);

    // Home and End move the view, not the cursor.
    QTest::keyClick(viewer, Qt::Key_End);
    EXPECT_EQ(down->value(), down->maximum());
    EXPECT_EQ(viewer->textCursor().position(), 0);
    QTest::keyClick(viewer, Qt::Key_Home);
    EXPECT_EQ(down->value(), 0);

    // Ctrl+End while loading, then scrolling away: the view stays where the
    // user scrolled when the rest comes in.
    platform::showTextFile("results.out");
    ASSERT_TRUE(viewer->isLoading());
    QTest::keyClick(viewer, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(viewer, Qt::Key_Home);
    for (int turns = 0; viewer->isLoading() && turns < 10000; ++turns)
        QCoreApplication::processEvents();
    EXPECT_EQ(down->value(), 0);
}

#include <vector>

#include <QCoreApplication>
#include <QFontInfo>
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
}

// A program folder with the shipped settings, message boxes that are
// recorded and answered, and a finder for the dialogs' controls.
#pragma once

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include <QWidget>
#include <gtest/gtest.h>

#include "platform/filewriter.h"
#include "platform/qt/messagebox.h"
#include "support/testsupport.h"

namespace dialogtest {

// Fails every write whose file name is `name` (every write when empty).
class FailingWriter : public platform::FileWriter {
public:
    explicit FailingWriter(std::string name = {}) : name_(std::move(name)) {}
    bool replaceFile(const std::filesystem::path& file, const std::string& contents,
                     std::string& error) override
    {
        if (name_.empty() || file.filename() == name_) {
            error = "No space left on device";
            return false;
        }
        std::string ignored;
        platform::FileWriter* self = platform::setFileWriter(nullptr);
        const bool ok = platform::fileWriter().replaceFile(file, contents, ignored);
        platform::setFileWriter(self);
        return ok;
    }

private:
    std::string name_;
};

class DialogTest : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        putDefaultSettings();
        oldResponder_ = platform::setMessageResponder([this](const platform::MessageRequest& r) {
            messages.push_back(r);
            if (!answers.empty()) {
                const platform::MsgAnswer a = answers.front();
                answers.pop_front();
                return a;
            }
            return r.buttons == platform::MsgButtons::YesNo ? platform::MsgAnswer::Yes
                                                            : platform::MsgAnswer::Ok;
        });
    }

    void TearDown() override
    {
        platform::setMessageResponder(oldResponder_);
        platform::setFileWriter(nullptr);
        ProgramFolderTest::TearDown();
    }

    // The texts of the messages shown so far.
    std::vector<QString> texts() const
    {
        std::vector<QString> out;
        for (const auto& m : messages)
            out.push_back(m.text);
        return out;
    }

    std::vector<platform::MessageRequest> messages;
    std::deque<platform::MsgAnswer> answers;

private:
    platform::MessageResponder oldResponder_;
};

template <typename T> T* child(QWidget* dialog, const char* name)
{
    T* w = dialog->findChild<T*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

} // namespace dialogtest

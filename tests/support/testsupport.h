// Test helpers: a temporary program folder with the files a test puts there,
// a stop handler that throws the file fault instead of ending the program, and
// a file writer that fails.
#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/eventloop.h"
#include "platform/fault.h"
#include "platform/filewriter.h"

namespace testsupport {

std::filesystem::path seriesDir(); // the generated series files
std::filesystem::path dataDir();   // the project's data/ folder

std::string readFile(const std::filesystem::path& file);
void writeFile(const std::filesystem::path& file, const std::string& contents);

// The settings line `line` (no line end) with its field `field` (1-based)
// replaced by `value`. The shipped files hold no comma inside a text.
std::string withField(const std::string& line, int field, const std::string& value);

// A fresh program folder for each test, removed afterwards.
class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::filesystem::path folder() const { return folder_; }
    std::filesystem::path file(const std::string& name) const { return folder_ / name; }

    // Writes a file of the program folder as a save of the program would:
    // the settings readers look at it again at their next call.
    void put(const std::string& name, const std::string& contents)
    {
        writeFile(file(name), contents);
        platform::filesMayHaveChanged();
    }
    std::string get(const std::string& name) const { return readFile(file(name)); }

    // Copies the shipped default settings files into the folder.
    void putDefaultSettings();
    // Copies the four generated series files into the folder.
    void putSeriesFiles();

private:
    std::filesystem::path folder_;
    platform::StopHandler oldHandler_;
};

// Compares a report's text with tests/<folder>/golden/<name>, the one way
// every test checks a golden file. The golden files are the program's own
// output, read through once and kept: regression checks that catch any
// change, not proof that the output is right (the reference and worked-value
// tests are that). MIQATIX_UPDATE_GOLDEN=1 rewrites them before comparing;
// read the diff before committing it. Any other value fails the test.
void compareWithGolden(const std::string& text, const std::string& folder, const std::string& name);

// Gives a file or folder the mode `mode` for as long as it lives, then its
// own mode back. Root writes through a file's mode and an ordinary user does
// not: a file left read-only would refuse the next case's write for the one
// and not for the other.
class ScopedMode {
public:
    ScopedMode(std::filesystem::path path, std::filesystem::perms mode);
    ~ScopedMode();
    ScopedMode(const ScopedMode&) = delete;
    ScopedMode& operator=(const ScopedMode&) = delete;

private:
    std::filesystem::path path_;
    std::filesystem::perms old_;
};

// Whether the tests run as root, which alone may give a file to another user.
bool runAsRoot();

// A file writer that fails every write with `error`, as a full disk or a
// read-only folder would.
class FailingWriter : public platform::FileWriter {
public:
    explicit FailingWriter(std::string error) : error_(std::move(error)) {}
    bool replaceFile(const std::filesystem::path&, const std::string&, std::string& error) override
    {
        error = error_;
        return false;
    }

private:
    std::string error_;
};

} // namespace testsupport

#include <string>

#include <gtest/gtest.h>

#include "platform/fault.h"

namespace {

const std::string kIsolate = "\u2066";    // LEFT-TO-RIGHT ISOLATE
const std::string kPopIsolate = "\u2069"; // POP DIRECTIONAL ISOLATE

size_t count(const std::string& text, const std::string& piece)
{
    size_t n = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++n;
    return n;
}

} // namespace

// The file of a fault, a bare name or a path with folders and an Arabic name,
// is one left-to-right run inside the Arabic message, quoted as it is; the
// English message, and the fault's own text, show it as it is.
TEST(FileFault, ItsFileIsOneLeftToRightRunInArabic)
{
    using platform::FileFaultKind;
    const char* const files[] = {"loc.zvd", "images/c12hv.gif", "/home/user/Miqatix/صفر 1449.gif"};
    for (FileFaultKind kind :
         {FileFaultKind::Missing, FileFaultKind::Short, FileFaultKind::BadData,
          FileFaultKind::NotAFile, FileFaultKind::Unreadable, FileFaultKind::TooLarge}) {
        for (const std::string file : files) {
            SCOPED_TRACE(file + ", kind " + std::to_string(static_cast<int>(kind)));
            const platform::FileFault fault(kind, file, "detail", "تفصيل");
            const std::string arabic = fault.message(false);
            EXPECT_NE(arabic.find("\"" + kIsolate + file + kPopIsolate + "\""), std::string::npos)
                << arabic;
            EXPECT_EQ(count(arabic, kIsolate), 1u) << arabic;
            EXPECT_EQ(count(arabic, kPopIsolate), 1u) << arabic;
            for (const std::string& english : {fault.message(true), std::string(fault.what())}) {
                EXPECT_NE(english.find("\"" + file + "\""), std::string::npos) << english;
                EXPECT_EQ(count(english, kIsolate) + count(english, kPopIsolate), 0u) << english;
            }
        }
    }
}

#include <cerrno>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "platform/systemreason.h"

namespace {

// True when `text` holds a Latin letter.
bool hasLatinLetter(const std::string& text)
{
    for (char c : text)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
            return true;
    return false;
}

} // namespace

// Each error that reading or writing a file can meet has an Arabic sentence of
// its own (not the general one), and English keeps the system's words.
TEST(SystemReason, FileErrorsReadInEitherLanguage)
{
    const int fileErrors[] = {ENOENT, EACCES,  EPERM,  EROFS,        ENOSPC, EDQUOT,
                              EISDIR, ENOTDIR, ELOOP,  ENAMETOOLONG, EIO,    EEXIST,
                              EBUSY,  ETXTBSY, EMFILE, ENFILE,       EFBIG,  EXDEV};
    const std::string general = platform::systemReason(0xFFFF, false);
    for (int err : fileErrors) {
        SCOPED_TRACE(std::strerror(err));
        EXPECT_EQ(platform::systemReason(err, true), std::strerror(err));
        const std::string arabic = platform::systemReason(err, false);
        EXPECT_FALSE(hasLatinLetter(arabic)) << arabic;
        EXPECT_EQ(arabic.find("أبلغ النظام"), std::string::npos) << arabic;
        // The same words as a failed write gives them come out the same way.
        EXPECT_EQ(platform::systemReason(std::string(std::strerror(err)), false), arabic);
    }
}

TEST(SystemReason, WordsAsTheyReachAMessage)
{
    const std::string denied = platform::systemReason(EACCES, false);
    struct Case {
        const char* what;
        std::string reason;
        std::string arabic;
    };
    const Case cases[] = {
        {"after the name of the call", "execv: Permission denied", denied},
        {"a number without its own sentence", std::strerror(ENOLINK),
         "أبلغ النظام عن الخطأ رقم " + std::to_string(ENOLINK)},
        {"words that are no error number", "Unknown failure", "أبلغ النظام عن خطأ"},
        {"the picture writer's own", "the picture is empty or too large for a GIF file",
         "الصورة فارغة أو أكبر من أن تحفظ بهذه الصيغة"},
        {"a settings text with a quote", "a settings text cannot hold a double quote: a\"b",
         "لا يمكن أن يحتوي نص الإعدادات على علامة التنصيص"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(platform::systemReason(c.reason, true), c.reason);
        EXPECT_EQ(platform::systemReason(c.reason, false), c.arabic);
    }
}

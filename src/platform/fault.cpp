#include "fault.h"

#include <cstdio>
#include <cstdlib>

#include "systemreason.h"

namespace platform {

namespace {

StopHandler& handlerSlot()
{
    static StopHandler handler;
    return handler;
}

bool& languageSlot()
{
    static bool english = true;
    return english;
}

std::string describe(FileFaultKind kind, const std::string& name, bool english)
{
    const std::string file = pathInMessage(name, english);
    if (english) {
        switch (kind) {
        case FileFaultKind::Missing:
            return "The file \"" + file + "\" was not found in the program folder.";
        case FileFaultKind::Short:
            return "The file \"" + file + "\" ends before its record is complete.";
        case FileFaultKind::BadData:
            return "The file \"" + file + "\" holds data that cannot be read.";
        case FileFaultKind::NotAFile:
            return "\"" + file + "\" in the program folder is not a file.";
        case FileFaultKind::Unreadable:
            return "The file \"" + file + "\" cannot be read.";
        case FileFaultKind::TooLarge:
            return "The file \"" + file + "\" is damaged: it is far larger than its records.";
        }
    } else {
        switch (kind) {
        case FileFaultKind::Missing:
            return "الملف \"" + file + "\" غير موجود في مجلد البرنامج.";
        case FileFaultKind::Short:
            return "الملف \"" + file + "\" ناقص ولا يحوي السجل كاملاً.";
        case FileFaultKind::BadData:
            return "الملف \"" + file + "\" يحوي بيانات لا يمكن قراءتها.";
        case FileFaultKind::NotAFile:
            return "الاسم \"" + file + "\" في مجلد البرنامج ليس ملفاً.";
        case FileFaultKind::Unreadable:
            return "تتعذر قراءة الملف \"" + file + "\".";
        case FileFaultKind::TooLarge:
            return "الملف \"" + file + "\" تالف: حجمه أكبر بكثير من سجلاته.";
        }
    }
    return file;
}

} // namespace

FileFault::FileFault(FileFaultKind kind, std::string file, std::string detail,
                     std::string detailArabic)
    : std::runtime_error(describe(kind, file, true) + (detail.empty() ? "" : " " + detail)),
      kind_(kind), file_(std::move(file)), detail_(std::move(detail)),
      detailArabic_(std::move(detailArabic))
{
}

std::string FileFault::message(bool english) const
{
    std::string text = describe(kind_, file_, english);
    // An Arabic message leaves out a detail that has no Arabic text: it is
    // wholly Arabic.
    const std::string& detail = english ? detail_ : detailArabic_;
    if (!detail.empty())
        text += "\n" + detail;
    text += english ? "\nThe program stops." : "\nسيتوقف البرنامج.";
    return text;
}

void stopProgram(const FileFault& fault)
{
    if (handlerSlot()) {
        handlerSlot()(fault);
    } else {
        std::fprintf(stderr, "%s\n", fault.message(true).c_str());
    }
    std::exit(1);
}

StopHandler setStopHandler(StopHandler handler)
{
    StopHandler old = std::move(handlerSlot());
    handlerSlot() = std::move(handler);
    return old;
}

void setFaultLanguage(bool english)
{
    languageSlot() = english;
}

bool faultLanguage()
{
    return languageSlot();
}

} // namespace platform

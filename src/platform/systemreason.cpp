#include "systemreason.h"

#include <cerrno>
#include <cstring>
#include <string_view>

namespace platform {

namespace {

struct ArabicReason {
    int err;
    const char* text;
};

// The errors that reading, writing, renaming and starting files can meet.
constexpr ArabicReason kArabicReasons[] = {
    {EPERM, "العملية غير مسموح بها"},
    {ENOENT, "لا يوجد ملف أو مجلد بهذا الاسم"},
    {EINTR, "قُطعت العملية قبل أن تتم"},
    {EIO, "خطأ في القراءة من القرص أو الكتابة عليه"},
    {ENXIO, "لا يوجد جهاز أو عنوان بهذا الاسم"},
    {E2BIG, "قائمة المعطيات طويلة جداً"},
    {ENOEXEC, "الملف ليس برنامجاً يمكن تشغيله"},
    {EBADF, "واصف الملف غير صالح"},
    {EAGAIN, "المورد غير متاح الآن، حاول مرة أخرى"},
    {ENOMEM, "لا توجد ذاكرة كافية"},
    {EACCES, "لا يوجد إذن بذلك"},
    {EFAULT, "عنوان غير صالح"},
    {EBUSY, "الجهاز أو المورد مشغول"},
    {EEXIST, "الملف موجود من قبل"},
    {EXDEV, "لا يمكن النقل بين نظامي ملفات مختلفين"},
    {ENODEV, "لا يوجد جهاز بهذا الاسم"},
    {ENOTDIR, "جزء من المسار ليس مجلداً"},
    {EISDIR, "الاسم لمجلد وليس لملف"},
    {EINVAL, "معطى غير صالح"},
    {ENFILE, "في النظام عدد كبير جداً من الملفات المفتوحة"},
    {EMFILE, "فتح البرنامج عدداً كبيراً جداً من الملفات"},
    {ETXTBSY, "الملف قيد التشغيل"},
    {EFBIG, "الملف كبير جداً"},
    {ENOSPC, "لا توجد مساحة كافية على القرص"},
    {ESPIPE, "لا يمكن التنقل في هذا الملف"},
    {EROFS, "نظام الملفات للقراءة فقط"},
    {EMLINK, "روابط كثيرة جداً"},
    {EPIPE, "انقطع الأنبوب"},
    {ENAMETOOLONG, "اسم الملف طويل جداً"},
    {ENOTEMPTY, "المجلد غير فارغ"},
    {ELOOP, "روابط رمزية كثيرة جداً أو حلقة من الروابط"},
    {EOVERFLOW, "القيمة أكبر مما يتسع له نوع البيانات"},
    {ENOTSUP, "العملية غير مدعومة"},
    {ETIMEDOUT, "انتهت مهلة الانتظار"},
    {ESTALE, "مقبض ملف قديم على نظام ملفات شبكي"},
    {EDQUOT, "تم تجاوز الحصة المسموح بها من مساحة القرص"},
};

// The platform's own reasons, which are not error numbers.
struct OwnReason {
    const char* english; // the reason, or the start of it
    const char* arabic;
};

constexpr OwnReason kOwnReasons[] = {
    {"the report was started for another file", "بدأ التقرير لملف آخر"},
    {"the picture is empty or too large for a GIF file",
     "الصورة فارغة أو أكبر من أن تحفظ بهذه الصيغة"},
    {"a settings text cannot hold a double quote",
     "لا يمكن أن يحتوي نص الإعدادات على علامة التنصيص"},
};

// The highest error number looked for when only the words are known.
constexpr int kLastErrorNumber = 200;

// The error number whose words are `words`; 0 when there is none.
int errorNumberOf(std::string_view words)
{
    if (words.empty())
        return 0;
    for (int err = 1; err <= kLastErrorNumber; ++err)
        if (words == std::strerror(err))
            return err;
    return 0;
}

} // namespace

std::string systemReason(int err, bool english)
{
    if (english)
        return std::strerror(err);
    for (const ArabicReason& r : kArabicReasons)
        if (r.err == err)
            return r.text;
    return "أبلغ النظام عن الخطأ رقم " + std::to_string(err);
}

std::string systemReason(const std::string& reason, bool english)
{
    if (english)
        return reason;
    for (const OwnReason& r : kOwnReasons)
        if (reason.rfind(r.english, 0) == 0)
            return r.arabic;
    // The system's words, alone or after the name of the call that failed
    // ("execv: Permission denied").
    int err = errorNumberOf(reason);
    if (err == 0) {
        const size_t colon = reason.rfind(": ");
        if (colon != std::string::npos)
            err = errorNumberOf(std::string_view(reason).substr(colon + 2));
    }
    if (err != 0)
        return systemReason(err, false);
    return "أبلغ النظام عن خطأ";
}

std::string pathInMessage(const std::string& path, bool english)
{
    return english ? path : "\u2066" + path + "\u2069";
}

std::string numberInMessage(const std::string& number, bool english)
{
    return pathInMessage(number, english);
}

} // namespace platform

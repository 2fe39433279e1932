#include "qttexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace platform {

void useQtTexts(bool english)
{
    static QTranslator* arabic = nullptr;
    if (english) {
        if (arabic) {
            QCoreApplication::removeTranslator(arabic);
            delete arabic;
            arabic = nullptr;
        }
        return;
    }
    if (arabic)
        return;
    auto* translator = new QTranslator;
    if (translator->load(QStringLiteral("qtbase_ar"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator))
        arabic = translator;
    else
        delete translator;
}

} // namespace platform

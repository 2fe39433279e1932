#include "fonts.h"

#include <QApplication>
#include <QFont>
#include <QStringList>

namespace platform {

namespace {

// The Arabic letters of every face: a Naskh like the Arabic faces of the
// designs.
constexpr const char* kArabic = "Noto Naskh Arabic";

} // namespace

const std::vector<FontStandIn>& fontStandIns()
{
    // Liberation Sans and Serif keep the widths of Arial and Times New Roman;
    // Z003 is a calligraphic hand for the script faces.
    static const std::vector<FontStandIn> table = {
        {"MS Sans Serif", {"Liberation Sans", kArabic}, "fonts-liberation2, fonts-noto-core"},
        {"Arial", {"Liberation Sans", kArabic}, "fonts-liberation2, fonts-noto-core"},
        {"Times New Roman", {"Liberation Serif", kArabic}, "fonts-liberation2, fonts-noto-core"},
        {"Lucida Handwriting", {"Z003", kArabic}, "fonts-urw-base35, fonts-noto-core"},
        {"Symbol", {"Standard Symbols PS"}, "fonts-urw-base35"},
        {"Arabic Transparent", {kArabic, "Liberation Sans"}, "fonts-noto-core, fonts-liberation2"},
        {"Simplified Arabic", {kArabic, "Liberation Serif"}, "fonts-noto-core, fonts-liberation2"},
        {"Andalus", {"Z003", kArabic}, "fonts-urw-base35, fonts-noto-core"},
    };
    return table;
}

void installFonts()
{
    for (const FontStandIn& f : fontStandIns()) {
        QStringList faces;
        for (const char* face : f.faces)
            faces << QString::fromLatin1(face);
        QFont::removeSubstitutions(QString::fromLatin1(f.design));
        QFont::insertSubstitutions(QString::fromLatin1(f.design), faces);
    }
    QApplication::setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
}

} // namespace platform

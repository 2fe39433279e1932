// Where an Arabic text draws the signs of its signed numbers. A minus or plus
// before Latin digits takes the direction of the sentence around it unless it
// and its digits are one left-to-right run: "-12" is then drawn "12-".
#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTextLayout>
#include <QTextOption>

namespace testsupport {

// The signed numbers of `text` whose sign is drawn right of their first
// digit when the text is laid out as a right-to-left paragraph (as an Arabic
// message box lays it out); empty when every sign stands left of its digits.
// A sign counts as one where it follows no letter or digit (so "a-1" or
// "31/12/-2000" inside a date are not taken for a signed number's sign
// unless they stand alone) and a digit follows it.
inline QStringList signsOnTheFarSide(const QString& text)
{
    QTextLayout layout(text, QFont(QStringLiteral("Noto Naskh Arabic"), 12));
    QTextOption option;
    option.setTextDirection(Qt::RightToLeft);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    while (line.isValid())
        line = layout.createLine();
    layout.endLayout();
    const auto centre = [&](int at) {
        const QList<QGlyphRun> runs = layout.glyphRuns(at, 1);
        return runs.isEmpty() ? 0.0 : runs.first().boundingRect().center().x();
    };
    QStringList far;
    static const QRegularExpression signedNumber(
        QStringLiteral("(?<![\\p{L}\\p{N}.])[-+\\x{2212}][0-9][0-9.e+]*"));
    for (auto it = signedNumber.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const int sign = static_cast<int>(m.capturedStart());
        if (centre(sign) > centre(sign + 1))
            far << m.captured();
    }
    return far;
}

} // namespace testsupport

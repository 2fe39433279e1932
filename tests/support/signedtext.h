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

// The horizontal centre of the character at `at` when `text` is laid out as
// one right-to-left paragraph (as an Arabic message box lays it out); -1 for
// a character that draws nothing.
inline qreal drawnCentre(const QString& text, int at)
{
    QTextLayout layout(text, QFont(QStringLiteral("Noto Naskh Arabic"), 12));
    QTextOption option;
    option.setTextDirection(Qt::RightToLeft);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    while (layout.createLine().isValid()) {
    }
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns(at, 1);
    return runs.isEmpty() ? -1 : runs.first().boundingRect().center().x();
}

// The signed numbers of `text` whose sign is drawn right of their first
// digit when the text is laid out as a right-to-left paragraph (as an Arabic
// message box lays it out); empty when every sign stands left of its digits.
// A sign counts as one where a digit follows it and no letter, digit or
// point stands before it ("a-1" and "2-3" hold none; the year of
// "31/12/-2000" is one).
inline QStringList signsOnTheFarSide(const QString& text)
{
    QStringList far;
    static const QRegularExpression signedNumber(
        QStringLiteral("(?<![\\p{L}\\p{N}.])[-+\\x{2212}][0-9][0-9.e+]*"));
    for (auto it = signedNumber.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const int sign = static_cast<int>(m.capturedStart());
        if (drawnCentre(text, sign) > drawnCentre(text, sign + 1))
            far << m.captured();
    }
    return far;
}

} // namespace testsupport

// Looks at a window as its user would: every caption, label, button, option,
// frame title and list entry must show whole inside its control, and no
// control may lie over a sibling. Measured from the glyphs that the painter
// draws (the fallback faces of a line included), not from the controls' own
// size hints.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace fitcheck {

// One line per fault: "<control>: <what> \"<text>\"". Empty when the window
// shows every text whole.
QStringList textFaults(QWidget* window);

// Pairs of sibling controls that lie over each other. A control wholly inside
// a frame or a picture that is its sibling, and drawn figures (lines, circles)
// that let the mouse through, are not counted.
QStringList overlapFaults(QWidget* window);

// Captions whose text runs up to a box, list or button beside it in the same
// row (less than two pixels between them).
QStringList gapFaults(QWidget* window);

// The width and height a single line of `text` takes in `font`, the ink's
// vertical extent from the line's top included.
struct LineInk {
    double advance = 0;
    double height = 0;
    double inkTop = 0;    // from the line's top
    double inkBottom = 0; // from the line's top
};
LineInk measureLine(const QString& text, const QWidget* w);

// A caption as it shows: "&&" as "&", the mnemonic marker dropped.
QString shownText(const QString& caption);

} // namespace fitcheck

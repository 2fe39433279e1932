// Looks at a window as its user would: every caption, label, button, option,
// frame title and list entry must show whole inside its control, and no
// control may lie over a sibling. Measured from the glyphs that the painter
// draws (the fallback faces of a line included), not from the controls' own
// size hints.
#pragma once

#include <QPalette>
#include <QString>
#include <QStringList>

class QWidget;

namespace fitcheck {

// One line per fault: "<control>: <what> \"<text>\"". Empty when the window
// shows every text whole, and draws the caption of each push button at least
// kBorderGap pixels from the button's border on either side.
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

// The columns that a control's text takes as the control draws it, from the
// control's left border: the pixels that change when the text, and only the
// text, is drawn in another colour (`role` of its palette). The text of a
// line edit is measured unselected and without its cursor.
struct DrawnSpan {
    int left = 0;
    int right = -1; // left > right: no text drawn
    int width = 0;  // of the control
    bool isEmpty() const { return left > right; }
    int leftGap() const { return left; }
    int rightGap() const { return width - 1 - right; }
    // The rows the text takes, from the control's top, and the runs of rows
    // with ink between rows without (the lines of a text drawn apart).
    int top = 0;
    int bottom = -1;
    int height = 0; // of the control
    int bands = 0;
    int topGap() const { return top; }
    int bottomGap() const { return height - 1 - bottom; }
};
DrawnSpan drawnText(QWidget* w, QPalette::ColorRole role);

// The least room, in pixels, that a drawn text keeps from its control's
// border on either side.
inline constexpr int kBorderGap = 3;

// A caption as it shows: "&&" as "&", the mnemonic marker dropped.
QString shownText(const QString& caption);

} // namespace fitcheck

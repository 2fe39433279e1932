// Room for the texts of a window whose controls are placed by hand. The
// designs' widths were made for other fonts, so a caption may need more room
// than its control has: the control then grows, keeping the edge its text
// reads from (the left edge in English, the right edge in Arabic; a centred
// label grows on both sides), the neighbours it would cover move away, and a
// frame or the window grows to hold what moved. A word-wrapping label grows
// downwards instead. Controls that a layout places are left to the layout.
#pragma once

#include <Qt>

class QLabel;
class QString;
class QWidget;

namespace platform {

// Call after the window has set its captions (and its Arabic layout).
void makeRoomForTexts(QWidget* window, bool english);

// The width `w` needs to show its text whole, or 0 when it shows none.
int widthForText(const QWidget* w);

// Shows `text` in `label` cut short with "…" where it is wider than the label,
// the whole text in the label's tooltip. The label takes the width its window
// gives it and no more, and cuts the text again when it is resized.
void setElidedText(QLabel* label, const QString& text);

// Where a label draws its text: a plain-text label aligns it by the text's own
// direction, not by its layout direction, so that an Arabic caption in a label
// kept left to right stands at the label's right edge.
Qt::Alignment shownAlignment(const QLabel* label);

} // namespace platform

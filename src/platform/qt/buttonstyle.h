// The captions of push buttons that show an icon, in a program that runs right
// to left. Qt's style places such a caption on the icon's side of the button
// and hands it to the painter aligned to that side; the painter of a
// right-to-left application mirrors that alignment once more, and the caption
// lands against the button's far border, away from its icon. Qt's Arabic texts
// turn the whole application right to left (qttexts.h), so the buttons of
// every Arabic message box and file dialog would show it, and an English
// caption in such a program as well; a box shown before those texts are
// installed (a fault at the start) draws its caption beside its icon.
#pragma once

namespace platform {

// Makes the application's style keep such a caption beside its icon, the two
// centred together, in either direction. Call once, after the QApplication
// exists and before the fonts are installed (setting a style resets the fonts
// of kinds of widgets to the desktop's).
void installButtonStyle();

} // namespace platform

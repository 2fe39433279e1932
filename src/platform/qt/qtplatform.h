// Start-up of the Qt-backed platform for either program: the message loop
// behind the engine's hand-overs, the stop on a file fault (a message box
// naming the file, then exit), and the fonts the windows name.
#pragma once

namespace platform {

// Call once, after the QApplication exists. Numbers are written and read
// with a decimal point from then on, whatever the user's locale.
void installQtPlatform();

// Maps the font names the windows use to fonts that are installed.
void installFontSubstitutes();

}  // namespace platform

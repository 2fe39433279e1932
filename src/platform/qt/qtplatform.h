// Start-up of the Qt-backed platform for either program: the message loop
// behind the engine's hand-overs, the stop on a file fault (a message box
// naming the file, then exit), and the fonts the windows name.
#pragma once

namespace platform {

// Call once, after the QApplication exists. Numbers are written and read
// with a decimal point from then on, whatever the user's locale.
void installQtPlatform();

// Enter on a focused push button presses it, as on the system the programs
// come from; Enter in a text box still presses nothing. (Buttons of dialogs
// are kept from being auto-default for the second half; Qt then gives them
// no Enter at all.) Part of installQtPlatform.
void installEnterOnButtons();

// Maps the font names the windows use to fonts that are installed.
void installFontSubstitutes();

}  // namespace platform

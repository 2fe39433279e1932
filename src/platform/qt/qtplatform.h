// Start-up of the Qt-backed platform for either program: the message loop
// behind the engine's hand-overs, the stop on a file fault (a message box
// naming the file, then exit), the style of the buttons (buttonstyle.h) and
// the fonts the windows name (fonts.h).
#pragma once

#include <QString>

namespace platform {

// Call once, after the QApplication exists. Numbers are written and read
// with a decimal point from then on, whatever the user's locale.
void installQtPlatform();

// Counts every event that the message loop delivers, to any object, as a
// handler's entry where a settings file may have been saved
// (platform::filesMayHaveChanged). Part of installQtPlatform.
void watchHandlerEntries();

// The title of the message that stops a program on a file fault.
QString faultTitle(bool english);

// Enter on a focused push button presses it, as on the system the programs
// come from; Enter in a text box still presses nothing. (Buttons of dialogs
// are kept from being auto-default for the second half; Qt then gives them
// no Enter at all.) Part of installQtPlatform.
void installEnterOnButtons();

} // namespace platform

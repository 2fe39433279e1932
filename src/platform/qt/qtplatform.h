// Start-up of the Qt-backed platform for either program: the message loop
// behind the engine's hand-overs, the stop on a file fault (a message box
// naming the file, then exit), and the fonts the windows name.
#pragma once

namespace platform {

// Call once, after the QApplication exists.
void installQtPlatform();

// Counts every event that the message loop delivers, to any object, as a
// handler's entry where a settings file may have been saved
// (platform::filesMayHaveChanged). Part of installQtPlatform.
void watchHandlerEntries();

// Maps the font names the windows use to fonts that are installed.
void installFontSubstitutes();

}  // namespace platform

// Start-up of the Qt-backed platform for either program: the message loop
// behind the engine's hand-overs, the stop on a file fault (a message box
// naming the file, then exit), and the fonts the windows name (fonts.h).
#pragma once

#include <QString>

namespace platform {

// Call once, after the QApplication exists.
void installQtPlatform();

// The title of the message that stops a program on a file fault.
QString faultTitle(bool english);

}  // namespace platform

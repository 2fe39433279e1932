// The fonts of the windows. The window designs name Windows faces ("MS Sans
// Serif", "Arabic Transparent", ...); each stands for free fonts that Debian
// packages and scripts/install-deps installs, so every machine draws the same
// widths. This table is the one place where the faces are mapped.
#pragma once

#include <vector>

namespace platform {

struct FontStandIn {
    const char* design;             // the face a window names
    std::vector<const char*> faces; // what draws it: Latin face, then Arabic
    const char* package;            // the Debian package(s) of those faces
};

// Every face the windows name, with its stand-ins.
const std::vector<FontStandIn>& fontStandIns();

// Maps each design face to its stand-ins (Arabic letters in a Latin face come
// from the Arabic stand-in, not from whatever the system would pick), and
// makes "MS Sans Serif" 8 pt, the windows' design font, the default font.
// Call once, after the QApplication exists.
void installFonts();

} // namespace platform

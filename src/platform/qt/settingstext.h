// Texts of the settings files as the windows show them. The files are written
// in UTF-8, but a file written elsewhere in a single-byte code page may hold
// bytes that are no UTF-8 ("Z\xFCrich"): those are shown as the Windows-1252
// letters they stand for, and a save that leaves the text as shown writes the
// original bytes back unchanged.
#pragma once

#include <string>

#include <QString>

namespace platform {

// The text that the bytes of a settings field stand for.
QString settingsText(const std::string& bytes);

// The bytes to store for the text `shown` of a box that was filled from
// `original`: `original` itself while the box still shows it, else UTF-8.
std::string settingsBytes(const QString& shown, const std::string& original);

} // namespace platform

// Starting a program at login: an XDG autostart entry, NAME.desktop in
// $XDG_CONFIG_HOME/autostart (~/.config/autostart when the variable is unset,
// empty or not an absolute path), that runs the program from its folder.
#pragma once

#include <QString>

namespace platform {

// The folder of the user's autostart entries.
QString autostartFolder();

// The file of the entry called `name` ("Miqatix" -> .../Miqatix.desktop).
QString autostartFile(const QString& name);

// The text of an entry that starts `program` (an absolute path) with
// `workingDirectory` as its working directory.
QString autostartEntryText(const QString& title, const QString& program,
                           const QString& workingDirectory);

// Writes the entry `name` anew (replacing an old one atomically), creating the
// autostart folder when it is missing. False and a reason on failure.
bool createAutostartEntry(const QString& name, const QString& title, const QString& program,
                          const QString& workingDirectory, QString& error);

// Removes the entry `name`; an entry that does not exist is no failure.
bool removeAutostartEntry(const QString& name, QString& error);

} // namespace platform

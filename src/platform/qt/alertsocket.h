// The alert program tells that it runs by holding a local server whose name
// comes from its hidden window's caption, "Miqatix Alerts". The main program
// connects to that name to learn whether the alert program is running.
#pragma once

#include <QString>

namespace platform {

// The caption of the alert program's hidden main window.
inline constexpr const char* kAlertProgramCaption = "Miqatix Alerts";

// The per-user name of the alert program's local server: the caption with
// its blanks as dashes, followed by the user's id (two users of one machine
// each have their own alert program).
QString alertProgramSocketName();

} // namespace platform

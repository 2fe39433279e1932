// The windows that qamtar's main window opens, made known to the window
// collection. The program's start calls this before the main window loads,
// so that a button is enabled exactly when its window is part of the build.
#pragma once

namespace mainwindow {

void registerProgramWindows();

} // namespace mainwindow

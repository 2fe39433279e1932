// Starting the other program of the pair and finding out whether it runs.
//
// A program is always started from the program folder's file of that name,
// with the program folder as its working directory: adhanbell opens its
// settings by bare name, so it must never inherit the caller's directory.
//
// "Is it running?" is asked by the caption of the program's main window.
// The program that owns the caption holds a local server under a per-user
// name derived from it (holdProgramName); the look-up tries to connect.
// Tests install a starter and a finder of their own.
#pragma once

#include <QString>
#include <QStringList>

class QLocalServer;

namespace platform {

// The caption of adhanbell's main window, by which qamtar looks for it.
inline constexpr const char* kAlertProgramCaption = "Miqatix Alerts";

// The local server name that stands for a window caption, one per user.
QString localServerName(const QString& caption);

// Starts programs detached from the caller.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // Starts `program` with `arguments` in `workingDirectory`; false and a
    // reason in `error` when it cannot be started.
    virtual bool start(const QString& program, const QStringList& arguments,
                       const QString& workingDirectory, QString& error) = 0;
};

// Tells whether a program whose main window has `caption` runs.
class ProgramFinder {
public:
    virtual ~ProgramFinder() = default;
    virtual bool isRunning(const QString& caption) = 0;
};

ProgramStarter& programStarter();
ProgramStarter* setProgramStarter(ProgramStarter* starter); // nullptr: the real one
ProgramFinder& programFinder();
ProgramFinder* setProgramFinder(ProgramFinder* finder); // nullptr: the real one

// Starts the program folder's file `name` without arguments, working
// directory the program folder.
bool startProgram(const QString& name, QString& error);

// True when the program that owns `caption` runs (through the finder).
bool isProgramRunning(const QString& caption);

// Makes `server` listen under the name of `caption`. Fails when another
// process holds it already; a name left behind by a program that died is
// taken over.
bool holdProgramName(QLocalServer& server, const QString& caption);

} // namespace platform

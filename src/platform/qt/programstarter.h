// Starting another program of the program folder (the alert program opens the
// main program from its icon). The program is started detached, always with
// the program folder as its working directory. Tests install a starter that
// records the request instead.
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // Starts `program` with `arguments` in `workingDirectory`; false when it
    // could not be started.
    virtual bool start(const QString& program, const QStringList& arguments,
                       const QString& workingDirectory) = 0;
};

// The starter in use (QProcess::startDetached unless a test installed one).
ProgramStarter& programStarter();
// Installs `starter` (nullptr restores the real one); returns the previous one.
ProgramStarter* setProgramStarter(ProgramStarter* starter);

// Starts the program folder's executable `name`, in the program folder.
bool startProgramFolderProgram(const QString& name, const QStringList& arguments = {});

} // namespace platform

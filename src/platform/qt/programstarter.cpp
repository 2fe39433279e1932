#include "programstarter.h"

#include <QProcess>

#include "platform/programfolder.h"

namespace platform {

namespace {

class DetachedStarter : public ProgramStarter {
public:
    bool start(const QString& program, const QStringList& arguments,
               const QString& workingDirectory) override
    {
        return QProcess::startDetached(program, arguments, workingDirectory);
    }
};

ProgramStarter*& starterSlot()
{
    static ProgramStarter* starter = nullptr;
    return starter;
}

} // namespace

ProgramStarter& programStarter()
{
    static DetachedStarter real;
    return starterSlot() ? *starterSlot() : real;
}

ProgramStarter* setProgramStarter(ProgramStarter* starter)
{
    ProgramStarter* old = starterSlot();
    starterSlot() = starter;
    return old;
}

bool startProgramFolderProgram(const QString& name, const QStringList& arguments)
{
    const QString program = QString::fromStdString(programFile(name.toStdString()).string());
    const QString folder = QString::fromStdString(programFolder().string());
    return programStarter().start(program, arguments, folder);
}

} // namespace platform

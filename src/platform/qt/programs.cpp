#include "programs.h"

#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>

#include "platform/programfolder.h"

namespace platform {

namespace {

// How long the look-up waits for the owner of a name to answer. A running
// program answers a local connection at once; the wait covers a busy machine.
constexpr int kConnectWaitMs = 500;

class DetachedStarter : public ProgramStarter {
public:
    bool start(const QString& program, const QStringList& arguments,
               const QString& workingDirectory, QString& error) override
    {
        QProcess process;
        process.setProgram(program);
        process.setArguments(arguments);
        process.setWorkingDirectory(workingDirectory);
        if (process.startDetached())
            return true;
        error = process.errorString();
        return false;
    }
};

class LocalSocketFinder : public ProgramFinder {
public:
    bool isRunning(const QString& caption) override
    {
        QLocalSocket socket;
        socket.connectToServer(localServerName(caption));
        const bool found = socket.waitForConnected(kConnectWaitMs);
        socket.abort();
        return found;
    }
};

ProgramStarter*& starterSlot()
{
    static ProgramStarter* starter = nullptr;
    return starter;
}

ProgramFinder*& finderSlot()
{
    static ProgramFinder* finder = nullptr;
    return finder;
}

} // namespace

QString localServerName(const QString& caption)
{
    // Only letters and digits are kept, so the name is a plain file name in
    // the temporary folder; the user id keeps users of one machine apart.
    QString name;
    for (const QChar c : caption)
        name += c.isLetterOrNumber() ? c : QChar('-');
    return name + QChar('-') + QString::number(::getuid());
}

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

ProgramFinder& programFinder()
{
    static LocalSocketFinder real;
    return finderSlot() ? *finderSlot() : real;
}

ProgramFinder* setProgramFinder(ProgramFinder* finder)
{
    ProgramFinder* old = finderSlot();
    finderSlot() = finder;
    return old;
}

bool startProgram(const QString& name, QString& error)
{
    const std::filesystem::path file = std::filesystem::absolute(programFile(name.toStdString()));
    const std::filesystem::path folder = std::filesystem::absolute(programFolder());
    return programStarter().start(QString::fromStdString(file.string()), {},
                                  QString::fromStdString(folder.string()), error);
}

bool isProgramRunning(const QString& caption)
{
    return programFinder().isRunning(caption);
}

bool holdProgramName(QLocalServer& server, const QString& caption)
{
    const QString name = localServerName(caption);
    if (server.listen(name))
        return true;
    if (server.serverError() != QAbstractSocket::AddressInUseError)
        return false;
    // The name is taken: by a live program, or by the socket file of one that
    // died. Only a name nobody answers on may be taken over.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(kConnectWaitMs)) {
        probe.abort();
        return false;
    }
    QLocalServer::removeServer(name);
    return server.listen(name);
}

} // namespace platform

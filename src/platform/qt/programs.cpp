#include "programs.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// The longest socket path the system takes (sun_path, with its NUL).
constexpr std::size_t kMaxSocketPath = sizeof(sockaddr_un::sun_path) - 1;

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

// A folder that only this user can reach: a real folder (not a link to one),
// owned by the user, with no rights for the group or others.
bool isPrivateFolder(const QString& folder)
{
    struct stat st {};
    return ::lstat(native(folder).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::getuid() && (st.st_mode & 077) == 0;
}

// Makes the folder when it is missing. A folder of the user's own whose
// rights are too wide is narrowed; one of another user is never used.
bool makePrivateFolder(const QString& folder)
{
    const QByteArray name = native(folder);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        return false;
    // The umask may have taken bits from 0700, or the folder is an old one.
    if ((st.st_mode & 0777) != 0700 && ::chmod(name.constData(), 0700) != 0)
        return false;
    return true;
}

QString lockPath(const QString& socketPath)
{
    return socketPath + QLatin1String(".lock");
}

// A socket file that this user made: only that one may be asked.
bool isOwnSocket(const QString& path)
{
    struct stat st {};
    return ::lstat(native(path).constData(), &st) == 0 && S_ISSOCK(st.st_mode) &&
           st.st_uid == ::getuid();
}

class LocalSocketFinder : public ProgramFinder {
public:
    bool isRunning(const QString& caption) override
    {
        // Every folder is asked, not only the first: the holder may have
        // found an earlier one taken when it started.
        for (const QString& folder : programNameFolders()) {
            const QString path = folder + QChar('/') + captionFileName(caption);
            if (!isPrivateFolder(folder) || !isOwnSocket(path))
                continue;
            QLocalSocket socket;
            socket.connectToServer(path);
            const bool found = socket.waitForConnected(kConnectWaitMs);
            socket.abort();
            if (found)
                return true;
        }
        return false;
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

QString captionFileName(const QString& caption)
{
    QString name;
    for (const QChar c : caption)
        name += c.isLetterOrNumber() ? c : QChar('-');
    return name;
}

QStringList programNameFolders()
{
    const QString uid = QString::number(::getuid());
    QStringList folders;
    // The runtime folder counts only as the rules for it say: absolute, the
    // user's own, 0700. Anything else is passed over.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && isPrivateFolder(runtime))
        folders << runtime + QLatin1String("/miqatix");
    QString temp = qEnvironmentVariable("TMPDIR");
    if (!QDir::isAbsolutePath(temp))
        temp = QStringLiteral("/tmp");
    folders << QDir::cleanPath(temp) + QLatin1String("/miqatix-") + uid;
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (!QDir::isAbsolutePath(cache))
        cache = QDir::homePath() + QLatin1String("/.cache");
    folders << QDir::cleanPath(cache) + QLatin1String("/miqatix-") + uid;
    return folders;
}

QString programNameFolder()
{
    for (const QString& folder : programNameFolders()) {
        if (native(folder).size() + 40 > static_cast<qsizetype>(kMaxSocketPath))
            continue;                            // no room for a socket name
        QDir().mkpath(QFileInfo(folder).path()); // a new home may have no cache folder yet
        if (makePrivateFolder(folder))
            return folder;
    }
    return {};
}

QString localServerName(const QString& caption)
{
    const QString folder = programNameFolder();
    return folder.isEmpty() ? QString() : folder + QChar('/') + captionFileName(caption);
}

ProgramName::ProgramName(const QString& path, QObject* parent)
    : QObject(parent), server_(new QLocalServer(this))
{
    if (path.isEmpty() || QDir::isAbsolutePath(path)) {
        path_ = path;
    } else {
        const QString folder = programNameFolder();
        path_ = folder.isEmpty() ? QString() : folder + QChar('/') + path;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = server_->nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            peer->disconnectFromServer();
        }
    });
}

ProgramName::~ProgramName()
{
    release();
}

bool ProgramName::isHeld() const
{
    return lockFd_ >= 0 && server_->isListening();
}

void ProgramName::release()
{
    if (server_->isListening())
        server_->close(); // removes the socket file
    if (lockFd_ >= 0) {
        // Removed while still locked, so nothing is left behind; a copy that
        // opened it meanwhile sees that its lock is no longer the name's.
        if (stillLocked())
            ::unlink(native(lockPath(path_)).constData());
        ::close(lockFd_); // lets go of the lock
        lockFd_ = -1;
    }
}

bool ProgramName::stillLocked() const
{
    struct stat held {
    }, now{};
    return lockFd_ >= 0 && ::fstat(lockFd_, &held) == 0 &&
           ::stat(native(lockPath(path_)).constData(), &now) == 0 && held.st_dev == now.st_dev &&
           held.st_ino == now.st_ino;
}

bool ProgramName::stillHeld() const
{
    // The temporary folder's cleaner, or a hand, may have removed the files.
    return isHeld() && stillLocked() && isOwnSocket(path_);
}

bool ProgramName::hold()
{
    if (stillHeld())
        return true;
    release();
    if (path_.isEmpty())
        return false;
    const QString folder = QFileInfo(path_).path();
    if (!makePrivateFolder(folder))
        return false;

    // The lock decides who holds the name; it goes with the process that
    // holds it, however that ends, and is not passed on to programs started
    // from here.
    const int fd = ::open(native(lockPath(path_)).constData(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::getuid() ||
        ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    lockFd_ = fd;
    // The holder before may have removed the file between its open and its
    // lock here: a lock on a file that is no longer the name's holds nothing.
    if (!stillLocked()) {
        ::close(lockFd_);
        lockFd_ = -1;
        return false;
    }

    // Whatever socket file is there was left by a copy that has ended.
    QLocalServer::removeServer(path_);
    if (!server_->listen(path_)) {
        release();
        return false;
    }
    // The folder keeps everyone else out already; the file says the same.
    ::chmod(native(path_).constData(), 0600);
    return true;
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

} // namespace platform

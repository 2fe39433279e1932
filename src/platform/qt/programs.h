// Starting the other program of the pair and finding out whether it runs.
//
// A program is always started from the program folder's file of that name,
// with the program folder as its working directory: adhanbell opens its
// settings by bare name, so it must never inherit the caller's directory.
//
// "Is it running?" is asked by the caption of the program's main window.
// The program that owns the caption holds a local server named after it
// (ProgramName) in a folder that only the user can reach; the look-up tries
// to connect. Tests install a starter and a finder of their own.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

namespace platform {

// The caption of adhanbell's main window, by which qamtar looks for it.
inline constexpr const char* kAlertProgramCaption = "Miqatix Alerts";

// The folders that may hold the names of running programs, in the order they
// are tried: the user's runtime folder ($XDG_RUNTIME_DIR/miqatix), a folder
// of the user's own in the temporary folder ($TMPDIR or /tmp,
// miqatix-UID), and one in the user's cache folder. Each must be a real
// folder owned by the user that nobody else may enter (0700).
QStringList programNameFolders();

// The first of programNameFolders() that can be used, made 0700 when it is
// missing; empty when none can (all taken by other users).
QString programNameFolder();

// The file name that stands for a caption: letters and digits kept, so that
// it is a plain file name ("Miqatix Alerts" -> "Miqatix-Alerts").
QString captionFileName(const QString& caption);

// The socket file that stands for a window caption, in programNameFolder();
// empty when there is no folder.
QString localServerName(const QString& caption);

// Holds the name of a program: a local server whose socket file (0600) lies
// in a folder of programNameFolders(), and a lock beside it that stays taken
// for as long as the holder lives, so that two copies started at once cannot
// both take the name, and the name of a copy that died (its lock gone with it)
// is taken over. Connections are accepted and closed at once: connecting is
// the look-up.
class ProgramName : public QObject {
    Q_OBJECT
public:
    // `path`: the socket file; a bare name is put into programNameFolder().
    explicit ProgramName(const QString& path, QObject* parent = nullptr);
    ~ProgramName() override;

    // Takes the name when no running copy holds it; true when it is held
    // (already, or now). Asked again at every tick, it takes the name over
    // from a copy that has ended, and takes it back when the socket file or
    // the lock was removed under it.
    bool hold();
    bool isHeld() const;
    void release();

    QString path() const { return path_; }
    QLocalServer* server() const { return server_; }

private:
    bool stillHeld() const;
    bool stillLocked() const;

    QString path_;
    QLocalServer* server_ = nullptr;
    int lockFd_ = -1;
};

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

} // namespace platform

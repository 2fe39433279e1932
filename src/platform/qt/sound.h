// Sounds of the alert program: WAVE recordings played in the background, and
// the system beep. Both are replaceable so that tests can record what would
// have sounded. Where the machine has no audio output the real player plays
// nothing and says nothing: an alert still shows its window.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace platform {

// A player of one WAVE file at a time, in the manner of a media control: open
// a file, play it (the call returns at once, the sound goes on), stop it,
// close it. No result is reported; a missing file simply gives no sound.
class RecordingPlayer {
public:
    virtual ~RecordingPlayer() = default;
    virtual void open(const QString& file) = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual void close() = 0;
};

// The real player, through Qt Multimedia. Made lazily: nothing of the media
// backend is touched until the first open.
std::unique_ptr<RecordingPlayer> makeRecordingPlayer();

// A player that records its commands ("open <file>", "play", "stop",
// "close") for tests.
class RecordingPlayerLog : public RecordingPlayer {
public:
    void open(const QString& file) override { commands << QStringLiteral("open ") + file; }
    void play() override { commands << QStringLiteral("play"); }
    void stop() override { commands << QStringLiteral("stop"); }
    void close() override { commands << QStringLiteral("close"); }

    QStringList commands;
};

// The system beep (QApplication::beep unless a test installed another).
void beep();
// Installs `beeper` (empty restores the real one); returns the previous one.
using Beeper = std::function<void()>;
Beeper setBeeper(Beeper beeper);

} // namespace platform

#include "sound.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

namespace platform {

namespace {

class MediaRecordingPlayer : public RecordingPlayer {
public:
    void open(const QString& file) override
    {
        // No audio device (a bare server, a desktop without sound): silence,
        // and no error box, as the alert must still show its window.
        if (QMediaDevices::audioOutputs().isEmpty() || !QFileInfo::exists(file))
            return;
        if (!player_) {
            player_ = std::make_unique<QMediaPlayer>();
            output_ = std::make_unique<QAudioOutput>();
            player_->setAudioOutput(output_.get());
        }
        output_->setDevice(QMediaDevices::defaultAudioOutput());
        player_->setSource(QUrl::fromLocalFile(file));
        opened_ = true;
    }

    void play() override
    {
        if (player_ && opened_)
            player_->play();
    }

    void stop() override
    {
        if (player_)
            player_->stop();
    }

    void close() override
    {
        if (player_) {
            player_->stop();
            player_->setSource(QUrl());
        }
        opened_ = false;
    }

private:
    // The output first, so that the player, which uses it, goes first.
    std::unique_ptr<QAudioOutput> output_;
    std::unique_ptr<QMediaPlayer> player_;
    bool opened_ = false;
};

Beeper& beeperSlot()
{
    static Beeper beeper;
    return beeper;
}

} // namespace

std::unique_ptr<RecordingPlayer> makeRecordingPlayer()
{
    return std::make_unique<MediaRecordingPlayer>();
}

void beep()
{
    if (beeperSlot())
        beeperSlot()();
    else
        QApplication::beep();
}

Beeper setBeeper(Beeper beeper)
{
    Beeper old = std::move(beeperSlot());
    beeperSlot() = std::move(beeper);
    return old;
}

} // namespace platform

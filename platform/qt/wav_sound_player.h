#pragma once

#include "platform/sound_player.h"

#include <QPointer>

class QAudioSink;

// Plays wave files of any common encoding through the default audio output,
// decoding as the device asks for data. Without a playable file or an output
// device it stays silent.
class WavSoundPlayer : public SoundPlayer
{
  public:
    ~WavSoundPlayer() override;
    void play(const QByteArray& storedPath, unsigned flags) override;
    void stop();

  private:
    void releaseWhenDone(QAudioSink* sink);

    // Owned by the application object, so it never outlives Qt Multimedia
    // even though this player is a static.
    QPointer<QAudioSink> sink_;
    bool releaseScheduled_ = false;
};

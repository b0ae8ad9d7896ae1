#pragma once

#include "platform/sound_player.h"

// Plays wave files of any common encoding through the default audio output.
class WavSoundPlayer : public SoundPlayer
{
  public:
    void play(const QByteArray& storedPath, unsigned flags) override;
};

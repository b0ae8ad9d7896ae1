#pragma once

#include <QByteArray>

// Plays a wave file at once and returns; a new play replaces what is playing.
// A file that is missing or cannot be played gives silence, with no message.
class SoundPlayer
{
  public:
    static constexpr unsigned kAsync = 0x0001;
    static constexpr unsigned kLoop = 0x0008;

    virtual ~SoundPlayer() = default;
    // storedPath is the GBK path as stored in the settings.
    virtual void play(const QByteArray& storedPath, unsigned flags) = 0;
};

#pragma once

#include <QString>

#include <functional>

#include <sndfile.h>

// Test sound files written with the sound file library. sample(frame, channel)
// gives a value in [-1, 1].
struct WaveRecipe
{
    int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    int channels = 1;
    int sampleRate = 44100;
    long frames = 4410;
    std::function<double(long frame, int channel)> sample;
};

bool writeWave(const QString& path, const WaveRecipe& recipe);

// A sine tone at the given frequency and amplitude, the same on every channel.
std::function<double(long, int)> tone(double hertz, int sampleRate, double amplitude = 0.5);

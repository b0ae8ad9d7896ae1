#include "wave_writer.h"

#include <QFile>

#include <cmath>
#include <vector>

#include <sndfile.h>

bool writeWave(const QString& path, const WaveRecipe& recipe)
{
    SF_INFO info{};
    info.format = recipe.format;
    info.channels = recipe.channels;
    info.samplerate = recipe.sampleRate;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    std::vector<double> samples(size_t(recipe.frames) * size_t(recipe.channels));
    for (long frame = 0; frame < recipe.frames; ++frame)
        for (int channel = 0; channel < recipe.channels; ++channel)
            samples[size_t(frame * recipe.channels + channel)] = recipe.sample(frame, channel);
    const bool written = sf_writef_double(file, samples.data(), recipe.frames) == recipe.frames;
    return sf_close(file) == 0 && written;
}

std::function<double(long, int)> tone(double hertz, int sampleRate, double amplitude)
{
    return [=](long frame, int) {
        return amplitude * std::sin(2.0 * M_PI * hertz * double(frame) / sampleRate);
    };
}

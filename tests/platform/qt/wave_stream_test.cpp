#include "platform/qt/wave_stream.h"
#include "wave_writer.h"

#include "support/working_directory.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// A ramp that never repeats within the file, so any skipped or repeated frame
// shows; the second channel is its negative.
double ramp(long frame, int channel, long frames)
{
    const double value = -0.9 + 1.8 * double(frame) / double(frames);
    return channel == 0 ? value : -value;
}

std::vector<float> readFloats(WaveStream& stream, qint64 frames, qint64 chunkFrames)
{
    const int channels = stream.audioFormat().channelCount();
    std::vector<float> samples(size_t(frames * channels));
    qint64 done = 0;
    while (done < frames) {
        const qint64 want = std::min(chunkFrames, frames - done);
        const qint64 got = stream.read(reinterpret_cast<char*>(&samples[size_t(done * channels)]),
                                       want * channels * qint64(sizeof(float)));
        if (got <= 0)
            break;
        done += got / (channels * qint64(sizeof(float)));
    }
    samples.resize(size_t(done * channels));
    return samples;
}

TEST(WaveStream, SixteenAndTwentyFourBitFilesDecodeToTheirSamples)
{
    ScopedWorkingDirectory dir;
    const long frames = 3000;
    for (int bits : {16, 24}) {
        SCOPED_TRACE(bits);
        WaveRecipe recipe;
        recipe.format = SF_FORMAT_WAV | (bits == 16 ? SF_FORMAT_PCM_16 : SF_FORMAT_PCM_24);
        recipe.channels = 2;
        recipe.sampleRate = 22050;
        recipe.frames = frames;
        recipe.sample = [frames](long f, int c) { return ramp(f, c, frames); };
        ASSERT_TRUE(writeWave("ramp.wav", recipe));

        WaveStream stream;
        ASSERT_TRUE(stream.openWave("ramp.wav", false));
        EXPECT_EQ(stream.audioFormat().sampleRate(), 22050);
        EXPECT_EQ(stream.audioFormat().channelCount(), 2);
        EXPECT_EQ(stream.audioFormat().sampleFormat(), QAudioFormat::Float);
        EXPECT_EQ(stream.frameCount(), frames);
        EXPECT_GT(stream.bytesAvailable(), 0);

        const std::vector<float> samples = readFloats(stream, frames + 500, 441);
        ASSERT_EQ(samples.size(), size_t(frames * 2));
        const double step = bits == 16 ? 2.0 / 32768 : 2.0 / 8388608;
        for (long f = 0; f < frames; f += 7) {
            ASSERT_NEAR(samples[size_t(2 * f)], ramp(f, 0, frames), step) << "frame " << f;
            ASSERT_NEAR(samples[size_t(2 * f + 1)], ramp(f, 1, frames), step) << "frame " << f;
        }
        EXPECT_TRUE(stream.finished());
        char byte;
        EXPECT_EQ(stream.read(&byte, 1), 0);
    }
}

TEST(WaveStream, LoopingGoesOnFromTheFirstFrameWithinOneRead)
{
    ScopedWorkingDirectory dir;
    const long frames = 1000;
    WaveRecipe recipe;
    recipe.format = SF_FORMAT_WAV | SF_FORMAT_PCM_24;
    recipe.channels = 2;
    recipe.frames = frames;
    recipe.sample = [frames](long f, int c) { return ramp(f, c, frames); };
    ASSERT_TRUE(writeWave("loop.wav", recipe));

    WaveStream stream;
    ASSERT_TRUE(stream.openWave("loop.wav", true));
    // Chunks that end nowhere near the loop point, and one longer than the file.
    std::vector<float> samples = readFloats(stream, 2600, 333);
    const std::vector<float> longRead = readFloats(stream, 2400, 2400);
    samples.insert(samples.end(), longRead.begin(), longRead.end());
    ASSERT_EQ(samples.size(), size_t(5000 * 2));
    for (long f = 0; f < 5000; ++f) {
        ASSERT_NEAR(samples[size_t(2 * f)], ramp(f % frames, 0, frames), 1e-6) << "frame " << f;
        ASSERT_NEAR(samples[size_t(2 * f + 1)], ramp(f % frames, 1, frames), 1e-6);
    }
    EXPECT_FALSE(stream.finished());
}

TEST(WaveStream, SoundThatPlaysOnceEndsWithTheGivenSilence)
{
    ScopedWorkingDirectory dir;
    WaveRecipe recipe;
    recipe.frames = 500;
    recipe.sample = [](long, int) { return 0.5; };
    ASSERT_TRUE(writeWave("short.wav", recipe));
    WaveStream stream;
    ASSERT_TRUE(stream.openWave("short.wav", false));
    stream.setTrailingSilence(1200);
    const std::vector<float> samples = readFloats(stream, 5000, 256);
    ASSERT_EQ(samples.size(), 1700u);
    EXPECT_NEAR(samples[499], 0.5, 1e-3);
    EXPECT_EQ(std::count(samples.begin() + 500, samples.end(), 0.0f), 1200);
    EXPECT_TRUE(stream.finished());
}

TEST(WaveStream, EveryWaveEncodingDecodes)
{
    ScopedWorkingDirectory dir;
    struct Case
    {
        const char* name;
        int encoding;
        int channels;
        int rate;
        double tolerance;
    };
    const Case cases[] = {
        {"u8", SF_FORMAT_PCM_U8, 1, 8000, 0.02},
        {"pcm16", SF_FORMAT_PCM_16, 2, 44100, 0.001},
        {"pcm24", SF_FORMAT_PCM_24, 1, 48000, 0.001},
        {"pcm32", SF_FORMAT_PCM_32, 2, 96000, 0.001},
        {"float", SF_FORMAT_FLOAT, 2, 44100, 0.001},
        {"ima", SF_FORMAT_IMA_ADPCM, 1, 22050, 0.08},
        {"msadpcm", SF_FORMAT_MS_ADPCM, 2, 11025, 0.08},
        {"alaw", SF_FORMAT_ALAW, 1, 8000, 0.03},
        {"ulaw", SF_FORMAT_ULAW, 2, 16000, 0.03},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WaveRecipe recipe;
        recipe.format = SF_FORMAT_WAV | c.encoding;
        recipe.channels = c.channels;
        recipe.sampleRate = c.rate;
        recipe.frames = c.rate / 10;
        recipe.sample = tone(220, c.rate);
        const QString name = QString::fromLatin1(c.name) + ".wav";
        ASSERT_TRUE(writeWave(name, recipe));

        WaveStream stream;
        ASSERT_TRUE(stream.openWave(name, false));
        EXPECT_EQ(stream.audioFormat().sampleRate(), c.rate);
        EXPECT_EQ(stream.audioFormat().channelCount(), c.channels);
        const std::vector<float> samples = readFloats(stream, recipe.frames, 4096);
        // ADPCM pads its last block, so it may give a few more frames.
        ASSERT_GE(samples.size(), size_t(recipe.frames * c.channels) * 9 / 10);
        double worst = 0;
        // ADPCM takes a few frames to settle.
        for (size_t i = size_t(64 * c.channels); i < samples.size() * 9 / 10; ++i) {
            const long frame = long(i) / c.channels;
            worst = std::max(worst, std::abs(samples[i] - recipe.sample(frame, 0)));
        }
        EXPECT_LT(worst, c.tolerance);
    }
}

TEST(WaveStream, FloatFileReadAsSixteenBitIsScaledNotSilenced)
{
    ScopedWorkingDirectory dir;
    WaveRecipe recipe;
    recipe.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    recipe.frames = 100;
    recipe.sample = [](long, int) { return 0.5; };
    ASSERT_TRUE(writeWave("float.wav", recipe));
    WaveStream stream;
    ASSERT_TRUE(stream.openWave("float.wav", false));
    stream.useInt16Samples();
    EXPECT_EQ(stream.audioFormat().sampleFormat(), QAudioFormat::Int16);
    qint16 samples[100] = {};
    ASSERT_EQ(stream.read(reinterpret_cast<char*>(samples), sizeof samples),
              qint64(sizeof samples));
    EXPECT_NEAR(samples[50], 16384, 2);
}

TEST(WaveStream, FilesThatAreNoPlayableWaveAreRefusedOrEndSafely)
{
    ScopedWorkingDirectory dir;
    WaveRecipe recipe;
    recipe.frames = 8000;
    recipe.sample = tone(440, 44100);
    ASSERT_TRUE(writeWave("good.wav", recipe));
    const QByteArray good = dir.readFile("good.wav");
    ASSERT_EQ(good.mid(36, 4), QByteArray("data"));

    recipe.format = SF_FORMAT_AIFF | SF_FORMAT_PCM_16;
    ASSERT_TRUE(writeWave("sound.aiff", recipe));
    dir.writeFile("text.wav", "RIFF? no, just text");
    dir.writeFile("empty.wav", QByteArray());
    dir.writeFile("header-only.wav", good.left(30));
    QByteArray noFrames = good.left(44);
    noFrames.replace(40, 4, QByteArray(4, '\0'));
    dir.writeFile("no-frames.wav", noFrames);
    QDir(dir.path()).mkdir("folder.wav");
    for (const char* name : {"missing.wav", "", "folder.wav", "sound.aiff", "text.wav", "empty.wav",
                             "header-only.wav", "no-frames.wav"}) {
        SCOPED_TRACE(name);
        WaveStream stream;
        EXPECT_FALSE(stream.openWave(QString::fromLatin1(name), true));
        EXPECT_FALSE(stream.isOpen());
    }

    // A data size far beyond the file, or a file cut short: what is there
    // plays, then the stream ends (or, looping, starts over) without hanging.
    QByteArray huge = good;
    huge.replace(40, 4, QByteArray("\xF0\xFF\xFF\x7F", 4));
    huge.replace(4, 4, QByteArray("\xF8\xFF\xFF\x7F", 4));
    dir.writeFile("huge.wav", huge);
    dir.writeFile("cut.wav", good.left(44 + 2 * 3000 + 1));
    for (const char* name : {"huge.wav", "cut.wav"}) {
        SCOPED_TRACE(name);
        WaveStream once;
        ASSERT_TRUE(once.openWave(QString::fromLatin1(name), false));
        const std::vector<float> all = readFloats(once, 1'000'000, 65536);
        EXPECT_GE(all.size(), 3000u);
        EXPECT_LE(all.size(), 8000u);
        EXPECT_TRUE(once.finished());

        WaveStream looping;
        ASSERT_TRUE(looping.openWave(QString::fromLatin1(name), true));
        EXPECT_EQ(readFloats(looping, 20000, 4096).size(), 20000u);
    }
}

} // namespace

namespace {

// Music as people have it: each encoded by the sound file library itself, a
// looping read going on past the end, a damaged file refused or ending safely.
TEST(WaveStream, Mp3OggAndFlacPlayAndLoopLikeAWave)
{
    ScopedWorkingDirectory dir;
    struct Case
    {
        const char* name;
        int format;
        double tolerance; // lossy codecs are near the tone, not on it
    };
    const Case cases[] = {
        {"music.mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 0.15},
        {"music.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 0.15},
        {"music.opus", SF_FORMAT_OGG | SF_FORMAT_OPUS, 0.15},
        {"music.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 0.001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WaveRecipe recipe;
        recipe.format = c.format;
        recipe.sampleRate = 48000;
        recipe.frames = 48000;
        recipe.sample = tone(440, 48000, 0.25);
        ASSERT_TRUE(writeWave(QString::fromLatin1(c.name), recipe));

        WaveStream stream;
        ASSERT_TRUE(stream.openWave(QString::fromLatin1(c.name), true));
        EXPECT_EQ(stream.audioFormat().sampleRate(), 48000);
        // Twice the file: the loop goes on.
        const std::vector<float> samples = readFloats(stream, 96000, 4096);
        ASSERT_EQ(samples.size(), 96000u);
        const float loudest = *std::max_element(samples.begin(), samples.end());
        EXPECT_NEAR(loudest, 0.25, c.tolerance);
        EXPECT_FALSE(stream.finished());

        // Cut to its first few hundred bytes, the music plays what is left or
        // nothing; it never hangs.
        const QByteArray bytes = dir.readFile(QString::fromLatin1(c.name));
        const QString cut = QStringLiteral("cut-") + QString::fromLatin1(c.name);
        dir.writeFile(cut, bytes.left(300));
        WaveStream damaged;
        if (damaged.openWave(cut, false)) {
            readFloats(damaged, 1'000'000, 65536);
            EXPECT_TRUE(damaged.finished());
        }
    }
    dir.writeFile("noise.mp3", QByteArray(5000, '\x55'));
    WaveStream noise;
    EXPECT_FALSE(noise.openWave(QStringLiteral("noise.mp3"), false));
}

} // namespace

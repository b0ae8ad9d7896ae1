#include "platform/qt/wav_sound_player.h"
#include "pulse_server.h"
#include "wave_writer.h"

#include "support/gbk_literals.h"
#include "support/working_directory.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

constexpr int kRecordRate = 8000;
constexpr int kWindow = kRecordRate / 25; // 40 ms

void runEventsFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

double rms(const std::vector<float>& samples, size_t start, size_t count)
{
    double energy = 0;
    for (size_t i = start; i < start + count; ++i)
        energy += double(samples[i]) * samples[i];
    return std::sqrt(energy / double(count));
}

// One letter per 40 ms of recording: '.' silence, 'A' the start music's
// 440 Hz, 'B' the stop music's 1000 Hz, '?' anything else, including a window
// where sound starts or stops (its half-silence would fake a lower pitch).
std::string describe(const std::vector<float>& samples)
{
    const double quiet = 0.02;
    std::string letters;
    for (size_t start = 0; start + kWindow <= samples.size(); start += kWindow) {
        const bool firstHalf = rms(samples, start, kWindow / 2) >= quiet;
        const bool secondHalf = rms(samples, start + kWindow / 2, kWindow / 2) >= quiet;
        if (!firstHalf && !secondHalf) {
            letters += '.';
            continue;
        }
        int crossings = 0;
        for (size_t i = start + 1; i < start + kWindow; ++i)
            if ((samples[i - 1] < 0) != (samples[i] < 0))
                ++crossings;
        const double hertz = crossings / 2.0 * kRecordRate / kWindow;
        if (firstHalf != secondHalf)
            letters += '?';
        else if (hertz > 380 && hertz < 500)
            letters += 'A';
        else if (hertz > 900 && hertz < 1100)
            letters += 'B';
        else
            letters += '?';
    }
    return letters;
}

size_t windowsOf(double seconds)
{
    return size_t(seconds * 25);
}

// One server for the whole process: Qt's audio connects to a server once and
// keeps that connection.
class SoundOutput : public ::testing::TestWithParam<int>
{
  protected:
    static void SetUpTestSuite()
    {
        server_ = new PulseServer;
        if (server_->failure().isEmpty())
            qputenv("PULSE_SERVER", server_->address());
    }
    static void TearDownTestSuite()
    {
        delete server_;
        server_ = nullptr;
    }

    static PulseServer* server_;
};

PulseServer* SoundOutput::server_ = nullptr;

// The start music loops past its own length without a gap, also after the UI
// thread was busy for a while, and the stop music replaces it at once and
// plays once, whole.
TEST_P(SoundOutput, StartMusicLoopsUntilTheStopMusicReplacesIt)
{
    PulseServer& server = *server_;
    if (!server.failure().isEmpty())
        GTEST_SKIP() << "no sound server: " << server.failure().toStdString();

    ScopedWorkingDirectory dir;
    const int bits = GetParam();
    // 0.3 s of 440 Hz is a whole number of cycles, so the loop joins smoothly.
    WaveRecipe start;
    start.format = SF_FORMAT_WAV | (bits == 16 ? SF_FORMAT_PCM_16 : SF_FORMAT_PCM_24);
    start.channels = 2;
    start.frames = 44100 * 3 / 10;
    start.sample = tone(440, 44100);
    ASSERT_TRUE(writeWave(dir.filePath("01.wav"), start));
    // Shorter than the device's buffer: an output that waits for a full
    // buffer would never start it.
    WaveRecipe stop;
    stop.sampleRate = 22050;
    stop.frames = 22050 / 10;
    stop.sample = tone(1000, 22050);
    ASSERT_TRUE(writeWave(dir.filePath("02.wav"), stop));

    WavSoundPlayer player;
    if (!server.startRecording(kRecordRate))
        GTEST_SKIP() << "the sound server's output could not be recorded";
    runEventsFor(200);
    player.play(".\\01.wav", SoundPlayer::kAsync | SoundPlayer::kLoop);
    runEventsFor(500);
    // A handler that keeps the UI thread busy longer than the device's buffer:
    // the sound drops out, but the loop must go on afterwards.
    QThread::msleep(400);
    runEventsFor(1300);
    player.play(".\\02.wav", SoundPlayer::kAsync);
    runEventsFor(1000);
    const std::string heard = describe(server.stopRecording());
    SCOPED_TRACE(heard);

    // Looping: one unbroken run of the start music well past the file's 0.3 s.
    // A gap at the loop point would break it (windows straddling the change
    // to the stop music may read as neither).
    size_t runStart = 0, runLength = 0;
    for (size_t at = heard.find('A'); at != std::string::npos; at = heard.find('A', at)) {
        const size_t end = std::min(heard.find_first_not_of('A', at), heard.size());
        if (end - at > runLength) {
            runStart = at;
            runLength = end - at;
        }
        at = end;
    }
    ASSERT_GE(runLength, windowsOf(1.0)) << "the start music did not keep looping";
    const size_t runEnd = runStart + runLength;
    // Replaced: the stop music follows at once and nothing of the start music after it.
    const size_t firstB = heard.find('B', runEnd);
    ASSERT_NE(firstB, std::string::npos) << "the stop music was not heard";
    EXPECT_LE(firstB - runEnd, 2u);
    EXPECT_EQ(heard.find('A', firstB), std::string::npos);
    // Once: about its 0.1 s, then silence to the end.
    const size_t lastB = heard.rfind('B');
    EXPECT_LE(lastB - firstB + 1, windowsOf(0.2));
    EXPECT_EQ(heard.find_first_not_of('.', lastB + 2), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Bits, SoundOutput, ::testing::Values(16, 24),
                         [](const auto& info) { return std::to_string(info.param) + "bit"; });

TEST(SoundPlayer, FilesThatCannotPlayGiveSilenceWithoutAnError)
{
    ScopedWorkingDirectory dir;
    dir.writeFile("text.wav", "not a sound");
    WavSoundPlayer player;
    EXPECT_NO_THROW(player.play(".\\missing.wav", SoundPlayer::kAsync | SoundPlayer::kLoop));
    EXPECT_NO_THROW(player.play("text.wav", SoundPlayer::kAsync));
    EXPECT_NO_THROW(player.play(QByteArray(), SoundPlayer::kAsync));
    EXPECT_NO_THROW(player.play(G("音乐\\缺少.wav"), SoundPlayer::kAsync));
}

} // namespace

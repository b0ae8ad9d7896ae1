#include "platform/qt/wave_stream.h"

#include "base/regular_file.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>

namespace {

// Beyond these the header is corrupt; no output device takes them anyway.
constexpr int kMaxChannels = 32;
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 768000;

// Wave files, and the music people have: MP3, Ogg (Vorbis, Opus) and FLAC.
bool isMusicContainer(int format)
{
    const int container = format & SF_FORMAT_TYPEMASK;
    return container == SF_FORMAT_WAV || container == SF_FORMAT_WAVEX ||
           container == SF_FORMAT_RF64 || container == SF_FORMAT_MPEG ||
           container == SF_FORMAT_OGG || container == SF_FORMAT_FLAC;
}

} // namespace

WaveStream::WaveStream(QObject* parent) : QIODevice(parent) {}

WaveStream::~WaveStream()
{
    close();
}

bool WaveStream::openWave(const QString& path, bool loop)
{
    close();
    // Only a regular file: opening a pipe or a device would wait or never end.
    const regular_file::Opened opened = regular_file::openForReading(path);
    if (!opened.ok())
        return false;
    SF_INFO info{};
    // The library owns the descriptor from here, and closes it on failure too.
    SNDFILE* file = sf_open_fd(opened.descriptor, SFM_READ, &info, SF_TRUE);
    if (!file)
        return false;
    if (!isMusicContainer(info.format) || info.frames <= 0 || info.channels < 1 ||
        info.channels > kMaxChannels || info.samplerate < kMinRate || info.samplerate > kMaxRate) {
        sf_close(file);
        return false;
    }
    file_ = file;
    channels_ = info.channels;
    sampleRate_ = info.samplerate;
    frames_ = info.frames;
    loop_ = loop;
    finished_ = false;
    fileEnded_ = false;
    QIODevice::open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    return true;
}

void WaveStream::useInt16Samples()
{
    sampleFormat_ = QAudioFormat::Int16;
}

QAudioFormat WaveStream::audioFormat() const
{
    QAudioFormat format;
    format.setSampleRate(sampleRate_);
    format.setChannelCount(channels_);
    format.setSampleFormat(sampleFormat_);
    return format;
}

qint64 WaveStream::bytesAvailable() const
{
    if (!file_ || finished_)
        return QIODevice::bytesAvailable();
    // What is left is not known exactly (a header may overstate it); a period's
    // worth tells the reader there is more to come.
    return QIODevice::bytesAvailable() + qint64(sampleRate_) * audioFormat().bytesPerFrame();
}

void WaveStream::close()
{
    if (file_) {
        sf_close(file_);
        file_ = nullptr;
    }
    QIODevice::close();
}

qint64 WaveStream::readData(char* data, qint64 maxSize)
{
    if (!file_ || finished_)
        return 0;
    const int frameBytes = audioFormat().bytesPerFrame();
    const qint64 wanted = maxSize / frameBytes;
    qint64 done = fileEnded_ ? 0 : readFrames(data, wanted);
    while (done < wanted && loop_ && !fileEnded_) {
        // Back to the start within the same read. A file that gives nothing
        // even from its start (cut off, unreadable data) ends the loop.
        if (sf_seek(file_, 0, SEEK_SET) != 0)
            break;
        const qint64 got = readFrames(data + done * frameBytes, wanted - done);
        if (got == 0)
            break;
        done += got;
    }
    if (done < wanted && !fileEnded_) {
        fileEnded_ = true;
        silenceLeft_ = trailingSilence_;
    }
    if (fileEnded_) {
        const qint64 silence = std::min(wanted - done, silenceLeft_);
        std::fill_n(data + done * frameBytes, silence * frameBytes, char(0));
        silenceLeft_ -= silence;
        done += silence;
        finished_ = silenceLeft_ == 0;
    }
    return done * frameBytes;
}

qint64 WaveStream::readFrames(char* data, qint64 frames)
{
    if (frames <= 0)
        return 0;
    if (sampleFormat_ == QAudioFormat::Float) {
        const sf_count_t got = sf_readf_float(file_, reinterpret_cast<float*>(data), frames);
        return got > 0 ? qint64(got) : 0;
    }
    // The library's own 16-bit read of a float file truncates or scales by the
    // file's peak; converting here keeps the level and clips overshoot.
    scratch_.resize(size_t(frames) * size_t(channels_));
    const sf_count_t got = sf_readf_float(file_, scratch_.data(), frames);
    if (got <= 0)
        return 0;
    auto* out = reinterpret_cast<qint16*>(data);
    for (size_t i = 0; i < size_t(got) * size_t(channels_); ++i)
        out[i] = qint16(std::lround(std::clamp(scratch_[i], -1.0f, 1.0f) * 32767.0f));
    return qint64(got);
}

qint64 WaveStream::writeData(const char*, qint64)
{
    return -1;
}

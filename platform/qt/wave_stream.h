#pragma once

#include <QAudioFormat>
#include <QIODevice>
#include <QString>

#include <sndfile.h>

#include <vector>

// A wave file (or MP3, Ogg or FLAC music) decoded on demand: each read decodes only the frames
// asked for, so a long file starts at once and costs little memory. Any encoding the sound file
// library reads comes out as 32-bit float or 16-bit samples at the file's own rate and channel
// count. When looping, the read that reaches the end goes on from the first frame, so the loop has
// no gap.
class WaveStream : public QIODevice
{
    Q_OBJECT

  public:
    explicit WaveStream(QObject* parent = nullptr);
    ~WaveStream() override;

    // False, with nothing open, for a missing or unreadable file, one that is
    // neither a wave file nor MP3, Ogg or FLAC, or one without any sound in it.
    bool openWave(const QString& path, bool loop);
    // Float samples unless this is called (before the first read).
    void useInt16Samples();
    // Silence delivered after the last frame of a stream that does not loop.
    // An output that waits for a full buffer before it starts would otherwise
    // never play a sound shorter than that buffer.
    void setTrailingSilence(qint64 frames) { trailingSilence_ = frames; }

    QAudioFormat audioFormat() const;
    qint64 frameCount() const { return frames_; }
    // True once a stream that does not loop has delivered its last frame.
    bool finished() const { return finished_; }

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;
    void close() override;

  protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 maxSize) override;

  private:
    qint64 readFrames(char* data, qint64 frames);

    SNDFILE* file_ = nullptr;
    int channels_ = 0;
    int sampleRate_ = 0;
    qint64 frames_ = 0;
    bool loop_ = false;
    bool finished_ = false;
    bool fileEnded_ = false;
    qint64 trailingSilence_ = 0;
    qint64 silenceLeft_ = 0;
    QAudioFormat::SampleFormat sampleFormat_ = QAudioFormat::Float;
    std::vector<float> scratch_;
};

#include "platform/qt/wav_sound_player.h"

#include "base/file_paths.h"
#include "platform/qt/wave_stream.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QTimer>

#include <memory>

namespace {

constexpr qint64 kBufferMicroseconds = 250'000;

} // namespace

WavSoundPlayer::~WavSoundPlayer()
{
    stop();
}

void WavSoundPlayer::play(const QByteArray& storedPath, unsigned flags)
{
    stop();
    if (!QCoreApplication::instance())
        return;
    auto stream = std::make_unique<WaveStream>();
    if (!stream->openWave(file_paths::toLocalPath(storedPath), (flags & kLoop) != 0))
        return;
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull())
        return;
    if (!output.isFormatSupported(stream->audioFormat()))
        stream->useInt16Samples();
    if (!output.isFormatSupported(stream->audioFormat()))
        return;

    auto* sink = new QAudioSink(output, stream->audioFormat(), QCoreApplication::instance());
    // The sink's own teardown stops reading before its children go.
    WaveStream* source = stream.release();
    source->setParent(sink);
    // An underrun (the UI thread was busy) recovers by itself; a loop must
    // go on after it.
    QObject::connect(sink, &QAudioSink::stateChanged, sink, [this, sink, source](QAudio::State) {
        const QAudio::Error error = sink->error();
        if (source->finished() || (error != QAudio::NoError && error != QAudio::UnderrunError))
            releaseWhenDone(sink);
    });
    // A little more than the usual default, for a busy moment of the UI
    // thread, which feeds the device.
    const QAudioFormat format = source->audioFormat();
    sink->setBufferSize(format.bytesForDuration(kBufferMicroseconds));
    source->setTrailingSilence(format.framesForDuration(2 * kBufferMicroseconds));
    sink_ = sink;
    sink->start(source);
}

void WavSoundPlayer::stop()
{
    releaseScheduled_ = false;
    if (sink_) {
        // Deleted later: stop() may run inside one of the sink's own signals.
        sink_->stop();
        sink_->deleteLater();
        sink_ = nullptr;
    }
}

void WavSoundPlayer::releaseWhenDone(QAudioSink* sink)
{
    if (sink != sink_ || releaseScheduled_)
        return;
    releaseScheduled_ = true;
    // The device still holds the last buffer when the stream runs out;
    // closing at once would cut that off. The timer goes with the sink.
    const qint64 bufferedMs = sink->format().durationForBytes(sink->bufferSize()) / 1000;
    QTimer::singleShot(int(bufferedMs + 200), sink, [this, sink] {
        if (sink == sink_)
            stop();
    });
}

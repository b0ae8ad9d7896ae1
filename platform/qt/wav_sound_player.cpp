#include "platform/qt/wav_sound_player.h"

#include "platform/file_paths.h"
#include "platform/qt/wave_stream.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QCoreApplication>
#include <QMediaDevices>

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
    stream.release()->setParent(sink);
    auto* source = sink->findChild<WaveStream*>();
    QObject::connect(sink, &QAudioSink::stateChanged, sink, [this, sink, source](QAudio::State) {
        if (sink->error() != QAudio::NoError || source->finished())
            releaseWhenDone(sink);
    });
    sink_ = sink;
    sink->start(source);
}

void WavSoundPlayer::stop()
{
    if (sink_) {
        sink_->stop();
        delete sink_;
    }
}

void WavSoundPlayer::releaseWhenDone(QAudioSink* sink)
{
    // Not deleted inside its own signal.
    sink->deleteLater();
    if (sink_ == sink)
        sink_ = nullptr;
}

// The roll in the stage view with a photo for each of 1,000 participants,
// every photo a JPEG of about 5 MB, made here at run time: one roll step
// (the pass, the photo looked up, the repaint) while the photos are decoded
// in the workers, and the memory that leaves resident.

#include "bench_timer.h"
#include "bench_workspace.h"
#include "draw/picture_folders.h"
#include "draw/rolling_display.h"
#include "summary_table.h"
#include "support/gbk_literals.h"
#include "ui/main_window/cou.h"
#include "ui/stage/draw_board.h"
#include "ui/stage/draw_status_view.h"
#include "ui/stage/stage_mode.h"
#include "ui/stage/stage_pictures.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QThread>
#include <QTimer>
#include <QTimerEvent>
#include <stdexcept>
#include <unistd.h>

namespace {

constexpr int kPeople = 1000;
// Distinct photos; the others are hard links to them, so the folder holds
// 1,000 files of 5 MB without writing 5 GB (every one is still read and
// decoded on its own).
constexpr int kDistinctPhotos = 12;

// A camera-sized JPEG of noise over a gradient: about 5 MB at quality 95.
QByteArray cameraPhoto(int seed)
{
    QImage image(3000, 2250, QImage::Format_RGB32);
    QRandomGenerator random(static_cast<quint32>(seed));
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int noise = static_cast<int>(random.bounded(48u));
            line[x] = qRgb((x / 11 + noise) & 0xff, (y / 8 + seed * 20 + noise) & 0xff,
                           (x / 16 + y / 16 + noise) & 0xff);
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 95);
    return bytes;
}

QByteArray participants()
{
    QByteArray lines;
    for (int i = 0; i < kPeople; ++i)
        lines += G("员工") + QByteArray::number(i) + '\t' + QByteArray::number(10000 + i) + "\r\n";
    return lines;
}

void writePhotos(const BenchWorkspace& workspace, qint64& photoBytes)
{
    const QString folder = workspace.filePath(picture_folders::photos());
    QDir().mkpath(folder);
    for (int i = 0; i < kPeople; ++i) {
        const QString path = folder + QStringLiteral("/%1.jpg").arg(10000 + i);
        if (i < kDistinctPhotos) {
            const QByteArray bytes = cameraPhoto(i);
            photoBytes = bytes.size();
            workspace.writeFile(
                picture_folders::photos() + QStringLiteral("/%1.jpg").arg(10000 + i), bytes);
            continue;
        }
        const QString source = folder + QStringLiteral("/%1.jpg").arg(10000 + i % kDistinctPhotos);
        if (::link(QFile::encodeName(source).constData(), QFile::encodeName(path).constData()) != 0)
            throw std::runtime_error("could not link a photo");
    }
}

double residentMiB(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(static_cast<int>(qstrlen(field)))
                       .trimmed()
                       .split(' ')
                       .first()
                       .toDouble() /
                   1024.0;
    return 0;
}

void measurePhotoRollStep(benchmark::State& state, const CaseInfo&)
{
    BenchWorkspace workspace;
    workspace.writeTitlePicture();
    workspace.writeFile(QStringLiteral("rafflixlist.txt"), participants());
    qint64 photoBytes = 0;
    writePhotos(workspace, photoBytes);
    QElapsedTimer decoding;
    decoding.start();
    const QImage decoded = decodePicture(
        workspace.filePath(picture_folders::photos() + "/10000.jpg"), StagePictures::photoBound());
    const double decodeMs = static_cast<double>(decoding.nsecsElapsed()) / 1e6;
    if (decoded.isNull())
        throw std::runtime_error("a photo did not decode");
    workspace.fakes.desktop.folder = workspace.filePath(QStringLiteral("desktop"));
    TForm1 window;
    window.show();
    QCoreApplication::processEvents();
    window.drawOptions().photoColumn = G("第2列");
    window.stageMode()->enter();
    window.btn3Click(); // Start
    window.tmr1Timer();
    auto* passTimer = window.findChild<QTimer*>(QStringLiteral("rollTimer"));
    DrawBoard* board = window.drawStatusView()->board();
    if (!passTimer || !passTimer->isActive() || !board->isVisible())
        throw std::runtime_error("the roll did not start in the stage view");
    // The steps are delivered here, at the roll's pace, and only here.
    passTimer->setInterval(1 << 30);
    int steps = 0;
    int withPhoto = 0;
    for (auto _ : state) {
        {
            IterationTimer timer(state);
            QTimerEvent event(passTimer->timerId());
            QCoreApplication::sendEvent(passTimer, &event);
            QCoreApplication::processEvents();
        }
        ++steps;
        withPhoto += !board->pictures().rolling.isNull();
        // The roll's own pace between steps, while the workers decode.
        QThread::msleep(RollingDisplay::kPassIntervalMs);
    }
    window.btn3Click(); // Stop
    StagePictures* pictures = window.drawStatusView()->pictures();
    state.counters["cache_mib"] =
        static_cast<double>(pictures->photos().bytes()) / (1024.0 * 1024.0);
    state.counters["decoding_ms"] = pictures->photos().decodingMilliseconds();
    state.counters["decode_ms"] = decodeMs;
    state.counters["photo_mb"] = static_cast<double>(photoBytes) / (1024.0 * 1024.0);
    state.counters["shown_pct"] = steps ? 100.0 * withPhoto / steps : 0;
    state.counters["rss_mib"] = residentMiB("VmRSS:");
    state.counters["peak_mib"] = residentMiB("VmHWM:");
}

} // namespace

void registerPhotoRollBenchmarks()
{
    CaseInfo step;
    step.kind = CaseInfo::Kind::RollStep;
    step.title = "Roll step in the stage view, 1,000 photos of 5 MB (pass, photo, repaint)";
    step.participants = kPeople;
    step.limitMs = 5;
    registerCase("PhotoRollStep/N:1000", step, measurePhotoRollStep);
}

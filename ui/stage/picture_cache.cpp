#include "ui/stage/picture_cache.h"

#include "base/app_error.h"
#include "base/regular_file.h"
#include "platform/qt/jpeg_picture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

namespace {
// A photo from a camera is a few MB; beyond this a file is no photo to show.
constexpr qint64 kLargestFile = 64 * 1024 * 1024;
} // namespace

namespace {

QImage readWithQt(const QString& path, const QSize& bound)
{
    const regular_file::Content content = regular_file::readAll(path);
    if (!content.ok())
        return {};
    QBuffer buffer;
    buffer.setData(content.bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > bound.width() || size.height() > bound.height()))
        reader.setScaledSize(size.scaled(bound, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    return reader.read();
}

} // namespace

QImage decodePicture(const QString& path, const QSize& bound)
{
    if (QFileInfo(path).size() > kLargestFile)
        return {};
    QImage image;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) {
        try {
            image = loadJpegPictureCovering(path, bound);
        } catch (const AppError&) {
            // Not a JPEG after all (a PNG renamed, say): Qt's readers try.
        }
    }
    if (image.isNull())
        image = readWithQt(path, bound);
    if (image.isNull())
        return {};
    if (image.width() > bound.width() || image.height() > bound.height())
        image = image.scaled(bound, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

PictureCache::PictureCache(const QSize& bound, qint64 budgetBytes, QObject* parent)
    : QObject(parent), bound_(bound), images_(budgetBytes)
{
    // One core stays with the window.
    pool_.setMaxThreadCount(std::clamp(QThread::idealThreadCount() - 1, 1, 4));
    mostWaiting_ = pool_.maxThreadCount() + 1;
}

PictureCache::~PictureCache()
{
    pool_.clear();
    pool_.waitForDone();
}

QImage PictureCache::picture(const QString& path)
{
    if (path.isEmpty())
        return {};
    if (const QImage* image = images_.object(path))
        return *image;
    decode(path);
    return {};
}

QImage PictureCache::decoded(const QString& path)
{
    const QImage* image = path.isEmpty() ? nullptr : images_.object(path);
    return image ? *image : QImage();
}

void PictureCache::prefetch(const QString& path)
{
    if (!path.isEmpty() && !images_.contains(path))
        decode(path);
}

void PictureCache::clear()
{
    ++generation_; // what is still decoding is for the folders read before
    pool_.clear();
    images_.clear();
    waiting_.clear();
    undecodable_.clear();
}

void PictureCache::waitForDecoding()
{
    pool_.waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void PictureCache::decode(const QString& path)
{
    if (waiting_.contains(path) || undecodable_.contains(path) || waiting_.size() >= mostWaiting_)
        return;
    waiting_.insert(path);
    const QSize bound = bound_;
    const quint64 generation = generation_;
    QElapsedTimer asked;
    asked.start();
    pool_.start([this, path, bound, generation, asked] {
        const QImage image = decodePicture(path, bound);
        const double ms = static_cast<double>(asked.nsecsElapsed()) / 1e6;
        // Handed to the window's thread; the destructor waits for this job.
        QMetaObject::invokeMethod(
            this, [this, path, image, generation, ms] { arrived(path, image, generation, ms); },
            Qt::QueuedConnection);
    });
}

void PictureCache::arrived(const QString& path, const QImage& image, quint64 generation, double ms)
{
    if (generation != generation_)
        return;
    decodingMs_ = decodingMs_ == 0 ? ms : (decodingMs_ * 3 + ms) / 4;
    waiting_.remove(path);
    if (image.isNull()) {
        undecodable_.insert(path);
        return;
    }
    images_.insert(path, new QImage(image), std::max<qint64>(1, image.sizeInBytes()));
    emit pictureReady();
}

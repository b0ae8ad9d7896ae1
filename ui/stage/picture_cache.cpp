#include "ui/stage/picture_cache.h"

#include "base/regular_file.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

namespace {
// A photo from a camera is a few MB; beyond this a file is no photo to show.
constexpr qint64 kLargestFile = 64 * 1024 * 1024;
} // namespace

QImage decodePicture(const QString& path, const QSize& bound)
{
    if (QFileInfo(path).size() > kLargestFile)
        return {};
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
    QImage image = reader.read();
    if (image.isNull())
        return {};
    // A turned photo (its orientation tag) comes out turned after the scaling.
    if (image.width() > bound.width() || image.height() > bound.height())
        image = image.scaled(bound, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

PictureCache::PictureCache(const QSize& bound, qint64 budgetBytes, QObject* parent)
    : QObject(parent), bound_(bound), images_(budgetBytes)
{
    // One core stays with the window.
    pool_.setMaxThreadCount(std::clamp(QThread::idealThreadCount() - 1, 1, 4));
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
    if (waiting_.contains(path) || undecodable_.contains(path) || waiting_.size() >= kMostWaiting)
        return;
    waiting_.insert(path);
    const QSize bound = bound_;
    const quint64 generation = generation_;
    pool_.start([this, path, bound, generation] {
        const QImage image = decodePicture(path, bound);
        // Handed to the window's thread; the destructor waits for this job.
        QMetaObject::invokeMethod(
            this, [this, path, image, generation] { arrived(path, image, generation); },
            Qt::QueuedConnection);
    });
}

void PictureCache::arrived(const QString& path, const QImage& image, quint64 generation)
{
    if (generation != generation_)
        return;
    waiting_.remove(path);
    if (image.isNull()) {
        undecodable_.insert(path);
        return;
    }
    images_.insert(path, new QImage(image), std::max<qint64>(1, image.sizeInBytes()));
    emit pictureReady();
}

#pragma once

#include <QCache>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QString>
#include <QThreadPool>

// A picture file decoded and scaled down to fit within bound, its shape kept,
// ready to paint; null when the file is not a regular file, is too large or
// cannot be decoded. A JPEG is decoded at the reduced size directly, so a
// 5 MB photo costs a fraction of its full decoding.
QImage decodePicture(const QString& path, const QSize& bound);

// The stage's decoded pictures: decoded in worker threads, so the roll never
// waits for a file, and kept up to a budget of bytes, the least recently
// shown given up first. picture() answers from what is decoded and asks for
// the rest; pictureReady() says a picture has arrived.
class PictureCache : public QObject
{
    Q_OBJECT
  public:
    PictureCache(const QSize& bound, qint64 budgetBytes, QObject* parent = nullptr);
    ~PictureCache() override;

    // The decoded picture, or null: not decoded yet (it is asked for), or
    // not a picture at all.
    QImage picture(const QString& path);
    // The decoded picture or null, without asking for it: the roll has
    // moved on before a picture asked now would arrive.
    QImage decoded(const QString& path);
    // Asks for the picture ahead of its showing, while few are waiting.
    void prefetch(const QString& path);
    // Forgets every picture: the folders have been read anew.
    void clear();

    qint64 bytes() const { return images_.totalCost(); }
    int waiting() const { return static_cast<int>(waiting_.size()); }
    // How long a decoding has lately taken, waiting for a worker included.
    int decodingMilliseconds() const { return static_cast<int>(decodingMs_); }
    // Until every asked picture has arrived (tests and benchmarks).
    void waitForDecoding();

  signals:
    void pictureReady();

  private:
    void decode(const QString& path);
    void arrived(const QString& path, const QImage& image, quint64 generation, double ms);

    QSize bound_;
    QCache<QString, QImage> images_;
    QSet<QString> waiting_;
    QSet<QString> undecodable_;
    quint64 generation_ = 0;
    double decodingMs_ = 0;
    // One decoding more than the workers: the roll asks for its nearest
    // coming photos first, and a long queue would hold photos decoded only
    // after the roll has passed them.
    int mostWaiting_ = 2;
    QThreadPool pool_;
};

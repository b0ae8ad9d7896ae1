#pragma once

#include "draw/draw_status.h"
#include "draw/picture_folders.h"
#include "ui/stage/draw_board.h"
#include "ui/stage/picture_cache.h"

// The stage's photos and prize pictures: the folders' indexes and the decoded
// pictures. Only pictures already decoded are shown, so a roll never waits.
class StagePictures : public QObject
{
    Q_OBJECT
  public:
    explicit StagePictures(QObject* parent = nullptr);

    // Reads the folders of the working folder anew (at each Start, so photos
    // added during the party count); photoColumn: the column's name (GBK),
    // empty for no photos.
    void reload(const QByteArray& photoColumn);
    const QByteArray& photoColumn() const { return photoColumn_; }

    // What the board shows for the status, the roll at rollingLine.
    BoardPictures picturesFor(const DrawStatus& status, const QByteArray& rollingLine);
    // The lines the roll shows next: their photos are decoded ahead.
    void prefetch(const std::vector<QByteArray>& lines);

    PictureCache& photos() { return photoCache_; }
    PictureCache& prizes() { return prizeCache_; }

    // The bounds the pictures are decoded within: a photo beside a name on
    // a 1080-line screen, a prize picture beside the board's text.
    static QSize photoBound() { return QSize(300, 400); }
    static QSize prizeBound() { return QSize(480, 480); }

  signals:
    void pictureReady();

  private:
    QByteArray photoColumn_;
    PhotoIndex photoIndex_;
    PictureFolder prizeFolder_;
    PictureCache photoCache_;
    PictureCache prizeCache_;
};

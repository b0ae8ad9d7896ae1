#include "ui/stage/stage_pictures.h"

#include "draw/participant_columns.h"
#include "storage/prize_level.h"

namespace {
// About 130 photos at their bound: a roll of a thousand keeps what it shows
// next and the winners, far below the memory a party laptop has.
constexpr qint64 kPhotoBudget = 64 * 1024 * 1024;
constexpr qint64 kPrizeBudget = 16 * 1024 * 1024;
} // namespace

StagePictures::StagePictures(QObject* parent)
    : QObject(parent), photoCache_(photoBound(), kPhotoBudget, this),
      prizeCache_(prizeBound(), kPrizeBudget, this)
{
    connect(&photoCache_, &PictureCache::pictureReady, this, &StagePictures::pictureReady);
    connect(&prizeCache_, &PictureCache::pictureReady, this, &StagePictures::pictureReady);
}

void StagePictures::reload(const QByteArray& photoColumn)
{
    photoColumn_ = photoColumn;
    photoCache_.clear();
    prizeCache_.clear();
    const int column =
        photoColumn.isEmpty() ? -1 : ParticipantColumns::ofWorkingFolder(0).indexOf(photoColumn);
    photoIndex_ =
        column < 0 ? PhotoIndex() : PhotoIndex(PictureFolder(picture_folders::photos()), column);
    prizeFolder_ = PictureFolder(picture_folders::prizePictures());
}

BoardPictures StagePictures::picturesFor(const DrawStatus& status, const QByteArray& rollingLine)
{
    BoardPictures pictures;
    const QByteArray prize =
        status.extraPrize.isEmpty() ? levelName(status.level) : status.extraPrize;
    if (status.phase != DrawStatus::Phase::Idle)
        pictures.prize = prizeCache_.picture(prizeFolder_.pathOf(prize));
    if (photoIndex_.isEmpty())
        return pictures;
    if (status.phase == DrawStatus::Phase::Rolling) {
        pictures.rolling = photoCache_.decoded(photoIndex_.photoOf(rollingLine));
        pictures.photoSpace = true;
        return pictures;
    }
    for (const QByteArray& winner : status.winners) {
        const QString path = photoIndex_.photoOf(winner);
        pictures.photoSpace = pictures.photoSpace || !path.isEmpty();
        pictures.winners.push_back(photoCache_.picture(path));
    }
    if (!pictures.photoSpace)
        pictures.winners.clear();
    return pictures;
}

void StagePictures::prefetch(const std::vector<QByteArray>& lines)
{
    if (photoIndex_.isEmpty())
        return;
    for (const QByteArray& line : lines)
        photoCache_.prefetch(photoIndex_.photoOf(line));
}

#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// The pictures the stage shows, found by name in two folders of the working
// folder: 照片 (a photo per person, named after one column's value, say
// 工号 or 姓名) and 奖品图片 (a picture per level or extra prize, named
// after it: 一等奖.jpg, 老板加奖.png). JPEG or PNG; without the folders the
// stage is as it always was.
namespace picture_folders {
QString photos();        // 照片
QString prizePictures(); // 奖品图片
} // namespace picture_folders

// The pictures of one folder by their names: the file name without its
// extension (.jpg, .jpeg or .png, in any case), turned from the file system's
// UTF-8 into GBK, the texts' encoding. Only regular files (or links to them)
// count, so a pipe or a device of that name is never read. Of two files with
// one name, the first by file name wins.
class PictureFolder
{
  public:
    PictureFolder() = default;
    // Reads the folder's entries once; a missing folder holds nothing.
    explicit PictureFolder(const QString& folder);

    // The file's path; empty when the name has no picture.
    QString pathOf(const QByteArray& name) const;
    int count() const { return static_cast<int>(paths_.size()); }

  private:
    QHash<QByteArray, QString> paths_;
};

// The photo of a participant line: the file named after its cell in the
// chosen column.
class PhotoIndex
{
  public:
    PhotoIndex() = default;
    // column: the index from 0 (ParticipantColumns::indexOf); -1: no photos.
    PhotoIndex(PictureFolder folder, int column);

    QString photoOf(const QByteArray& line) const;
    bool isEmpty() const { return column_ < 0 || folder_.count() == 0; }

  private:
    PictureFolder folder_;
    int column_ = -1;
};

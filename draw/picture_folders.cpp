#include "draw/picture_folders.h"

#include "base/gbk.h"
#include "draw/participant_columns.h"

#include <QDir>
#include <QFileInfo>

namespace picture_folders {

QString photos()
{
    return QStringLiteral("照片");
}

QString prizePictures()
{
    return QStringLiteral("奖品图片");
}

} // namespace picture_folders

PictureFolder::PictureFolder(const QString& folder)
{
    const QDir dir(folder);
    if (!dir.exists())
        return;
    const QFileInfoList entries = dir.entryInfoList(
        {QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"), QStringLiteral("*.png")},
        QDir::Files | QDir::Hidden, QDir::Name);
    // QDir::Files without QDir::System leaves out pipes, sockets and devices
    // (and links to them); the name filters ignore case.
    for (const QFileInfo& entry : entries) {
        if (!entry.isFile())
            continue;
        const QString base = entry.completeBaseName();
        const QByteArray name = gbk::encode(base);
        // A name GBK cannot hold could never match a participant's cell.
        if (name.isEmpty() || gbk::decode(name) != base || paths_.contains(name))
            continue;
        paths_.insert(name, entry.filePath());
    }
}

QString PictureFolder::pathOf(const QByteArray& name) const
{
    return name.isEmpty() ? QString() : paths_.value(name);
}

PhotoIndex::PhotoIndex(PictureFolder folder, int column)
    : folder_(std::move(folder)), column_(column)
{
}

QString PhotoIndex::photoOf(const QByteArray& line) const
{
    if (isEmpty())
        return {};
    return folder_.pathOf(cellView(line, column_));
}

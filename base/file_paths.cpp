#include "base/file_paths.h"

#include "base/gbk.h"

#include <QDir>
#include <QFileInfo>

namespace file_paths {

QString toLocalPath(const QByteArray& storedPath)
{
    QString path = gbk::decode(storedPath);
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

QString fullPath(const QString& path)
{
    if (path.isEmpty())
        return QString();
    return QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
}

bool isExistingFile(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

} // namespace file_paths

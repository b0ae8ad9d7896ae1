#include "platform/qt/jpeg_picture.h"

#include "app/app_error.h"
#include "platform/file_paths.h"

#include <QFile>

QImage loadJpegPicture(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError::cannotOpenFile(file_paths::fullPath(path), file.errorString());
    QImage image = QImage::fromData(file.readAll(), "JPG");
    if (image.isNull())
        throw AppError::jpegError(53);
    return image.convertToFormat(QImage::Format_RGB888);
}

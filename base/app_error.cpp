#include "base/app_error.h"

AppError::AppError(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message)
{
}

AppError AppError::cannotOpenFile(const QString& fullPath, const QString& reason)
{
    return AppError(QStringLiteral("Cannot open file \"%1\". %2").arg(fullPath, reason));
}

AppError AppError::cannotCreateFile(const QString& fullPath, const QString& reason)
{
    return AppError(QStringLiteral("Cannot create file \"%1\". %2").arg(fullPath, reason));
}

AppError AppError::streamWriteError()
{
    return AppError(QStringLiteral("Stream write error"));
}

AppError AppError::listIndexOutOfBounds(long long index)
{
    return AppError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

AppError AppError::notAValidInteger(const QString& text)
{
    return AppError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

AppError AppError::unableToWriteTo(const QString& path)
{
    return AppError(QStringLiteral("Unable to write to %1").arg(path));
}

AppError AppError::jpegError(int code)
{
    return AppError(QStringLiteral("JPEG error #%1").arg(code));
}

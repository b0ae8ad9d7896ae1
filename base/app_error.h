#pragma once

#include <QString>
#include <stdexcept>

// The one error type handlers throw. Its message is shown verbatim (plus the
// full-stop rule) by the handler guard, so it must be the exact user-facing text.
class AppError : public std::runtime_error
{
  public:
    explicit AppError(const QString& message);

    const QString& message() const { return message_; }

    static AppError cannotOpenFile(const QString& fullPath, const QString& reason);
    static AppError cannotCreateFile(const QString& fullPath, const QString& reason);
    static AppError streamWriteError();
    static AppError listIndexOutOfBounds(long long index);
    static AppError notAValidInteger(const QString& text);
    static AppError unableToWriteTo(const QString& path);
    static AppError jpegError(int code);

  private:
    QString message_;
};

#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file as a whole: the new content is written beside it and renamed
// over it, so a crash or a full disk never leaves a truncated file behind.
struct AtomicWriteResult
{
    enum class Status { Ok, CannotCreate, WriteFailed };
    Status status = Status::Ok;
    QString reason;

    bool ok() const { return status == Status::Ok; }
};

AtomicWriteResult writeFileAtomically(const QString& path, const QByteArray& content);

// Throws "Cannot create file ..." or "Stream write error" when the write fails.
void writeFileAtomicallyOrThrow(const QString& path, const QByteArray& content);

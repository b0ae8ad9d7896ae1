#include "storage/atomic_file.h"

#include "app/app_error.h"
#include "platform/file_paths.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {

AtomicWriteResult failure(AtomicWriteResult::Status status, const QString& reason)
{
    AtomicWriteResult result;
    result.status = status;
    result.reason = reason;
    return result;
}

} // namespace

AtomicWriteResult writeFileAtomically(const QString& path, const QByteArray& content)
{
    const QFileInfo target(path);
    if (target.isDir())
        return failure(AtomicWriteResult::Status::CannotCreate, QStringLiteral("Is a directory"));
    // A file marked read-only is refused even for root, like a read-only
    // attribute; renaming over it would otherwise silently bypass the mark.
    if (target.exists() && !(target.permissions() & QFileDevice::WriteOwner))
        return failure(AtomicWriteResult::Status::CannotCreate,
                       QStringLiteral("Permission denied"));

    QSaveFile file(path);
    // In a folder that refuses new files a writable file is still written,
    // in place, as it would be without the temporary file.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return failure(AtomicWriteResult::Status::CannotCreate, file.errorString());
    if (file.write(content) != content.size()) {
        file.cancelWriting();
        return failure(AtomicWriteResult::Status::WriteFailed, file.errorString());
    }
    if (!file.commit())
        return failure(AtomicWriteResult::Status::WriteFailed, file.errorString());
    return {};
}

void writeFileAtomicallyOrThrow(const QString& path, const QByteArray& content)
{
    const AtomicWriteResult result = writeFileAtomically(path, content);
    switch (result.status) {
    case AtomicWriteResult::Status::Ok:
        return;
    case AtomicWriteResult::Status::CannotCreate:
        throw AppError::cannotCreateFile(file_paths::fullPath(path), result.reason);
    case AtomicWriteResult::Status::WriteFailed:
        throw AppError::streamWriteError();
    }
}

#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <sys/types.h>

// Replaces a file as a whole: the new content is written beside it, every
// byte checked to have reached the disk, and only then renamed over it, so a
// crash or a full disk never leaves a truncated or emptied file behind.
// A link is followed to the file it names; anything that is not a regular
// file (a folder, a pipe, a device, a link to one) is never replaced.
struct AtomicWriteResult
{
    enum class Status { Ok, CannotCreate, WriteFailed };
    Status status = Status::Ok;
    int error = 0; // errno, or system_reason::kNotARegularFile
    QString reason;

    bool ok() const { return status == Status::Ok; }
};

struct AtomicWriteOptions
{
    // Mode of the written file; by default an existing file keeps its own and
    // a new one gets 0666 less the umask.
    std::optional<mode_t> mode;
};

AtomicWriteResult writeFileAtomically(const QString& path, const QByteArray& content,
                                      const AtomicWriteOptions& options = {});

// Throws "Cannot create file ..." or "Stream write error" when the write fails.
void writeFileAtomicallyOrThrow(const QString& path, const QByteArray& content);

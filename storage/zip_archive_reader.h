#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Reads the members of a zip archive held in memory, through minizip: the
// same library libxlsxwriter writes workbooks with, so only one zip
// implementation of that interface lives in the process.
class ZipArchiveReader
{
  public:
    // A member larger than this once unpacked is refused rather than
    // inflated, whatever the archive claims its size is.
    static constexpr qint64 kMaxMemberBytes = 512LL * 1024 * 1024;

    explicit ZipArchiveReader(const QByteArray& archive);
    ~ZipArchiveReader();
    ZipArchiveReader(const ZipArchiveReader&) = delete;
    ZipArchiveReader& operator=(const ZipArchiveReader&) = delete;

    bool isOpen() const { return handle_ != nullptr; }
    // Names compare without regard to case, as the format allows.
    bool has(const QString& name);
    // The unpacked member; nothing when it is missing, damaged (its checksum
    // does not match) or too large.
    std::optional<QByteArray> member(const QString& name);

    struct Stream
    {
        const QByteArray* bytes;
        qint64 position = 0;
    };

  private:
    Stream stream_;
    void* handle_ = nullptr;
};

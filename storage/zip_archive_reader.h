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
    // The largest member unpacked: a worksheet of a million rows of a few
    // columns is about 200 MB. A member that declares more is refused
    // before a byte is inflated, one that unpacks to more as soon as it
    // passes the limit; a worksheet is read in pieces, never held whole.
    static constexpr qint64 kMaxMemberBytes = 512LL * 1024 * 1024;
    // The largest member read whole (the workbook's list of sheets, its
    // relationships, its styles): real ones are a few kilobytes.
    static constexpr qint64 kMaxWholeMemberBytes = 32LL * 1024 * 1024;

    enum class Status { Ok, Missing, Damaged, TooLarge };

    explicit ZipArchiveReader(const QByteArray& archive);
    ~ZipArchiveReader();
    ZipArchiveReader(const ZipArchiveReader&) = delete;
    ZipArchiveReader& operator=(const ZipArchiveReader&) = delete;

    bool isOpen() const { return handle_ != nullptr; }
    // Names compare without regard to case, as the format allows.
    bool has(const QString& name);
    // The unpacked member; nothing when it is missing, damaged (its checksum
    // does not match) or larger than kMaxWholeMemberBytes.
    std::optional<QByteArray> member(const QString& name);

    // A member read in pieces, one at a time: open it, read until 0, close
    // it, which checks its checksum. Reading past `limit` unpacked bytes, or
    // a member whose declared size is past it, is TooLarge.
    Status openMember(const QString& name, qint64 limit = kMaxMemberBytes);
    // Up to `capacity` further bytes; 0 at the member's end, -1 when it is
    // damaged or too large (closeMember() says which).
    qint64 readMember(char* buffer, qint64 capacity);
    Status closeMember();

    struct Stream
    {
        const QByteArray* bytes;
        qint64 position = 0;
    };

  private:
    Stream stream_;
    void* handle_ = nullptr;
    bool memberOpen_ = false;
    qint64 memberLimit_ = 0;
    qint64 memberRead_ = 0;
    Status memberStatus_ = Status::Ok;
};

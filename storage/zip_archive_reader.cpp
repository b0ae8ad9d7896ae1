#include "storage/zip_archive_reader.h"

#include <minizip/unzip.h>

#include <algorithm>
#include <cstring>

namespace {

using Stream = ZipArchiveReader::Stream;

voidpf ZCALLBACK openStream(voidpf opaque, const void*, int)
{
    return opaque;
}

uLong ZCALLBACK readStream(voidpf, voidpf stream, void* buffer, uLong size)
{
    auto* at = static_cast<Stream*>(stream);
    const qint64 left = std::max<qint64>(0, at->bytes->size() - at->position);
    const qint64 count = std::min<qint64>(left, static_cast<qint64>(size));
    if (count > 0)
        std::memcpy(buffer, at->bytes->constData() + at->position, static_cast<size_t>(count));
    at->position += count;
    return static_cast<uLong>(count);
}

uLong ZCALLBACK writeStream(voidpf, voidpf, const void*, uLong)
{
    return 0; // read only
}

ZPOS64_T ZCALLBACK tellStream(voidpf, voidpf stream)
{
    return static_cast<ZPOS64_T>(static_cast<Stream*>(stream)->position);
}

long ZCALLBACK seekStream(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    auto* at = static_cast<Stream*>(stream);
    const qint64 size = at->bytes->size();
    // Offsets come from the archive itself and may be anything.
    if (offset > static_cast<ZPOS64_T>(size))
        return -1;
    qint64 base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR)
        base = at->position;
    else if (origin == ZLIB_FILEFUNC_SEEK_END)
        base = size;
    else if (origin != ZLIB_FILEFUNC_SEEK_SET)
        return -1;
    const qint64 target = base + static_cast<qint64>(offset);
    if (target < 0 || target > size)
        return -1;
    at->position = target;
    return 0;
}

int ZCALLBACK closeStream(voidpf, voidpf)
{
    return 0;
}

int ZCALLBACK streamError(voidpf, voidpf)
{
    return 0;
}

} // namespace

ZipArchiveReader::ZipArchiveReader(const QByteArray& archive) : stream_{&archive}
{
    zlib_filefunc64_def functions{};
    functions.zopen64_file = openStream;
    functions.zread_file = readStream;
    functions.zwrite_file = writeStream;
    functions.ztell64_file = tellStream;
    functions.zseek64_file = seekStream;
    functions.zclose_file = closeStream;
    functions.zerror_file = streamError;
    functions.opaque = &stream_;
    handle_ = unzOpen2_64("workbook", &functions);
}

ZipArchiveReader::~ZipArchiveReader()
{
    if (handle_)
        unzClose(static_cast<unzFile>(handle_));
}

bool ZipArchiveReader::has(const QString& name)
{
    // 2: without regard to case.
    return handle_ &&
           unzLocateFile(static_cast<unzFile>(handle_), name.toUtf8().constData(), 2) == UNZ_OK;
}

std::optional<QByteArray> ZipArchiveReader::member(const QString& name)
{
    if (openMember(name, kMaxWholeMemberBytes) != Status::Ok)
        return std::nullopt;
    QByteArray content;
    char chunk[65536];
    qint64 got = 0;
    while ((got = readMember(chunk, sizeof chunk)) > 0)
        content.append(chunk, got);
    if (closeMember() != Status::Ok)
        return std::nullopt;
    return content;
}

ZipArchiveReader::Status ZipArchiveReader::openMember(const QString& name, qint64 limit)
{
    closeMember();
    if (!has(name))
        return Status::Missing;
    const auto zip = static_cast<unzFile>(handle_);
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
        return Status::Damaged;
    if (info.uncompressed_size > static_cast<ZPOS64_T>(limit))
        return Status::TooLarge;
    if (unzOpenCurrentFile(zip) != UNZ_OK)
        return Status::Damaged;
    memberOpen_ = true;
    memberLimit_ = limit;
    memberRead_ = 0;
    memberStatus_ = Status::Ok;
    return Status::Ok;
}

qint64 ZipArchiveReader::readMember(char* buffer, qint64 capacity)
{
    if (!memberOpen_ || memberStatus_ != Status::Ok)
        return -1;
    const auto wanted = static_cast<unsigned>(std::min<qint64>(capacity, 1 << 30));
    const int got = unzReadCurrentFile(static_cast<unzFile>(handle_), buffer, wanted);
    if (got < 0) {
        memberStatus_ = Status::Damaged;
        return -1;
    }
    // The archive's own sizes may lie; the bytes actually unpacked count.
    memberRead_ += got;
    if (memberRead_ > memberLimit_) {
        memberStatus_ = Status::TooLarge;
        return -1;
    }
    return got;
}

ZipArchiveReader::Status ZipArchiveReader::closeMember()
{
    if (!memberOpen_)
        return Status::Ok;
    memberOpen_ = false;
    // Reports a checksum that does not match once the whole member is read.
    const int closed = unzCloseCurrentFile(static_cast<unzFile>(handle_));
    if (memberStatus_ == Status::Ok && closed != UNZ_OK)
        memberStatus_ = Status::Damaged;
    return memberStatus_;
}

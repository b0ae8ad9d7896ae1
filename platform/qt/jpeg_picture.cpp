#include "platform/qt/jpeg_picture.h"

#include "base/app_error.h"
#include "base/file_paths.h"
#include "base/regular_file.h"
#include "base/system_reason.h"

#include <QFile>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jerror.h>
#include <jpeglib.h>
#include <unistd.h>

namespace {

// A title picture is a few megapixels; a header claiming more than this is
// corrupt or hostile and would otherwise cost gigabytes before the first row.
constexpr quint64 kMaxPixels = 100'000'000;
// Ordinary progressive files have about ten scans. Thousands of tiny scans
// make the decoder redo the whole picture each time, so refuse them.
constexpr int kMaxScans = 1000;
constexpr qint64 kReadChunk = 64 * 1024;

enum class Outcome { decoded, jpegError, tooLarge, tooManyScans, outOfMemory };

// Everything the decoder touches lives here, in the caller's frame, so that
// nothing is left in an indeterminate state by the jump back from an error.
struct DecodeSession
{
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    jpeg_source_mgr source{};
    jpeg_progress_mgr progress{};
    std::jmp_buf failure;
    Outcome failureKind = Outcome::jpegError;
    QFile* file = nullptr;
    QSize bound; // empty: the full size
    JOCTET buffer[kReadChunk];

    ~DecodeSession() { jpeg_destroy_decompress(&info); }
};

DecodeSession& sessionOf(j_common_ptr info)
{
    return *static_cast<DecodeSession*>(info->client_data);
}

// libjpeg's own handler ends the process; jump back to the decode call instead.
[[noreturn]] void failDecoding(j_common_ptr info)
{
    DecodeSession& session = sessionOf(info);
    session.failureKind = Outcome::jpegError;
    std::longjmp(session.failure, 1);
}

// Warnings (corrupt data, premature end) are not fatal and go nowhere.
void ignoreMessage(j_common_ptr) {}

void limitScans(j_common_ptr info)
{
    auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->input_scan_number <= kMaxScans)
        return;
    DecodeSession& session = sessionOf(info);
    session.failureKind = Outcome::tooManyScans;
    std::longjmp(session.failure, 1);
}

void startReading(j_decompress_ptr) {}

boolean fillBuffer(j_decompress_ptr info)
{
    DecodeSession& session = sessionOf(reinterpret_cast<j_common_ptr>(info));
    const qint64 got = session.file->read(reinterpret_cast<char*>(session.buffer), kReadChunk);
    if (got > 0) {
        session.source.bytes_in_buffer = static_cast<size_t>(got);
    } else {
        // Like the library's own file source: end the data with a fake EOI so
        // a cut-off picture still shows what was decoded. An empty file thus
        // counts as "not a JPEG file".
        WARNMS(info, JWRN_JPEG_EOF);
        session.buffer[0] = 0xFF;
        session.buffer[1] = JPEG_EOI;
        session.source.bytes_in_buffer = 2;
    }
    session.source.next_input_byte = session.buffer;
    return TRUE;
}

void skipData(j_decompress_ptr info, long count)
{
    jpeg_source_mgr& source = *info->src;
    while (count > static_cast<long>(source.bytes_in_buffer)) {
        count -= static_cast<long>(source.bytes_in_buffer);
        fillBuffer(info);
    }
    if (count > 0) {
        source.next_input_byte += count;
        source.bytes_in_buffer -= static_cast<size_t>(count);
    }
}

void stopReading(j_decompress_ptr) {}

void prepare(DecodeSession& session)
{
    session.info.err = jpeg_std_error(&session.errors);
    session.errors.error_exit = failDecoding;
    session.errors.output_message = ignoreMessage;
    session.info.client_data = &session;
}

void attachSource(DecodeSession& session)
{
    session.source.init_source = startReading;
    session.source.fill_input_buffer = fillBuffer;
    session.source.skip_input_data = skipData;
    session.source.resync_to_restart = jpeg_resync_to_restart;
    session.source.term_source = stopReading;
    session.info.src = &session.source;
    session.progress.progress_monitor = limitScans;
    session.info.progress = &session.progress;
}

// Adobe writers store CMYK inverted (0 = full ink); others store plain ink.
void cmykRowToRgb(const JSAMPLE* cmyk, uchar* rgb, JDIMENSION width, bool inverted)
{
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        rgb[0] = static_cast<uchar>(c * k / 255);
        rgb[1] = static_cast<uchar>(m * k / 255);
        rgb[2] = static_cast<uchar>(y * k / 255);
    }
}

// Holds the only setjmp. Returns through the jump with failureKind set, so all
// state it changes is in session or image, both owned by the caller.
Outcome decode(DecodeSession& session, QImage& image)
{
    if (setjmp(session.failure))
        return session.failureKind;
    // Creating keeps err and client_data but clears every other link.
    jpeg_create_decompress(&session.info);
    attachSource(session);
    jpeg_read_header(&session.info, TRUE);

    jpeg_decompress_struct& info = session.info;
    if (quint64(info.image_width) * info.image_height > kMaxPixels)
        return Outcome::tooLarge;
    const bool fourColour = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = fourColour ? JCS_CMYK : JCS_RGB;
    info.scale_num = 1;
    info.scale_denom = 1;
    if (!session.bound.isEmpty()) {
        while (info.scale_denom < 8 &&
               info.image_width / (info.scale_denom * 2) >= JDIMENSION(session.bound.width()) &&
               info.image_height / (info.scale_denom * 2) >= JDIMENSION(session.bound.height()))
            info.scale_denom *= 2;
        info.dct_method = JDCT_IFAST;
        info.do_fancy_upsampling = FALSE;
    }
    jpeg_start_decompress(&info);

    image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    if (image.isNull())
        return Outcome::outOfMemory;
    JSAMPARRAY cmykRow = nullptr;
    if (fourColour) {
        // Taken from the decoder's pool, so it goes with jpeg_destroy_decompress.
        cmykRow = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                            info.output_width * 4, 1);
    }
    while (info.output_scanline < info.output_height) {
        uchar* target = image.scanLine(int(info.output_scanline));
        if (fourColour) {
            jpeg_read_scanlines(&info, cmykRow, 1);
            cmykRowToRgb(cmykRow[0], target, info.output_width, info.saw_Adobe_marker);
        } else {
            JSAMPROW row = target;
            jpeg_read_scanlines(&info, &row, 1);
        }
    }
    jpeg_finish_decompress(&info);
    return Outcome::decoded;
}

} // namespace

QImage loadJpegPicture(const QString& path)
{
    return loadJpegPictureCovering(path, QSize());
}

QImage loadJpegPictureCovering(const QString& path, const QSize& bound)
{
    // Only a regular file: a pipe in the picture's place would hang the start.
    const regular_file::Opened opened = regular_file::openForReading(path);
    if (!opened.ok())
        throw AppError::cannotOpenFile(file_paths::fullPath(path),
                                       system_reason::text(opened.error));
    QFile file;
    if (!file.open(opened.descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(opened.descriptor);
        throw AppError::cannotOpenFile(file_paths::fullPath(path), system_reason::text(EIO));
    }

    auto session = std::make_unique<DecodeSession>();
    session->file = &file;
    session->bound = bound;
    prepare(*session);
    QImage image;
    switch (decode(*session, image)) {
    case Outcome::decoded:
        return image;
    case Outcome::jpegError:
        throw AppError::jpegError(session->errors.msg_code);
    case Outcome::tooLarge:
        throw AppError(QStringLiteral("Picture too large: %1 x %2 pixels")
                           .arg(session->info.image_width)
                           .arg(session->info.image_height));
    case Outcome::tooManyScans:
        throw AppError(QStringLiteral("Picture has too many scans (over %1)").arg(kMaxScans));
    case Outcome::outOfMemory:
        break;
    }
    throw AppError(QStringLiteral("Not enough memory for a picture of %1 x %2 pixels")
                       .arg(session->info.output_width)
                       .arg(session->info.output_height));
}

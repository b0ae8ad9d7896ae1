// Any bytes as the title picture: the loader gives a picture or its JPEG
// error, never a crash, a hang or an allocation the size of what the header
// claims.

#include "base/app_error.h"
#include "fuzz_support.h"
#include "platform/qt/jpeg_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzzFolder().filePath(QStringLiteral("bg.jpg"));
    writeWholeFile(path,
                   QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    try {
        const QImage picture = loadJpegPicture(path);
        FUZZ_CHECK(!picture.isNull() && picture.width() > 0 && picture.height() > 0);
        FUZZ_CHECK(picture.format() == QImage::Format_RGB888);
    } catch (const AppError& error) {
        // The decoder's own code, or one of the loader's refusals of a
        // picture too large or too costly to decode.
        const QString& message = error.message();
        FUZZ_CHECK(message.startsWith(QStringLiteral("JPEG error #")) ||
                   message.startsWith(QStringLiteral("Picture too large: ")) ||
                   message.startsWith(QStringLiteral("Picture has too many scans")) ||
                   message.startsWith(QStringLiteral("Not enough memory for a picture")));
    }
    return 0;
}

// Any bytes as the title picture: the loader gives a picture or its JPEG
// error, never a crash, a hang or an allocation the size of what the header
// claims.

#include "app/app_error.h"
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
        FUZZ_CHECK(error.message().startsWith(QStringLiteral("JPEG error #")));
    }
    return 0;
}

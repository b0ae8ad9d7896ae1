#include "support/working_directory.h"
#include "ui/stage/picture_cache.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

void writePicture(const QString& path, const QSize& size, const char* format)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(path, format));
}

TEST(PictureCache, DecodesWithinTheBoundAndRefusesWhatIsNoPicture)
{
    ScopedWorkingDirectory work;
    writePicture("large.jpg", QSize(3000, 2000), "JPG");
    writePicture("portrait.png", QSize(1200, 1600), "PNG");
    writePicture("small.png", QSize(60, 80), "PNG");
    writePicture("png-named.jpg", QSize(600, 800), "PNG");
    work.writeFile("text.jpg", "no picture");
    ASSERT_EQ(::mkfifo("pipe.jpg", 0600), 0); // never opened for good: no writer
    const QSize bound(300, 400);
    const struct
    {
        const char* file;
        QSize size; // 0 x 0: refused
    } rows[] = {
        {"large.jpg", QSize(300, 200)}, {"portrait.png", QSize(300, 400)},
        {"small.png", QSize(60, 80)},   {"png-named.jpg", QSize(300, 400)},
        {"text.jpg", QSize(0, 0)},      {"pipe.jpg", QSize(0, 0)},
        {"missing.png", QSize(0, 0)},
    };
    for (const auto& row : rows)
        EXPECT_EQ(decodePicture(row.file, bound).size(), row.size) << row.file;
}

TEST(PictureCache, KeepsItsBudgetAndAnswersOnlyWhatIsDecoded)
{
    ScopedWorkingDirectory work;
    for (int i = 0; i < 6; ++i)
        writePicture(QStringLiteral("%1.png").arg(i), QSize(100, 100), "PNG");
    // Room for two 100 x 100 pictures of 4 bytes a pixel.
    PictureCache cache(QSize(100, 100), 2 * 100 * 100 * 4);
    for (int i = 0; i < 6; ++i) {
        const QString path = QStringLiteral("%1.png").arg(i);
        EXPECT_TRUE(cache.decoded(path).isNull()) << "never asked, never decoded";
        EXPECT_TRUE(cache.picture(path).isNull()) << "asked now, decoded later";
        cache.waitForDecoding();
        EXPECT_FALSE(cache.decoded(path).isNull()) << path.toStdString();
        EXPECT_LE(cache.bytes(), 2 * 100 * 100 * 4);
    }
    EXPECT_FALSE(cache.decoded("5.png").isNull());
    EXPECT_TRUE(cache.decoded("0.png").isNull()) << "the least recently shown went first";
    cache.clear();
    EXPECT_EQ(cache.bytes(), 0);
}

} // namespace

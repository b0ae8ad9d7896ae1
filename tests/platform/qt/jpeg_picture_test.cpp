#include "jpeg_writer.h"
#include "platform/qt/jpeg_picture.h"

#include "base/app_error.h"
#include "support/working_directory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

QString errorOf(const QString& path)
{
    try {
        loadJpegPicture(path);
    } catch (const AppError& error) {
        return error.message();
    }
    return QStringLiteral("(no error)");
}

::testing::AssertionResult near(QRgb actual, int red, int green, int blue)
{
    const int tolerance = 12;
    if (std::abs(qRed(actual) - red) <= tolerance &&
        std::abs(qGreen(actual) - green) <= tolerance &&
        std::abs(qBlue(actual) - blue) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "got (" << qRed(actual) << ", " << qGreen(actual) << ", " << qBlue(actual)
           << "), expected about (" << red << ", " << green << ", " << blue << ")";
}

// Left half red, right half blue.
QByteArray twoColourPicture(int width, int height, bool progressive = false)
{
    JpegRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.progressive = progressive;
    recipe.pixel = [width](int x, int, JSAMPLE* out) {
        const bool left = x < width / 2;
        out[0] = left ? 255 : 0;
        out[1] = 0;
        out[2] = left ? 0 : 255;
    };
    return encodeJpeg(recipe);
}

TEST(JpegPicture, ColourPictureKeepsItsOwnSizeAndColours)
{
    ScopedWorkingDirectory dir;
    dir.writeFile("bg.jpg", twoColourPicture(123, 45));
    dir.writeFile("progressive.jpg", twoColourPicture(123, 45, true));
    for (const char* name : {"bg.jpg", "progressive.jpg"}) {
        SCOPED_TRACE(name);
        const QImage image = loadJpegPicture(name);
        EXPECT_EQ(image.format(), QImage::Format_RGB888);
        EXPECT_EQ(image.size(), QSize(123, 45));
        EXPECT_TRUE(near(image.pixel(10, 20), 255, 0, 0));
        EXPECT_TRUE(near(image.pixel(110, 40), 0, 0, 255));
    }
}

TEST(JpegPicture, GrayscaleAndCmykPicturesComeOutInColourForm)
{
    ScopedWorkingDirectory dir;
    JpegRecipe grey;
    grey.width = 64;
    grey.height = 8;
    grey.colourSpace = JCS_GRAYSCALE;
    grey.components = 1;
    grey.pixel = [](int x, int, JSAMPLE* out) { *out = JSAMPLE(x * 4); };
    dir.writeFile("grey.jpg", encodeJpeg(grey));

    // Stored the Adobe way, inverted: 255 means no ink. Thirds: red ink
    // (magenta + yellow), black ink, no ink.
    JpegRecipe cmyk;
    cmyk.width = 48;
    cmyk.height = 16;
    cmyk.colourSpace = JCS_CMYK;
    cmyk.components = 4;
    cmyk.pixel = [](int x, int, JSAMPLE* out) {
        const int third = x / 16;
        out[0] = 255;
        out[1] = third == 0 ? 0 : 255;
        out[2] = third == 0 ? 0 : 255;
        out[3] = third == 1 ? 0 : 255;
    };
    dir.writeFile("cmyk.jpg", encodeJpeg(cmyk));

    const QImage greyImage = loadJpegPicture("grey.jpg");
    EXPECT_EQ(greyImage.format(), QImage::Format_RGB888);
    EXPECT_EQ(greyImage.size(), QSize(64, 8));
    EXPECT_TRUE(near(greyImage.pixel(20, 4), 80, 80, 80));
    EXPECT_TRUE(near(greyImage.pixel(60, 4), 240, 240, 240));

    const QImage cmykImage = loadJpegPicture("cmyk.jpg");
    EXPECT_EQ(cmykImage.format(), QImage::Format_RGB888);
    EXPECT_EQ(cmykImage.size(), QSize(48, 16));
    EXPECT_TRUE(near(cmykImage.pixel(6, 8), 255, 0, 0));
    EXPECT_TRUE(near(cmykImage.pixel(24, 8), 0, 0, 0));
    EXPECT_TRUE(near(cmykImage.pixel(42, 8), 255, 255, 255));
}

TEST(JpegPicture, UnreadableFileNamesItsFullPathAndTheReason)
{
    ScopedWorkingDirectory dir;
    const QString full = QDir::toNativeSeparators(QFileInfo("missing.jpg").absoluteFilePath());
    // The reason is the system's, in the user interface's language.
    QFile missing("missing.jpg");
    ASSERT_FALSE(missing.open(QIODevice::ReadOnly));
    EXPECT_EQ(errorOf("missing.jpg").toStdString(), QStringLiteral("Cannot open file \"%1\". %2")
                                                        .arg(full, missing.errorString())
                                                        .toStdString());
    EXPECT_TRUE(errorOf(QString()).startsWith(QStringLiteral("Cannot open file \"\". ")));
    QDir(dir.path()).mkdir("folder.jpg");
    EXPECT_TRUE(errorOf("folder.jpg").startsWith(QStringLiteral("Cannot open file \"")));
}

TEST(JpegPicture, FilesThatAreNoJpegGiveTheDecodersCode53)
{
    ScopedWorkingDirectory dir;
    dir.writeFile("text.jpg", "this is not a picture");
    dir.writeFile("empty.jpg", QByteArray());
    EXPECT_EQ(errorOf("text.jpg"), QStringLiteral("JPEG error #53"));
    EXPECT_EQ(errorOf("empty.jpg"), QStringLiteral("JPEG error #53"));
}

TEST(JpegPicture, CutOffPictureShowsWhatWasDecoded)
{
    ScopedWorkingDirectory dir;
    const QByteArray whole = twoColourPicture(256, 256);
    dir.writeFile("half.jpg", whole.left(whole.size() / 2));
    const QImage image = loadJpegPicture("half.jpg");
    EXPECT_EQ(image.size(), QSize(256, 256));
    EXPECT_TRUE(near(image.pixel(10, 4), 255, 0, 0));
    EXPECT_TRUE(near(image.pixel(250, 4), 0, 0, 255));

    // Cut before any picture data: nothing to show, so it is an error.
    const int startOfScan = whole.indexOf("\xFF\xDA");
    ASSERT_GT(startOfScan, 0);
    dir.writeFile("header.jpg", whole.left(startOfScan));
    EXPECT_TRUE(errorOf("header.jpg").startsWith(QStringLiteral("JPEG error #")))
        << errorOf("header.jpg").toStdString();
}

TEST(JpegPicture, AbsurdDeclaredSizeIsRefusedBeforeDecoding)
{
    ScopedWorkingDirectory dir;
    QByteArray bytes = twoColourPicture(16, 16);
    const int frame = bytes.indexOf("\xFF\xC0");
    ASSERT_GT(frame, 0);
    // FF C0, length (2), precision (1), height (2), width (2).
    const char size[] = {char(0xEA), char(0x60), char(0xEA), char(0x60)};
    bytes.replace(frame + 5, 4, QByteArray(size, 4));
    dir.writeFile("huge.jpg", bytes);
    EXPECT_EQ(errorOf("huge.jpg"), QStringLiteral("Picture too large: 60000 x 60000 pixels"));
}

TEST(JpegPicture, EndlessProgressiveRefinementIsRefused)
{
    ScopedWorkingDirectory dir;
    const QByteArray progressive = twoColourPicture(64, 64, true);
    const int lastScan = progressive.lastIndexOf("\xFF\xDA");
    const int end = progressive.lastIndexOf("\xFF\xD9");
    ASSERT_GT(lastScan, 0);
    ASSERT_GT(end, lastScan);
    const QByteArray scan = progressive.mid(lastScan, end - lastScan);
    dir.writeFile("scans.jpg", progressive.left(end) + scan.repeated(1100) + "\xFF\xD9");
    EXPECT_EQ(errorOf("scans.jpg"), QStringLiteral("Picture has too many scans (over 1000)"));
}

} // namespace

// Title pictures and music files that are not what they claim, and a desktop
// folder that is a file.

#include "platform/qt/desktop_launcher.h"
#include "platform/qt/jpeg_picture.h"
#include "platform/qt/wav_sound_player.h"
#include "reliability_support.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QTest>

namespace {

QByteArray jpegBytes(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

// A small JPEG whose frame header claims width × height.
QByteArray jpegDeclaring(quint16 width, quint16 height)
{
    QByteArray bytes = jpegBytes(16, 16);
    const qsizetype frame = bytes.indexOf("\xFF\xC0");
    if (frame < 0)
        return QByteArray();
    bytes[frame + 5] = char(height >> 8);
    bytes[frame + 6] = char(height & 0xFF);
    bytes[frame + 7] = char(width >> 8);
    bytes[frame + 8] = char(width & 0xFF);
    return bytes;
}

QString jpegErrorOf(const QString& path)
{
    const QString message = errorOf([&] { loadJpegPicture(path); });
    return message;
}

TEST(TitlePicture, NotAJpegOrDeclaringAHugeFrameGivesTheJpegError)
{
    ScopedWorkingDirectory dir;
    dir.writeFile("text.jpg", "this is not a picture\r\n");
    dir.writeFile("empty.jpg", "");
    dir.writeFile("png.jpg", [] {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImage(4, 4, QImage::Format_RGB888).save(&buffer, "PNG");
        return bytes;
    }());
    const QByteArray huge = jpegDeclaring(60000, 60000);
    ASSERT_FALSE(huge.isEmpty());
    dir.writeFile("huge.jpg", huge);
    for (const char* name : {"text.jpg", "empty.jpg", "png.jpg"})
        EXPECT_TRUE(jpegErrorOf(QLatin1String(name)).startsWith(QStringLiteral("JPEG error #")))
            << name << ": " << jpegErrorOf(QLatin1String(name)).toStdString();
    // An absurd declared size is refused before any large allocation.
    EXPECT_EQ(jpegErrorOf(QStringLiteral("huge.jpg")),
              QStringLiteral("Picture too large: 60000 x 60000 pixels"));
}

// libjpeg treats a premature end as a warning and fills in the rest, so a
// cut file gives either its picture at full size or the JPEG error.
TEST(TitlePicture, TruncatedJpegGivesThePictureOrTheJpegErrorNeverACrash)
{
    ScopedWorkingDirectory dir;
    const QByteArray whole = jpegBytes(64, 48);
    for (const qsizetype cut : {qsizetype(2), qsizetype(20), whole.size() / 3, whole.size() - 2}) {
        dir.writeFile("cut.jpg", whole.left(cut));
        try {
            const QImage picture = loadJpegPicture(QStringLiteral("cut.jpg"));
            EXPECT_EQ(picture.size(), QSize(64, 48)) << cut;
            std::printf("cut at %lld of %lld bytes: a 64 x 48 picture\n",
                        static_cast<long long>(cut), static_cast<long long>(whole.size()));
        } catch (const AppError& error) {
            EXPECT_TRUE(error.message().startsWith(QStringLiteral("JPEG error #")))
                << error.message().toStdString();
            std::printf("cut at %lld of %lld bytes: %s\n", static_cast<long long>(cut),
                        static_cast<long long>(whole.size()), qPrintable(error.message()));
        }
    }
}

TEST_F(StartUpTest, HugeDeclaredPictureIsReportedAndTheWindowOpens)
{
    dir.writeFile("bg.jpg", jpegDeclaring(60000, 60000));
    window();
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_TRUE(fakes.boxes.shown[0].text.startsWith(QStringLiteral("Picture too large")));
    EXPECT_EQ(dir.readFile(QLatin1String(working_files::kResults)), QByteArray());
}

QByteArray waveHeader(quint32 riffSize, quint32 dataSize)
{
    QByteArray header("RIFF");
    auto u32 = [&](quint32 v) {
        for (int i = 0; i < 4; ++i)
            header.append(char((v >> (8 * i)) & 0xFF));
    };
    auto u16 = [&](quint16 v) {
        header.append(char(v & 0xFF));
        header.append(char(v >> 8));
    };
    u32(riffSize);
    header.append("WAVEfmt ");
    u32(16);
    u16(1);     // PCM
    u16(1);     // mono
    u32(8000);  // samples per second
    u32(16000); // bytes per second
    u16(2);     // block
    u16(16);    // bits
    header.append("data");
    u32(dataSize);
    return header;
}

QByteArray waveFile(int samples)
{
    QByteArray data(samples * 2, '\0');
    for (int i = 0; i < samples; ++i)
        data[2 * i + 1] = char((i % 16) * 8);
    return waveHeader(quint32(36 + data.size()), quint32(data.size())) + data;
}

// The player must return at once and stay silent on every one of these, also
// when asked to loop; it is then asked to play the next, as the draw does.
TEST(Music, BrokenWaveFilesGiveSilenceWithoutBlocking)
{
    ScopedWorkingDirectory dir;
    dir.writeFile("text.wav", "not a wave file at all");
    dir.writeFile("empty.wav", "");
    dir.writeFile("cut_header.wav", waveFile(800).left(30));
    dir.writeFile("cut_data.wav", waveFile(800).left(44 + 301));
    dir.writeFile("huge_data.wav", waveHeader(0xFFFFFFF8u, 0xFFFFFFF0u) + QByteArray(64, '\x10'));
    dir.writeFile("huge_riff.wav", waveHeader(0x7FFFFFFFu, 1600) + QByteArray(1600, '\x20'));
    QDir(dir.path()).mkdir("folder.wav");

    WavSoundPlayer player;
    QElapsedTimer timer;
    for (const char* name :
         {".\\text.wav", ".\\empty.wav", ".\\cut_header.wav", ".\\cut_data.wav", ".\\huge_data.wav",
          ".\\huge_riff.wav", ".\\folder.wav", ".\\missing.wav", ".\\\xff\x81.wav", ""}) {
        for (unsigned flags : {SoundPlayer::kAsync | SoundPlayer::kLoop, SoundPlayer::kAsync}) {
            timer.start();
            player.play(QByteArray(name), flags);
            std::printf("play %-20s flags %u: returned after %lld ms\n", name, flags,
                        static_cast<long long>(timer.elapsed()));
            QTest::qWait(50); // let any decoding or output run
        }
    }
    player.play(QByteArray(".\\missing.wav"), SoundPlayer::kAsync);
    QTest::qWait(50);
}

TEST(DesktopShortcut, ADesktopFolderThatIsAFileIsPassedOverInSilence)
{
    ScopedWorkingDirectory dir;
    dir.writeFile("Desktop", "a file, not a folder");
    FakeDesktopEnvironment desktop;
    desktop.folder = dir.filePath("Desktop");
    writeDesktopLauncher(desktop);
    EXPECT_EQ(dir.readFile("Desktop"), "a file, not a folder");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{"Desktop"});
}

TEST_F(StartUpTest, ShowingTheWindowWithADesktopFolderThatIsAFileShowsNoBox)
{
    dir.writeFile("Desktop", "a file");
    fakes.desktop.folder = dir.filePath("Desktop");
    window().show();
    QTest::qWait(20);
    EXPECT_TRUE(fakes.boxes.shown.empty());
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(dir.readFile("Desktop"), "a file");
}

} // namespace

#include "ui/main_window/main_window_fixture.h"
#include "ui/stage/draw_board.h"
#include "ui/stage/draw_status_view.h"
#include "ui/stage/stage_mode.h"
#include "ui/stage/stage_pictures.h"

#include <QDir>
#include <QScreen>
#include <QTest>

namespace {

class StagePicturesTest : public MainWindowTest
{
  protected:
    void writePicture(const QString& name, const QColor& colour, const char* format)
    {
        QImage picture(120, 160, QImage::Format_RGB32);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(dir.filePath(name), format));
    }
    DrawBoard* board() { return window().drawStatusView()->board(); }
    void decoded()
    {
        StagePictures* pictures = window().drawStatusView()->pictures();
        pictures->photos().waitForDecoding();
        pictures->prizes().waitForDecoding();
    }
    // How many of the board's pixels are near the colour.
    int pixelsOf(const QColor& colour)
    {
        const QImage seen = board()->grab().toImage();
        int count = 0;
        for (int y = 0; y < seen.height(); y += 2)
            for (int x = 0; x < seen.width(); x += 2) {
                const QColor pixel = seen.pixelColor(x, y);
                count += std::abs(pixel.red() - colour.red()) +
                             std::abs(pixel.green() - colour.green()) +
                             std::abs(pixel.blue() - colour.blue()) <
                         60;
            }
        return count;
    }
};

TEST_F(StagePicturesTest, TheBoardShowsTheWinnersPhotoAndThePrizePicture)
{
    dir.writeFile("rafflixset.ini",
                  G("[基本设置]\r\n标题背景=.\\bg.jpg\r\n[奖项设置]\r\n"
                    "特等奖人数=1\r\n五等奖人数=5\r\n[舞台与隐私]\r\n照片列=工号\r\n"));
    dir.writeFile("rafflixlist.txt", G("张三\t1001\r\n李四\t1002\r\n王五\t1003\r\n赵六\t1004\r\n钱"
                                       "七\t1005\r\n孙八\t1006\r\n周九\t1007\r\n吴十\t1008\r\n"));
    dir.writeFile("rafflixcolumns.txt", G("姓名\t工号\r\n"));
    QDir(dir.path()).mkpath("照片");
    QDir(dir.path()).mkpath("奖品图片");
    const QColor red(0xe0, 0x20, 0x20), green(0x20, 0xc0, 0x20), blue(0x20, 0x40, 0xe0);
    writePicture("照片/1001.png", red, "PNG");
    writePicture("照片/1002.jpg", green, "JPG");
    writePicture("奖品图片/五等奖.png", blue, "PNG");
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    window().stageMode()->enter();
    QTRY_COMPARE(window().size(), window().screen()->geometry().size());

    int withPhotos = 0;
    for (int draw = 0; draw < 5; ++draw) {
        fakes.clock.time = fakes.clock.time.addSecs(1);
        window().btn3Click(); // Start
        window().tmr1Timer();
        decoded();
        EXPECT_TRUE(board()->pictures().photoSpace);
        EXPECT_GT(pixelsOf(blue), 100) << "the prize while its names roll";
        window().btn3Click(); // Stop
        decoded();
        const QByteArray winner = board()->winners().at(0);
        const bool photo = winner.endsWith("1001") || winner.endsWith("1002");
        withPhotos += photo;
        EXPECT_EQ(board()->pictures().photoSpace, photo) << winner.constData();
        EXPECT_GT(pixelsOf(blue), 100) << "the prize beside its winner";
        EXPECT_EQ(pixelsOf(red) > 100, winner.endsWith("1001")) << winner.constData();
        EXPECT_EQ(pixelsOf(green) > 100, winner.endsWith("1002")) << winner.constData();
    }
    EXPECT_GT(withPhotos, 0) << "the clock drew someone with a photo";
}

} // namespace

#include "platform/qt/cjk_fonts.h"
#include "storage/prize_level.h"
#include "storage/program_settings.h"
#include "storage/settings_file.h"
#include "ui/main_window/main_window_fixture.h"
#include "ui/stage/stage_mode.h"

#include <QPainter>
#include <QScreen>
#include <QTest>

namespace {

int inkedPixels(const QFont& font, const QString& text)
{
    QImage image(QFontMetrics(font).horizontalAdvance(text) + 40, font.pixelSize() * 2,
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(20, font.pixelSize() * 3 / 2, text);
    painter.end();
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            inked += qGray(image.pixel(x, y)) < 128;
    return inked;
}

TEST(StageText, LargeBoldTextIsDrawnBold)
{
    const QString text = QStringLiteral("年会抽奖");
    for (int pixels : {53, 120}) {
        SCOPED_TRACE(pixels);
        const QFont regular = cjkFont("楷体", pixels, false);
        const QFont bold = cjkFont("楷体", pixels, true);
        EXPECT_GT(inkedPixels(bold, text), inkedPixels(regular, text) * 11 / 10);
    }
}

TEST_F(MainWindowTest, StageBannerStaysWithinThePictureAndKeepsItsLook)
{
    using namespace setting_names;
    window();
    writeSetting(prizeSection(), showPrizes(), yes());
    for (PrizeLevel level : {PrizeLevel::Grand, PrizeLevel::First, PrizeLevel::Second})
        writeSetting(prizeSection(), levelPrizeKey(level), G("豪华轿车一辆外加欧洲双人十日游"));
    window().loadMainWindowState();
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    auto* lbl1 = control<QLabel>("lbl1");
    auto* img1 = control<QLabel>("img1");
    const QColor bannerColour = lbl1->palette().color(QPalette::WindowText);
    ASSERT_GT(lbl1->geometry().right(), img1->geometry().right()); // runs past, as designed

    window().stageMode()->enter();
    QTRY_COMPARE(window().size(), window().screen()->geometry().size());
    EXPECT_LE(lbl1->geometry().right(), img1->geometry().right());
    EXPECT_TRUE(lbl1->font().bold());
    EXPECT_EQ(lbl1->palette().color(QPalette::WindowText), bannerColour);
    EXPECT_TRUE(control<QLabel>("lbl2")->font().bold());

    // Back in the window, the banner has its own font and extent again.
    window().stageMode()->leave();
    EXPECT_EQ(lbl1->font().pixelSize(), 23);
    EXPECT_GT(lbl1->geometry().right(), img1->geometry().right());
}

} // namespace

#include "ui/stage/stage_layout.h"

#include <gtest/gtest.h>

namespace {

struct Fit
{
    QSize screen;
    double scale;
    QRect area; // the design's 744 × 522 on that screen
};

TEST(StageLayout, FitsTheDesignIntoScreensKeepingItsProportionsCentred)
{
    const Fit fits[] = {
        {QSize(1920, 1080), 1080.0 / 522, QRect(190, 0, 1539, 1080)},
        {QSize(1024, 768), 1024.0 / 744, QRect(0, 25, 1024, 718)},
        {QSize(3840, 2160), 2160.0 / 522, QRect(380, 0, 3079, 2160)},
        {QSize(800, 600), 800.0 / 744, QRect(0, 19, 800, 561)},
        {QSize(744, 522), 1.0, QRect(0, 0, 744, 522)},
        {QSize(640, 480), 640.0 / 744, QRect(0, 15, 640, 449)},
    };
    for (const Fit& fit : fits) {
        const StageLayout layout = StageLayout::fitting(fit.screen);
        EXPECT_DOUBLE_EQ(layout.scale(), fit.scale) << fit.screen.width();
        EXPECT_EQ(layout.map(QRect(QPoint(0, 0), StageLayout::designSize())), fit.area)
            << fit.screen.width();
    }
    EXPECT_TRUE(StageLayout::fitting(QSize(744, 522)).isNormal());
    EXPECT_TRUE(StageLayout::fitting(QSize(0, 0)).isNormal());
}

TEST(StageLayout, ControlsThatTouchStayTouchingAndFontsStayVisible)
{
    const StageLayout layout = StageLayout::fitting(QSize(1920, 1080));
    const QRect left = layout.map(QRect(0, 505, 372, 17));
    const QRect right = layout.map(QRect(372, 505, 372, 17));
    EXPECT_EQ(left.right() + 1, right.left());
    EXPECT_EQ(layout.mapFontPixels(51), 106);
    EXPECT_EQ(StageLayout::fitting(QSize(10, 7)).mapFontPixels(12), 1);
}

} // namespace

#include "ui/stage/batch_grid.h"
#include "ui/stage/draw_board.h"
#include "ui/stage/part_fit.h"
#include "ui/stage/stage_layout.h"

#include <gtest/gtest.h>

namespace {

// Every character as wide as the font is high: CJK letters, the widest.
int squareCharacters(int pixels, const QString& text)
{
    return pixels * static_cast<int>(text.size());
}

TEST(BatchBoard, FiftyLinesOfTwentyFourCharactersAt1080GetOneLargeSizeFillingTheCells)
{
    const QSize screen(1920, 1080);
    const QRect board =
        DrawBoard::stageGeometry(StageLayout::fitting(screen), screen, /*coversDisplay=*/true);
    const QRect body = DrawBoard::boxesIn(QRect(QPoint(), board.size()), true).body;
    QStringList lines;
    for (int i = 0; i < 50; ++i)
        lines << QString(i % 3 ? 24 : 10, QChar(u'中'));
    const BatchGrid grid = layOutBatch(lines, body.size(), 1000, squareCharacters);
    EXPECT_GE(grid.pixelSize, 24) << grid.columns << " columns";
    const int cellWidth = body.width() / grid.columns - 2 * kCellPadding;
    EXPECT_LE(squareCharacters(grid.pixelSize, lines[1]), cellWidth);
    EXPECT_GE(squareCharacters(grid.pixelSize, lines[1]), cellWidth * 85 / 100);
    EXPECT_GE(grid.columns * grid.rows, 50);
}

TEST(StatusLine, FitsOrBreaksBetweenPartsNeverInsideOne)
{
    const QStringList parts = {QStringLiteral("抽奖完毕！全部奖项已抽出"), QStringLiteral("特等奖"),
                               QStringLiteral("奖品：华为Mate70手机"),
                               QStringLiteral("本次抽出 1 名")};
    const QString gap = QStringLiteral("　");
    struct Case
    {
        int width, design, minimum, lines, pixels;
        QStringList expected;
    };
    const Case cases[] = {
        {1000, 20, 12, 1, 20, {parts.join(gap)}},                           // fits at its size
        {700, 20, 12, 1, 17, {parts.join(gap)}},                            // a little smaller
        {400, 20, 12, 1, 16, {parts.mid(0, 2).join(gap) + gap + parts[3]}}, // the prize left out
        {400, 40, 12, 2, 18, {parts.mid(0, 2).join(gap), parts.mid(2).join(gap)}}, // two lines
    };
    for (const Case& c : cases) {
        const FittedParts fitted =
            fitParts(parts, gap, c.width, c.design, c.minimum, c.lines, 2, squareCharacters);
        EXPECT_EQ(fitted.lines, c.expected) << c.width;
        EXPECT_EQ(fitted.pixelSize, c.pixels) << c.width;
        for (const QString& line : fitted.lines)
            EXPECT_LE(squareCharacters(fitted.pixelSize, line), c.width) << c.width;
    }
}

} // namespace

#include "ui/stage/batch_grid.h"
#include "ui/stage/display_fit.h"

#include <QRegion>
#include <gtest/gtest.h>

namespace {

// Every character is as wide as the font is high: a simple, exact measure.
int squareCharacters(int pixels, const QString& text)
{
    return pixels * static_cast<int>(text.size());
}

TEST(DisplayFit, KeepsTheFontWhenTheLineFitsAndShrinksItOtherwise)
{
    EXPECT_EQ(fitLine(QStringLiteral("张伟"), 200, 50, 20, squareCharacters).pixelSize, 50);
    const FittedLine shrunk =
        fitLine(QStringLiteral("张伟市场部0123"), 300, 50, 20, squareCharacters);
    EXPECT_EQ(shrunk.pixelSize, 33) << "the largest size that fits: 9 characters in 300";
    EXPECT_EQ(shrunk.text, QStringLiteral("张伟市场部0123"));
    EXPECT_FALSE(shrunk.shortened);
    EXPECT_EQ(fitLine(QString(), 10, 50, 20, squareCharacters).pixelSize, 50);
}

TEST(DisplayFit, BelowTheMinimumTheLineKeepsItsBeginningAndItsEnd)
{
    const QString line = QStringLiteral("张伟 市场部 110101199001011234");
    const FittedLine fitted = fitLine(line, 200, 50, 20, squareCharacters);
    EXPECT_EQ(fitted.pixelSize, 20);
    EXPECT_TRUE(fitted.shortened);
    EXPECT_EQ(fitted.text.size(), 10) << "as many characters as fit at the minimum";
    EXPECT_TRUE(fitted.text.startsWith(QStringLiteral("张伟 市")));
    EXPECT_TRUE(fitted.text.endsWith(QStringLiteral("1234")));
    EXPECT_TRUE(fitted.text.contains(kShortenedMark));
    EXPECT_LE(squareCharacters(20, fitted.text), 200);
}

TEST(DisplayFit, ShorteningNeverSplitsACharacterOutsideTheBasicPlane)
{
    const QString line = QString::fromUtf8("𠀀𠀁𠀂𠀃𠀄𠀅𠀆𠀇");
    const QString cut = shortenInTheMiddle(line, 7 * 10, 10, squareCharacters);
    for (int i = 0; i < cut.size(); ++i) {
        if (cut.at(i).isHighSurrogate()) {
            EXPECT_TRUE(i + 1 < cut.size() && cut.at(i + 1).isLowSurrogate()) << i;
        }
        if (cut.at(i).isLowSurrogate()) {
            EXPECT_TRUE(i > 0 && cut.at(i - 1).isHighSurrogate()) << i;
        }
    }
}

TEST(BatchGrid, FiftyLongLinesGetLargeLettersInDistinctCellsInsideTheArea)
{
    // The stage board at 1920 x 1080: about 1440 x 540 for the names; a
    // winner line of 15 character widths.
    const QSize area(1440, 540);
    const BatchGrid grid = chooseBatchGrid(50, area, 300, 1500, 100);
    // 22 pixels of 1080 are about 3.5 cm on a 3 m wide screen.
    EXPECT_GE(grid.pixelSize, 22) << grid.columns << " columns";
    EXPECT_GE(grid.columns * grid.rows, 50);
    EXPECT_LE(grid.pixelSize * 15, area.width() / grid.columns);
    const QRect whole(QPoint(0, 0), area);
    QRegion covered;
    for (int i = 0; i < 50; ++i) {
        const QRect cell = grid.cell(i, whole);
        EXPECT_TRUE(whole.contains(cell)) << i;
        EXPECT_FALSE(covered.intersects(cell)) << i;
        covered += cell;
    }
    EXPECT_EQ(chooseBatchGrid(1, area, 120, 300, 100).columns, 1);
    EXPECT_EQ(chooseBatchGrid(1, area, 120, 300, 100).pixelSize, 120);
}

} // namespace

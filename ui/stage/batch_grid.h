#pragma once

#include <QRect>
#include <QSize>

// The grid a batch of winner lines is shown in: as many columns as give the
// largest letters, every line in a cell of its own.
struct BatchGrid
{
    int columns = 1;
    int rows = 1;
    int pixelSize = 0;

    QRect cell(int index, const QRect& area) const;
};

// widestAtReference: the advance of the widest line at referencePixels; the
// width of a line grows in proportion to the font size.
BatchGrid chooseBatchGrid(int lines, const QSize& area, int maximumPixels, int widestAtReference,
                          int referencePixels);

// The share of a cell's height the letters take, and the padding either side.
inline constexpr double kLetterShareOfRow = 0.72;
inline constexpr int kCellPadding = 16;

#pragma once

#include "ui/stage/display_fit.h"

#include <QRect>
#include <QSize>
#include <QStringList>

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

// The grid for the lines and one letter size for all of them: the largest at
// which every line fits its cell as measured, not only as estimated from its
// width at another size.
BatchGrid layOutBatch(const QStringList& lines, const QSize& area, int maximumPixels,
                      const TextWidth& width);

// The share of a cell's height the letters take, and the padding either side.
inline constexpr double kLetterShareOfRow = 0.72;
inline constexpr int kCellPadding = 8;

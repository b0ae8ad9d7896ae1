#include "ui/stage/batch_grid.h"

#include <algorithm>
#include <cmath>

QRect BatchGrid::cell(int index, const QRect& area) const
{
    // Filled column by column, so the list reads top to bottom like the results.
    const int column = index / rows;
    const int row = index % rows;
    const int left = area.left() + area.width() * column / columns;
    const int right = area.left() + area.width() * (column + 1) / columns;
    const int top = area.top() + area.height() * row / rows;
    const int bottom = area.top() + area.height() * (row + 1) / rows;
    return QRect(left, top, right - left, bottom - top);
}

BatchGrid chooseBatchGrid(int lines, const QSize& area, int maximumPixels, int widestAtReference,
                          int referencePixels)
{
    BatchGrid best;
    best.rows = std::max(1, lines);
    if (lines <= 0 || area.isEmpty())
        return best;
    for (int columns = 1; columns <= lines; ++columns) {
        const int rows = (lines + columns - 1) / columns;
        if ((rows - 1) * columns >= lines)
            continue; // the same rows with an empty column
        const double cellWidth = double(area.width()) / columns - 2 * kCellPadding;
        const double cellHeight = double(area.height()) / rows;
        double pixels = std::min<double>(maximumPixels, cellHeight * kLetterShareOfRow);
        if (widestAtReference > 0)
            pixels = std::min(pixels, cellWidth * referencePixels / widestAtReference);
        const int size = std::max(1, static_cast<int>(std::floor(pixels)));
        if (size > best.pixelSize) {
            best.columns = columns;
            best.rows = rows;
            best.pixelSize = size;
        }
    }
    return best;
}

BatchGrid layOutBatch(const QStringList& lines, const QSize& area, int maximumPixels,
                      const TextWidth& width)
{
    constexpr int kReferencePixels = 100;
    int widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, width(kReferencePixels, line));
    BatchGrid grid = chooseBatchGrid(static_cast<int>(lines.size()), area, maximumPixels, widest,
                                     kReferencePixels);
    // The narrowest cell of the grid, as cell() rounds the column edges.
    const int room = area.width() / grid.columns - 2 * kCellPadding;
    const int tallest = std::min<int>(
        maximumPixels, static_cast<int>(area.height() / grid.rows * kLetterShareOfRow));
    auto allFit = [&](int pixels) {
        return std::all_of(lines.begin(), lines.end(),
                           [&](const QString& line) { return width(pixels, line) <= room; });
    };
    // Letters do not grow exactly with their size (hinting): measured anew.
    while (grid.pixelSize > 1 && !allFit(grid.pixelSize))
        --grid.pixelSize;
    while (grid.pixelSize < tallest && allFit(grid.pixelSize + 1))
        ++grid.pixelSize;
    return grid;
}

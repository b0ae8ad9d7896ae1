#pragma once

#include "ui/stage/display_fit.h"

#include <QStringList>

// A line made of parts (the level, the prize, the counts) fitted to a width:
// at the largest size at which it fits on one line, else broken between
// parts onto up to maxLines lines, never inside a part. A line that fits no
// way at the minimum size leaves out whole parts: first the one at
// dropFirst (the prize, the longest one), then from the end.
struct FittedParts
{
    int pixelSize = 0;
    QStringList lines;
};

// designPixels: the letter size of one line; n lines share its height.
FittedParts fitParts(QStringList parts, const QString& gap, int availableWidth, int designPixels,
                     int minimumPixels, int maxLines, int dropFirst, const TextWidth& width);

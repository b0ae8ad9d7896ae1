#pragma once

#include <QString>
#include <functional>

// How a line goes into a field of fixed width: at the field's own font size
// when it fits, else at the largest smaller size that fits, down to a
// readable minimum; only beyond that is the line shortened in the middle,
// keeping its beginning (the name) and its end (the number).
struct FittedLine
{
    int pixelSize = 0;
    QString text;
    bool shortened = false;
};

// The width of a text at a font's pixel size.
using TextWidth = std::function<int(int pixelSize, const QString& text)>;

inline const QString kShortenedMark = QStringLiteral("…");

FittedLine fitLine(const QString& text, int availableWidth, int designPixels, int minimumPixels,
                   const TextWidth& width);

// The longest beginning-and-end cut of the text that fits at the size.
QString shortenInTheMiddle(const QString& text, int availableWidth, int pixelSize,
                           const TextWidth& width);

// The largest font height, in pixels, at which a text as wide as textWidth
// at fontPixels fits availableWidth: text width grows with the font height.
int fittingFontPixels(int fontPixels, int textWidth, int availableWidth);

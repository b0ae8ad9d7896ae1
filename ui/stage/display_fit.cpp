#include "ui/stage/display_fit.h"

#include <algorithm>

namespace {

// Cuts at whole characters: a surrogate pair is never split.
QString firstCharacters(const QString& text, int count)
{
    if (count > 0 && count < text.size() && text.at(count - 1).isHighSurrogate())
        --count;
    return text.left(count);
}

QString lastCharacters(const QString& text, int count)
{
    const int from = static_cast<int>(text.size()) - count;
    if (count > 0 && from > 0 && text.at(from).isLowSurrogate())
        --count;
    return text.right(count);
}

QString middleCut(const QString& text, int kept)
{
    const int head = (kept + 1) / 2;
    return firstCharacters(text, head) + kShortenedMark + lastCharacters(text, kept - head);
}

} // namespace

QString shortenInTheMiddle(const QString& text, int availableWidth, int pixelSize,
                           const TextWidth& width)
{
    // The widest cut that fits: the width grows with the characters kept.
    int low = 0;
    int high = static_cast<int>(text.size()) - 1;
    while (low < high) {
        const int kept = (low + high + 1) / 2;
        if (width(pixelSize, middleCut(text, kept)) <= availableWidth)
            low = kept;
        else
            high = kept - 1;
    }
    return middleCut(text, low);
}

FittedLine fitLine(const QString& text, int availableWidth, int designPixels, int minimumPixels,
                   const TextWidth& width)
{
    FittedLine fitted{designPixels, text, false};
    if (text.isEmpty() || width(designPixels, text) <= availableWidth)
        return fitted;

    const int floor = std::min(minimumPixels, designPixels);
    int low = floor;
    int high = designPixels - 1;
    if (width(floor, text) > availableWidth) {
        fitted.pixelSize = floor;
        fitted.text = shortenInTheMiddle(text, availableWidth, floor, width);
        fitted.shortened = true;
        return fitted;
    }
    // The largest size that fits, between the floor (fits) and the design size.
    while (low < high) {
        const int size = (low + high + 1) / 2;
        if (width(size, text) <= availableWidth)
            low = size;
        else
            high = size - 1;
    }
    fitted.pixelSize = low;
    return fitted;
}

int fittingFontPixels(int fontPixels, int textWidth, int availableWidth)
{
    if (textWidth <= availableWidth || textWidth <= 0)
        return fontPixels;
    return std::max(1, static_cast<int>(qint64(fontPixels) * availableWidth / textWidth));
}

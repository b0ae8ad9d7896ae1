#include "ui/stage/part_fit.h"

#include <algorithm>

namespace {

// The parts packed greedily at the size; empty when they take more lines.
QStringList pack(const QStringList& parts, const QString& gap, int availableWidth, int pixels,
                 int maxLines, const TextWidth& width)
{
    QStringList lines;
    for (const QString& part : parts) {
        if (!lines.isEmpty() && width(pixels, lines.back() + gap + part) <= availableWidth) {
            lines.back() += gap + part;
            continue;
        }
        if (width(pixels, part) > availableWidth || lines.size() == maxLines)
            return {};
        lines << part;
    }
    return lines;
}

} // namespace

FittedParts fitParts(QStringList parts, const QString& gap, int availableWidth, int designPixels,
                     int minimumPixels, int maxLines, int dropFirst, const TextWidth& width)
{
    parts.removeAll(QString());
    if (parts.isEmpty())
        return {designPixels, {}};
    const int floor = std::max(1, std::min(minimumPixels, designPixels));
    maxLines = std::max(1, maxLines);
    for (;;) {
        for (int lines = 1; lines <= maxLines; ++lines) {
            const int top = std::max(floor, designPixels / lines);
            const int lowest =
                lines < maxLines ? std::max(floor, designPixels / (lines + 1)) : floor;
            for (int pixels = top; pixels >= lowest; --pixels) {
                const QStringList packed = pack(parts, gap, availableWidth, pixels, lines, width);
                if (!packed.isEmpty())
                    return {pixels, packed};
            }
        }
        if (parts.size() == 1)
            return {floor, parts}; // one part wider than the whole line: as it is
        if (dropFirst >= 0 && dropFirst < parts.size()) {
            parts.removeAt(dropFirst);
            dropFirst = -1;
        } else {
            parts.removeLast();
        }
    }
}

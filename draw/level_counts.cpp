#include "draw/level_counts.h"

#include "base/app_error.h"
#include "draw/count_text.h"
#include "draw/draw_context.h"

#include <algorithm>

namespace {

enum class TextThatIsNoNumber { Throws, CountsZero };

qint32 countOf(const QByteArray& text, TextThatIsNoNumber rule)
{
    if (rule == TextThatIsNoNumber::Throws)
        return parseCountText(text);
    try {
        return parseCountText(text);
    } catch (const AppError&) {
        return 0;
    }
}

LevelCounts convert(const DrawSettings& settings, TextThatIsNoNumber rule)
{
    LevelCounts counts;
    for (size_t i = 0; i < counts.perLevel.size(); ++i) {
        // A negative count (only a hand-edited file holds one) would never be
        // reached by its recorded count and take every draw up to the total:
        // it draws nobody, like an empty count.
        counts.perLevel[i] = std::max<qint32>(0, countOf(settings.countTexts[i], rule));
        // Summed in 64 bits: counts near the 32-bit limit must not wrap into
        // a total that lets every click end as "all drawn".
        counts.total += counts.perLevel[i];
    }
    return counts;
}

} // namespace

LevelCounts levelCounts(const DrawSettings& settings)
{
    return convert(settings, TextThatIsNoNumber::Throws);
}

LevelCounts levelCountsOrZero(const DrawSettings& settings)
{
    return convert(settings, TextThatIsNoNumber::CountsZero);
}

#include "base/line_spans.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

bool endsText(char c)
{
    return c == '\r' || c == '\n' || c == '\0';
}

// The first CR, LF or zero byte from `position` on, or `end`.
const char* nextStop(const char* position, const char* end)
{
#if defined(__SSE2__)
    // Sixteen bytes at a time: a name and an identity number take two steps.
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i zero = _mm_setzero_si128();
    while (end - position >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(position));
        const __m128i stops =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf)),
                         _mm_cmpeq_epi8(bytes, zero));
        const int mask = _mm_movemask_epi8(stops);
        if (mask != 0)
            return position + __builtin_ctz(static_cast<unsigned>(mask));
        position += 16;
    }
#endif
    while (position < end && !endsText(*position))
        ++position;
    return position;
}

// Room for the lines of the whole text as its first 64 KiB suggest, so a
// long list is not copied while its spans grow. What is reserved beyond the
// lines is never touched and takes no memory.
void reserveForText(const char* begin, const char* end, std::vector<LineSpan>& spans)
{
    constexpr qsizetype kSample = 64 * 1024;
    const qsizetype size = end - begin;
    if (size <= kSample)
        return;
    const qsizetype breaks =
        std::count_if(begin, begin + kSample, [](char c) { return c == '\n' || c == '\r'; });
    const qsizetype estimate = (breaks + 1) * (size / kSample + 1) + 1024;
    spans.reserve(spans.size() + static_cast<size_t>(std::min(estimate, size + 1)));
}

} // namespace

void appendLineSpans(QByteArrayView text, std::vector<LineSpan>& spans)
{
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    reserveForText(begin, end, spans);
    const char* position = begin;
    while (position < end && *position != '\0') {
        const char* const lineEnd = nextStop(position, end);
        spans.push_back(
            {static_cast<quint32>(position - begin), static_cast<quint32>(lineEnd - begin)});
        position = lineEnd;
        if (position < end && *position == '\r')
            ++position;
        if (position < end && *position == '\n')
            ++position;
    }
}

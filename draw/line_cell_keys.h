#pragma once

#include "draw/cell_key_table.h"

#include <QByteArrayView>
#include <QtAlgorithms>
#include <algorithm>
#include <cstring>

#if defined(__SSE2__) && defined(__SIZEOF_INT128__)
#include <emmintrin.h>
#define PRIZMORA_CELLS_BY_BLOCKS 1
#endif

// The cells 0 .. count-1 of the line as cellViews gives them (blanks
// stripped, empty past the line's last cell), as keys, into cells[0 ..
// count-1]; the whole line, stripped alike, into *wholeLine when it is not
// null. The views point into the line.
//
// A line of 16 to 64 bytes has its tabs found 16 bytes a step and its short
// cells' words cut from 16-byte loads, every load inside the line: inline,
// so a pass over a million lines loops over no line's bytes and calls
// nothing. Other lines are split byte by byte, to the same cells.
inline void readCellKeys(QByteArrayView line, int count, CellKey* cells, CellKey* wholeLine);

// The same, byte by byte, for any line.
void readCellKeysByBytes(QByteArrayView line, int count, CellKey* cells, CellKey* wholeLine);

namespace line_cell_keys_detail {

#ifdef PRIZMORA_CELLS_BY_BLOCKS
// The 16 bytes at `at` as a number, the first byte lowest.
inline unsigned __int128 load128(const char* at)
{
    unsigned __int128 bytes;
    std::memcpy(&bytes, at, 16);
    return bytes;
}

inline bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

// The cell first .. last of a line of `size` >= 16 bytes, blanks stripped.
inline CellKey keyInLine(const char* bytes, qsizetype size, qsizetype first, qsizetype last)
{
    while (first < last && isBlank(bytes[first]))
        ++first;
    while (last > first && isBlank(bytes[last - 1]))
        --last;
    CellKey key;
    const qsizetype length = last - first;
    key.bytes = QByteArrayView(bytes + first, length);
    if (length <= kShortCellBytes) {
        // The 16 bytes from the cell's first, loaded from inside the line.
        const qsizetype from = std::min(first, size - 16);
        const unsigned __int128 window = load128(bytes + from) >> (8 * (first - from));
        const unsigned __int128 kept =
            length == 16 ? ~static_cast<unsigned __int128>(0)
                         : (static_cast<unsigned __int128>(1) << (8 * length)) - 1;
        const unsigned __int128 cell = window & kept;
        key.low = static_cast<std::uint64_t>(cell);
        key.high = static_cast<std::uint64_t>(cell >> 64);
    }
    return key;
}

// Lines of 16 to `Bytes` bytes (32 or 64); the last loads overlap.
template <int Bytes>
inline void readByBlocks(QByteArrayView line, int count, CellKey* cells, CellKey* wholeLine)
{
    const char* const bytes = line.data();
    const qsizetype size = line.size();
    const __m128i tab = _mm_set1_epi8('\t');
    std::uint64_t tabs = 0;
    for (qsizetype at = 0; at < Bytes; at += 16) {
        const qsizetype from = std::min(at, size - 16);
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + from));
        tabs |= std::uint64_t(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, tab))))
                << from;
    }
    if (wholeLine)
        *wholeLine = keyInLine(bytes, size, 0, size);
    qsizetype begin = 0;
    for (int i = 0; i < count; ++i) {
        if (begin > size) {
            cells[i] = CellKey(); // the line has fewer cells
            continue;
        }
        const qsizetype end = tabs ? qCountTrailingZeroBits(tabs) : size;
        tabs &= tabs - 1;
        cells[i] = keyInLine(bytes, size, begin, end);
        begin = end + 1;
    }
}
#endif

} // namespace line_cell_keys_detail

inline void readCellKeys(QByteArrayView line, int count, CellKey* cells, CellKey* wholeLine)
{
#ifdef PRIZMORA_CELLS_BY_BLOCKS
    using namespace line_cell_keys_detail;
    if (line.size() >= 16 && line.size() <= 32)
        return readByBlocks<32>(line, count, cells, wholeLine);
    if (line.size() > 32 && line.size() <= 64)
        return readByBlocks<64>(line, count, cells, wholeLine);
#endif
    readCellKeysByBytes(line, count, cells, wholeLine);
}

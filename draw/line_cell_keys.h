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
// null. The views point into the line. A cell below 64 whose bit is clear in
// `wanted` may be left as it was.
//
// A line of 16 to 64 bytes has its tabs found 16 bytes a step and its short
// cells' words cut from 16-byte loads, every load inside the line: inline,
// so a pass over a million lines loops over no line's bytes and calls
// nothing. Other lines are split byte by byte, to the same cells.
inline void readCellKeys(QByteArrayView line, int count, CellKey* cells, CellKey* wholeLine,
                         std::uint64_t wanted = ~std::uint64_t(0));

// The same, byte by byte, for any line.
void readCellKeysByBytes(QByteArrayView line, int count, CellKey* cells, CellKey* wholeLine);

namespace line_cell_keys_detail {

#ifdef PRIZMORA_CELLS_BY_BLOCKS
inline bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

// The cell first .. last of a line, with blanks stripped when `Strip` (a
// line with no blank beside a tab or at its ends needs none).
template <bool Strip> inline CellKey keyInLine(const char* bytes, qsizetype first, qsizetype last)
{
    if (Strip) {
        while (first < last && isBlank(bytes[first]))
            ++first;
        while (last > first && isBlank(bytes[last - 1]))
            --last;
    }
    return CellKey::of(QByteArrayView(bytes + first, last - first));
}

template <bool Strip>
inline void keysFromTabs(const char* bytes, qsizetype size, std::uint64_t tabs, int count,
                         CellKey* cells, CellKey* wholeLine, std::uint64_t wanted)
{
    if (wholeLine)
        *wholeLine = keyInLine<Strip>(bytes, 0, size);
    qsizetype begin = 0;
    for (int i = 0; i < count; ++i) {
        if (begin > size) {
            cells[i] = CellKey(); // the line has fewer cells
            continue;
        }
        const qsizetype end = tabs ? qCountTrailingZeroBits(tabs) : size;
        tabs &= tabs - 1;
        if (i >= 64 || (wanted >> i & 1))
            cells[i] = keyInLine<Strip>(bytes, begin, end);
        begin = end + 1;
    }
}

// Lines of 16 to `Bytes` bytes (32 or 64); the last loads overlap.
template <int Bytes>
inline void readByBlocks(QByteArrayView line, int count, CellKey* cells, CellKey* wholeLine,
                         std::uint64_t wanted)
{
    const char* const bytes = line.data();
    const qsizetype size = line.size();
    const __m128i tab = _mm_set1_epi8('\t');
    const __m128i blank = _mm_set1_epi8(0x20);
    std::uint64_t tabs = 0;
    std::uint64_t blanks = 0; // tabs among them
    for (qsizetype at = 0; at < Bytes; at += 16) {
        const qsizetype from = std::min(at, size - 16);
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + from));
        const auto bitsOf = [](__m128i bytesFound) {
            return std::uint64_t(static_cast<unsigned>(_mm_movemask_epi8(bytesFound)));
        };
        tabs |= bitsOf(_mm_cmpeq_epi8(block, tab)) << from;
        blanks |= bitsOf(_mm_cmpeq_epi8(_mm_min_epu8(block, blank), block)) << from;
    }
    // A blank strips off only at a cell's end: beside a tab or the line's ends.
    const std::uint64_t ends = tabs << 1 | tabs >> 1 | 1 | std::uint64_t(1) << (size - 1);
    if ((blanks & ~tabs & ends) == 0)
        keysFromTabs<false>(bytes, size, tabs, count, cells, wholeLine, wanted);
    else
        keysFromTabs<true>(bytes, size, tabs, count, cells, wholeLine, wanted);
}
#endif

} // namespace line_cell_keys_detail

// One line's cells found by its tabs, each cell only when asked for: the
// rules of a Stop ask for two or three cells of a million lines. Only for
// lines of 16 to 64 bytes with no blank to strip at any cell's ends; read()
// says whether the line is one.
class LineTabs
{
  public:
    bool read(QByteArrayView line)
    {
#ifdef PRIZMORA_CELLS_BY_BLOCKS
        bytes_ = line.data();
        size_ = line.size();
        if (size_ < 16 || size_ > 64)
            return false;
        const __m128i tab = _mm_set1_epi8('\t');
        const __m128i blank = _mm_set1_epi8(0x20);
        std::uint64_t blanks = 0; // tabs among them
        tabs_ = 0;
        const auto addBlock = [&](qsizetype from) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes_ + from));
            tabs_ |= bitsOf(_mm_cmpeq_epi8(block, tab)) << from;
            blanks |= bitsOf(_mm_cmpeq_epi8(_mm_min_epu8(block, blank), block)) << from;
        };
        // The last block of each half overlaps the one before.
        addBlock(0);
        addBlock(std::min<qsizetype>(16, size_ - 16));
        if (size_ > 32) {
            addBlock(std::min<qsizetype>(32, size_ - 16));
            addBlock(size_ - 16);
        }
        // A blank strips off only at a cell's end: beside a tab or the line's ends.
        const std::uint64_t ends = tabs_ << 1 | tabs_ >> 1 | 1 | std::uint64_t(1) << (size_ - 1);
        return (blanks & ~tabs_ & ends) == 0;
#else
        (void)line;
        return false;
#endif
    }
    // The cell at the index from 0, -1 for the whole line; empty past the
    // line's last cell. Valid after read() said yes.
    QByteArrayView cell(int column) const
    {
        if (column < 0)
            return QByteArrayView(bytes_, size_);
        qsizetype begin = 0;
        std::uint64_t rest = tabs_;
        if (column > 0) {
            for (int i = 1; i < column; ++i)
                rest &= rest - 1;
            if (!rest)
                return QByteArrayView(); // the line has fewer cells
            begin = qCountTrailingZeroBits(rest) + 1;
            rest &= rest - 1;
        }
        const qsizetype end = rest ? qCountTrailingZeroBits(rest) : size_;
        return QByteArrayView(bytes_ + begin, end - begin);
    }

  private:
#ifdef PRIZMORA_CELLS_BY_BLOCKS
    static std::uint64_t bitsOf(__m128i bytesFound)
    {
        return std::uint64_t(static_cast<unsigned>(_mm_movemask_epi8(bytesFound)));
    }
#endif
    const char* bytes_ = nullptr;
    qsizetype size_ = 0;
    std::uint64_t tabs_ = 0;
};

inline void readCellKeys(QByteArrayView line, int count, CellKey* cells, CellKey* wholeLine,
                         std::uint64_t wanted)
{
#ifdef PRIZMORA_CELLS_BY_BLOCKS
    using namespace line_cell_keys_detail;
    if (line.size() >= 16 && line.size() <= 32)
        return readByBlocks<32>(line, count, cells, wholeLine, wanted);
    if (line.size() > 32 && line.size() <= 64)
        return readByBlocks<64>(line, count, cells, wholeLine, wanted);
#endif
    readCellKeysByBytes(line, count, cells, wholeLine);
}

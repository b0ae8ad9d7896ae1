#pragma once

#include "draw/cell_key_table.h"

#include <QByteArrayView>
#include <QtAlgorithms>
#include <algorithm>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#define PRIZMORA_TABS_BY_BLOCKS 1
#endif

// The cells 0 .. count-1 of the line as cellViews gives them (blanks
// stripped, empty past the line's last cell), as keys, into cells[0 ..
// count-1]; the whole line, stripped alike, into *wholeLine when it is not
// null. The views point into the line. For any line, byte by byte.
void readCellKeys(QByteArrayView line, int count, CellKey* cells, CellKey* wholeLine);

// One line's cells found by its tabs, each cell only when asked for: the
// rules of a Stop ask for two or three cells of a million lines. The tabs of
// a line of 16 to 64 bytes are found 16 bytes a step, every load inside the
// line, with no loop over its bytes; inline, so the pass calls nothing. The
// cells are those of readCellKeys. Only for lines of those lengths; read()
// says whether the line is one.
class LineTabs
{
  public:
    bool read(QByteArrayView line)
    {
#ifdef PRIZMORA_TABS_BY_BLOCKS
        bytes_ = line.data();
        size_ = line.size();
        if (size_ < 16 || size_ > 64)
            return false;
        const __m128i tab = _mm_set1_epi8('\t');
        tabs_ = 0;
        const auto addBlock = [&](qsizetype from) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes_ + from));
            tabs_ |= bitsOf(_mm_cmpeq_epi8(block, tab)) << from;
        };
        // The last block of each half overlaps the one before.
        addBlock(0);
        addBlock(std::min<qsizetype>(16, size_ - 16));
        if (size_ > 32) {
            addBlock(std::min<qsizetype>(32, size_ - 16));
            addBlock(size_ - 16);
        }
        return true;
#else
        (void)line;
        return false;
#endif
    }
    // The cell at the index from 0, -1 for the whole line, blanks stripped;
    // empty past the line's last cell. Valid after read() said yes.
    QByteArrayView cell(int column) const
    {
        qsizetype begin = 0;
        qsizetype end = size_;
        if (column >= 0) {
            std::uint64_t rest = tabs_;
            if (column > 0) {
                for (int i = 1; i < column; ++i)
                    rest &= rest - 1;
                if (!rest)
                    return QByteArrayView(); // the line has fewer cells
                begin = qCountTrailingZeroBits(rest) + 1;
                rest &= rest - 1;
            }
            end = rest ? qCountTrailingZeroBits(rest) : size_;
        }
        // Two compares for a cell without blanks at its ends.
        while (begin < end && isBlank(bytes_[begin]))
            ++begin;
        while (end > begin && isBlank(bytes_[end - 1]))
            --end;
        return QByteArrayView(bytes_ + begin, end - begin);
    }

  private:
    static bool isBlank(char c)
    {
        return static_cast<unsigned char>(c) <= 0x20;
    }
#ifdef PRIZMORA_TABS_BY_BLOCKS
    static std::uint64_t bitsOf(__m128i bytesFound)
    {
        return std::uint64_t(static_cast<unsigned>(_mm_movemask_epi8(bytesFound)));
    }
#endif
    const char* bytes_ = nullptr;
    qsizetype size_ = 0;
    std::uint64_t tabs_ = 0;
};

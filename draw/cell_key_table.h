#pragma once

#include "draw/byte_view_set.h"

#include <QByteArrayView>
#include <QtGlobal>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

// Cells up to this length are looked up as two words.
inline constexpr qsizetype kShortCellBytes = 16;

// A cell as the rules look it up: a view of its bytes and, when it has at
// most kShortCellBytes of them, the same bytes as two words read from inside
// the cell, the last read overlapping the first: with the length they tell
// every byte, so comparing two short cells compares three numbers, with no
// loop over their bytes and nothing read past their end.
struct CellKey
{
    QByteArrayView bytes;
    std::uint64_t low = 0;
    std::uint64_t high = 0;

    bool isShort() const { return bytes.size() <= kShortCellBytes; }
    static CellKey of(QByteArrayView bytes)
    {
        CellKey key;
        key.bytes = bytes;
        const char* const first = bytes.data();
        const qsizetype size = bytes.size();
        if (size > kShortCellBytes) {
            // Looked up by its bytes.
        } else if (size >= 8) {
            key.low = byte_words::load64(first);
            key.high = byte_words::load64(first + size - 8);
        } else if (size >= 4) {
            key.low = byte_words::load32(first) | byte_words::load32(first + size - 4) << 32;
        } else if (size > 0) {
            key.low = std::uint64_t(static_cast<unsigned char>(first[0])) |
                      std::uint64_t(static_cast<unsigned char>(first[size / 2])) << 8 |
                      std::uint64_t(static_cast<unsigned char>(first[size - 1])) << 16;
        }
        return key;
    }
};

// Cells mapped to numbers: short cells by their words in a table of their
// own, longer ones by their bytes. A bit per hash beside the slots (64 bits
// a cell in a small table) answers most misses before any slot is read, so
// a column whose cells are seldom listed (工号 against a list of a hundred)
// costs a hash and one bit a line, with a branch that hardly ever turns.
// Before even that, mayHold() turns most cells away by their length and last
// four bytes, with no key made.
class CellKeyTable
{
  public:
    const int* find(const CellKey& key) const { return find<true>(key); }
    // The same without the filter, for cells that are mostly there.
    const int* findLikely(const CellKey& key) const { return find<false>(key); }
    template <bool Filtered> const int* find(const CellKey& key) const
    {
        if (!key.isShort())
            return long_.find(key.bytes);
        if (slots_.empty())
            return nullptr;
        const auto size = static_cast<std::int32_t>(key.bytes.size());
        const size_t hash = hashOf(key.low, key.high, size);
        const size_t bit = filterBitOf(hash);
        if (Filtered && !(filter_[bit / 64] >> (bit % 64) & 1))
            return nullptr;
        for (size_t i = hash & mask_;; i = (i + 1) & mask_) {
            const Slot& slot = slots_[i];
            if (((slot.low ^ key.low) | (slot.high ^ key.high) |
                 static_cast<std::uint32_t>(slot.size ^ size)) == 0)
                return &slot.value;
            if (slot.size < 0)
                return nullptr;
        }
    }
    bool contains(const CellKey& key) const { return find(key) != nullptr; }
    // False when no cell of these bytes is in the table; true may be either.
    bool mayHold(const char* first, qsizetype size) const
    {
        if (size < 4 || size > kShortCellBytes)
            return true;
        const size_t bit = tailBitOf(size, byte_words::load32(first + size - 4));
        return tails_[bit / 64] >> (bit % 64) & 1;
    }
    // A cell already there keeps its number.
    void insert(QByteArrayView bytes, int value = 0)
    {
        const CellKey key = CellKey::of(bytes);
        if (!key.isShort()) {
            long_.insert(bytes, value);
            return;
        }
        if (contains(key))
            return;
        // Sparse while small (the tables of a few hundred values stay in the
        // cache), half used when large.
        const size_t spread = shortCount_ < 4096 ? 4 : 2;
        if ((shortCount_ + 1) * spread > slots_.size())
            grow();
        place({key.low, key.high, static_cast<std::int32_t>(bytes.size()), value});
        ++shortCount_;
        if (bytes.size() >= 4) {
            const size_t bit =
                tailBitOf(bytes.size(), byte_words::load32(bytes.data() + bytes.size() - 4));
            tails_[bit / 64] |= std::uint64_t(1) << (bit % 64);
        }
    }
    size_t size() const { return shortCount_ + long_.size(); }
    bool isEmpty() const { return size() == 0; }
    void clear()
    {
        slots_.clear();
        filter_.clear();
        tails_.fill(0);
        mask_ = 0;
        filterMask_ = 0;
        shortCount_ = 0;
        long_.clear();
    }

  private:
    struct Slot
    {
        std::uint64_t low = 0;
        std::uint64_t high = 0;
        std::int32_t size = -1; // -1: free
        int value = 0;
    };

    // The words folded into one and mixed so that every byte reaches the low
    // bits the slot is taken from and the high bits of the filter's bit: the
    // bytes that tell departments apart are often the last ones.
    static size_t hashOf(std::uint64_t low, std::uint64_t high, std::int32_t size)
    {
        std::uint64_t mixed =
            low ^ (high * 0x9E3779B97F4A7C15ull) ^ static_cast<std::uint64_t>(size);
        mixed ^= mixed >> 32;
        mixed *= 0xFF51AFD7ED558CCDull;
        return static_cast<size_t>(mixed ^ mixed >> 29);
    }
    static size_t tailBitOf(qsizetype size, std::uint64_t tail)
    {
        const std::uint64_t mixed =
            (tail ^ static_cast<std::uint64_t>(size) << 32) * 0x9E3779B97F4A7C15ull;
        return static_cast<size_t>(mixed >> 51); // 13 bits
    }
    // From other bits of the hash than the slot's first ones.
    size_t filterBitOf(size_t hash) const { return hash >> 42 & filterMask_; }
    void place(const Slot& entry)
    {
        const size_t hash = hashOf(entry.low, entry.high, entry.size);
        const size_t bit = filterBitOf(hash);
        filter_[bit / 64] |= std::uint64_t(1) << (bit % 64);
        size_t i = hash & mask_;
        while (slots_[i].size >= 0)
            i = (i + 1) & mask_;
        slots_[i] = entry;
    }
    void grow()
    {
        std::vector<Slot> old(std::max<size_t>(64, slots_.size() * 2));
        old.swap(slots_);
        mask_ = slots_.size() - 1;
        // 16 bits a slot, at most 2^16 bits (8 KiB) with the slot's bits apart.
        const size_t filterBits = std::min<size_t>(size_t(1) << 16, slots_.size() * 16);
        filter_.assign(filterBits / 64, 0);
        filterMask_ = filterBits - 1;
        for (const Slot& slot : old)
            if (slot.size >= 0)
                place(slot);
    }

    std::vector<Slot> slots_; // a power of two
    size_t mask_ = 0;
    std::vector<std::uint64_t> filter_;      // a bit set for every short cell's hash
    std::array<std::uint64_t, 128> tails_{}; // 8,192 bits: by length and last 4 bytes
    size_t filterMask_ = 0;
    size_t shortCount_ = 0;
    ByteViewTable long_;
};

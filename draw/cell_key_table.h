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
// most kShortCellBytes of them, the same bytes as two words, zero past its
// end. Comparing two short cells compares three numbers, with no loop over
// their bytes and no branch on their lengths.
struct CellKey
{
    QByteArrayView bytes;
    std::uint64_t low = 0;
    std::uint64_t high = 0;

    bool isShort() const { return bytes.size() <= kShortCellBytes; }
    // The words copied out of the bytes.
    static CellKey of(QByteArrayView bytes)
    {
        CellKey key;
        key.bytes = bytes;
        if (key.isShort()) {
            unsigned char words[kShortCellBytes] = {};
            if (!bytes.isEmpty())
                std::memcpy(words, bytes.data(), static_cast<size_t>(bytes.size()));
            std::memcpy(&key.low, words, 8);
            std::memcpy(&key.high, words + 8, 8);
        }
        return key;
    }
    // The same from the bytes at `at`, which may be read 16 bytes on: the
    // words read are cut to the cell's length.
    static CellKey ofPadded(QByteArrayView bytes, const unsigned char* at)
    {
        // The low bytes of a word kept by length, 0 to 8 bytes.
        static constexpr std::array<std::uint64_t, 9> kept = {0,
                                                              0xFFull,
                                                              0xFFFFull,
                                                              0xFFFFFFull,
                                                              0xFFFFFFFFull,
                                                              0xFFFFFFFFFFull,
                                                              0xFFFFFFFFFFFFull,
                                                              0xFFFFFFFFFFFFFFull,
                                                              ~0ull};
        CellKey key;
        key.bytes = bytes;
        const auto size = static_cast<size_t>(bytes.size());
        if (size <= kShortCellBytes) {
            std::memcpy(&key.low, at, 8);
            std::memcpy(&key.high, at + 8, 8);
            key.low &= kept[size < 8 ? size : 8];
            key.high &= kept[size > 8 ? size - 8 : 0];
        }
        return key;
    }
};

// Cells mapped to numbers: short cells by their words in a table of their
// own, longer ones by their bytes. Misses are as cheap as hits: in a small
// table a quarter of the slots at most is used, so most end at the first.
class CellKeyTable
{
  public:
    const int* find(const CellKey& key) const
    {
        if (!key.isShort())
            return long_.find(key.bytes);
        if (slots_.empty())
            return nullptr;
        const auto size = static_cast<std::int32_t>(key.bytes.size());
        for (size_t i = hashOf(key.low, key.high, size) & mask_;; i = (i + 1) & mask_) {
            const Slot& slot = slots_[i];
            if (((slot.low ^ key.low) | (slot.high ^ key.high) |
                 static_cast<std::uint32_t>(slot.size ^ size)) == 0)
                return &slot.value;
            if (slot.size < 0)
                return nullptr;
        }
    }
    bool contains(const CellKey& key) const { return find(key) != nullptr; }
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
    }
    size_t size() const { return shortCount_ + long_.size(); }
    bool isEmpty() const { return size() == 0; }
    void clear()
    {
        slots_.clear();
        mask_ = 0;
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

    // One multiplication; the slot is taken from the product's high half
    // first, which every bit of the cell reaches.
    static size_t hashOf(std::uint64_t low, std::uint64_t high, std::int32_t size)
    {
        const std::uint64_t mixed =
            (low ^ (high * 0x9E3779B97F4A7C15ull) ^ static_cast<std::uint64_t>(size)) *
            0xFF51AFD7ED558CCDull;
        return static_cast<size_t>(mixed >> 32 | mixed << 32);
    }
    void place(const Slot& entry)
    {
        size_t i = hashOf(entry.low, entry.high, entry.size) & mask_;
        while (slots_[i].size >= 0)
            i = (i + 1) & mask_;
        slots_[i] = entry;
    }
    void grow()
    {
        std::vector<Slot> old(std::max<size_t>(64, slots_.size() * 2));
        old.swap(slots_);
        mask_ = slots_.size() - 1;
        for (const Slot& slot : old)
            if (slot.size >= 0)
                place(slot);
    }

    std::vector<Slot> slots_; // a power of two
    size_t mask_ = 0;
    size_t shortCount_ = 0;
    ByteViewTable long_;
};

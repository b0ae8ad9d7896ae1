#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <cstring>
#include <deque>
#include <vector>

// Unaligned words of a key's bytes, for hashing and comparing a word at a time.
namespace byte_words {
inline std::uint64_t load64(const char* bytes)
{
    std::uint64_t word;
    std::memcpy(&word, bytes, 8);
    return word;
}
inline std::uint64_t load32(const char* bytes)
{
    std::uint32_t word;
    std::memcpy(&word, bytes, 4);
    return word;
}
} // namespace byte_words

// Short byte strings (cells of a line) mapped to numbers and looked up by a
// view into the line, for the million lookups of a Stop under rules: a cheap
// hash over whole words, open slots probed in turn, no copy on a lookup. The
// lines are the operator's own; nobody picks them to collide.
class ByteViewTable
{
  public:
    // The number of the key, or nullptr.
    const int* find(QByteArrayView key) const
    {
        if (slots_.empty())
            return nullptr;
        const std::uint64_t hash = hashOf(key);
        for (size_t i = hash & mask();; i = (i + 1) & mask()) {
            const Slot& slot = slots_[i];
            if (!slot.used)
                return nullptr;
            if (slot.hash == hash && sameBytes(slot.key, key))
                return &slot.value;
        }
    }
    bool contains(QByteArrayView key) const { return find(key) != nullptr; }
    // Keeps a copy of the key; a key already there keeps its number.
    void insert(QByteArrayView key, int value = 0)
    {
        if (contains(key))
            return;
        if ((count_ + 1) * 2 > slots_.size())
            grow();
        place(store_.emplace_back(key.toByteArray()), hashOf(key), value);
        ++count_;
    }
    size_t size() const { return count_; }
    bool isEmpty() const { return count_ == 0; }
    void clear()
    {
        slots_.clear();
        store_.clear();
        count_ = 0;
    }

  private:
    struct Slot
    {
        std::uint64_t hash = 0;
        QByteArrayView key;
        int value = 0;
        bool used = false;
    };

    // The key's bytes as at most two words (the second overlapping the
    // first), so a short cell costs two loads and no loop over its bytes.
    static std::uint64_t shortWord(const char* bytes, qsizetype size)
    {
        if (size >= 4)
            return byte_words::load32(bytes) | byte_words::load32(bytes + size - 4) << 32;
        if (size > 0)
            return std::uint64_t(static_cast<unsigned char>(bytes[0])) |
                   std::uint64_t(static_cast<unsigned char>(bytes[size / 2])) << 8 |
                   std::uint64_t(static_cast<unsigned char>(bytes[size - 1])) << 16;
        return 0;
    }
    static bool sameBytes(QByteArrayView a, QByteArrayView b)
    {
        const qsizetype size = a.size();
        if (size != b.size())
            return false;
        if (size > 16)
            return std::memcmp(a.data(), b.data(), static_cast<size_t>(size)) == 0;
        if (size >= 8)
            return byte_words::load64(a.data()) == byte_words::load64(b.data()) &&
                   byte_words::load64(a.data() + size - 8) ==
                       byte_words::load64(b.data() + size - 8);
        return shortWord(a.data(), size) == shortWord(b.data(), size);
    }
    static std::uint64_t mixed(std::uint64_t hash, std::uint64_t word)
    {
        hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
        return hash ^ (hash >> 32);
    }
    static std::uint64_t hashOf(QByteArrayView key)
    {
        const char* bytes = key.data();
        const qsizetype size = key.size();
        std::uint64_t hash = static_cast<std::uint64_t>(size) * 0x9E3779B97F4A7C15ull;
        if (size >= 8) {
            for (qsizetype at = 0; at + 8 < size; at += 8)
                hash = mixed(hash, byte_words::load64(bytes + at));
            hash = mixed(hash, byte_words::load64(bytes + size - 8)); // the last word, overlapping
        } else {
            hash = mixed(hash, shortWord(bytes, size));
        }
        hash *= 0xC4CEB9FE1A85EC53ull;
        return hash ^ (hash >> 29);
    }
    size_t mask() const { return slots_.size() - 1; }
    void place(const QByteArray& key, std::uint64_t hash, int value)
    {
        size_t i = hash & mask();
        while (slots_[i].used)
            i = (i + 1) & mask();
        slots_[i] = {hash, QByteArrayView(key), value, true};
    }
    void grow()
    {
        std::vector<Slot> old(std::max<size_t>(16, slots_.size() * 2));
        old.swap(slots_);
        for (const Slot& slot : old)
            if (slot.used) {
                size_t i = slot.hash & mask();
                while (slots_[i].used)
                    i = (i + 1) & mask();
                slots_[i] = slot;
            }
    }

    std::vector<Slot> slots_; // a power of two, at most half used
    std::deque<QByteArray> store_;
    size_t count_ = 0;
};

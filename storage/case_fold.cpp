#include "storage/case_fold.h"

#include <QHash>
#include <QStringDecoder>
#include <array>
#include <unordered_map>
#include <vector>

namespace {

constexpr char kValidMark = 'V';
constexpr char kInvalidMark = 'I';

bool isLeadByte(unsigned char byte)
{
    return byte >= 0x81 && byte <= 0xFE;
}
bool isTrailByte(unsigned char byte)
{
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

// The bytes a unit folds to: one or two, none when the unit does not decode.
struct FoldedUnit
{
    unsigned char length = 0;
    char bytes[2] = {0, 0};
};

// For every GBK unit (one byte, or lead and trail byte), the bytes of the first
// unit whose decoded character folds to the same text. Kept flat, so a lookup
// is one index and a copy of at most two bytes.
class FoldTable
{
  public:
    FoldTable() : double_(0x7E * 0xC0)
    {
        QHash<QString, QByteArray> representativeOfFold;
        QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
        auto enter = [&](const QByteArray& unit) -> FoldedUnit {
            decoder.resetState();
            const QString decoded = decoder.decode(unit);
            if (decoder.hasError() || decoded.isEmpty())
                return FoldedUnit();
            const QString folded = decoded.toCaseFolded();
            auto found = representativeOfFold.constFind(folded);
            if (found == representativeOfFold.constEnd())
                found = representativeOfFold.insert(folded, unit);
            return folding(found.value());
        };
        // Lower-case forms first, so a letter's key is its lower-case bytes.
        for (int byte = 0; byte < 0x80; ++byte) {
            const char lower = static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + 32 : byte);
            single_[byte] = folding(QByteArray(1, lower));
        }
        for (int byte = 'a'; byte <= 'z'; ++byte)
            representativeOfFold.insert(QString(QChar(byte)), QByteArray(1, char(byte)));
        for (int byte : {0x80, 0xFF})
            single_[byte] = enter(QByteArray(1, char(byte)));
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail == 0x7F)
                    continue;
                const char unit[2] = {char(lead), char(trail)};
                double_[index(lead, trail)] = enter(QByteArray(unit, 2));
            }
        }
        markUnitsAlone();
    }

    const FoldedUnit& single(unsigned char byte) const { return single_[byte]; }
    const FoldedUnit& pair(unsigned char lead, unsigned char trail) const
    {
        return double_[index(lead, trail)];
    }
    bool singleAlone(unsigned char byte) const { return singleAlone_[byte]; }
    bool pairAlone(unsigned char lead, unsigned char trail) const
    {
        return pairAlone_[index(lead, trail)];
    }

  private:
    static quint32 code(const FoldedUnit& unit)
    {
        return quint32(unit.length) << 16 | quint32(quint8(unit.bytes[0])) << 8 |
               quint8(unit.bytes[1]);
    }
    // A unit is alone when no other unit folds to its bytes.
    void markUnitsAlone()
    {
        std::unordered_map<quint32, int> unitsPerFolding;
        for (const FoldedUnit& unit : single_)
            ++unitsPerFolding[code(unit)];
        for (const FoldedUnit& unit : double_)
            ++unitsPerFolding[code(unit)];
        auto alone = [&](const FoldedUnit& unit) {
            return unit.length != 0 && unitsPerFolding[code(unit)] == 1;
        };
        for (size_t i = 0; i < single_.size(); ++i)
            singleAlone_[i] = alone(single_[i]);
        pairAlone_.resize(double_.size());
        for (size_t i = 0; i < double_.size(); ++i)
            pairAlone_[i] = alone(double_[i]);
    }

    static size_t index(int lead, int trail)
    {
        return static_cast<size_t>((lead - 0x81) * 0xC0 + (trail - 0x40));
    }
    static FoldedUnit folding(const QByteArray& representative)
    {
        FoldedUnit unit;
        unit.length = static_cast<unsigned char>(representative.size());
        for (qsizetype i = 0; i < representative.size(); ++i)
            unit.bytes[i] = representative[i];
        return unit;
    }

    std::array<FoldedUnit, 256> single_;
    std::vector<FoldedUnit> double_;
    std::array<bool, 256> singleAlone_{};
    std::vector<bool> pairAlone_;
};

const FoldTable& foldTable()
{
    static const FoldTable table;
    return table;
}

void writeInvalidKey(QByteArrayView line, QByteArray& key)
{
    key.resize(line.size() + 1);
    char* out = key.data();
    *out++ = kInvalidMark;
    for (char c : line)
        *out++ = c >= 'A' && c <= 'Z' ? char(c + 32) : c;
}

// The key of a line that is not GBK folds every ASCII letter byte, trail
// bytes included: only a line with none has its key alone.
bool invalidKeyIsOwn(QByteArrayView text)
{
    for (char c : text)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
            return false;
    return true;
}

} // namespace

void caseFoldKeyInto(QByteArrayView line, QByteArray& key)
{
    const FoldTable& table = foldTable();
    const auto* bytes = reinterpret_cast<const unsigned char*>(line.constData());
    const qsizetype size = line.size();
    // No unit folds to more bytes than it has (single bytes are entered
    // before pairs), so the key fits in size + 1.
    key.resize(size + 1);
    char* const start = key.data();
    char* out = start;
    *out++ = kValidMark;
    for (qsizetype i = 0; i < size; ++i) {
        const unsigned char byte = bytes[i];
        const FoldedUnit* unit;
        if (isLeadByte(byte)) {
            if (i + 1 >= size || !isTrailByte(bytes[i + 1]))
                return writeInvalidKey(line, key);
            unit = &table.pair(byte, bytes[i + 1]);
            ++i;
        } else {
            unit = &table.single(byte);
        }
        if (unit->length == 0)
            return writeInvalidKey(line, key);
        *out++ = unit->bytes[0];
        if (unit->length == 2)
            *out++ = unit->bytes[1];
    }
    key.resize(out - start);
}

QByteArray caseFoldKey(QByteArrayView line)
{
    QByteArray key;
    caseFoldKeyInto(line, key);
    return key;
}

bool caseFoldKeyIsOwn(QByteArrayView text)
{
    const FoldTable& table = foldTable();
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const qsizetype size = text.size();
    bool everyUnitAlone = true;
    for (qsizetype i = 0; i < size; ++i) {
        const unsigned char byte = bytes[i];
        if (isLeadByte(byte)) {
            if (i + 1 >= size || !isTrailByte(bytes[i + 1]) ||
                table.pair(byte, bytes[i + 1]).length == 0)
                return invalidKeyIsOwn(text);
            everyUnitAlone = everyUnitAlone && table.pairAlone(byte, bytes[i + 1]);
            ++i;
        } else {
            if (table.single(byte).length == 0)
                return invalidKeyIsOwn(text);
            everyUnitAlone = everyUnitAlone && table.singleAlone(byte);
        }
    }
    return everyUnitAlone;
}

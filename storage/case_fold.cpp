#include "storage/case_fold.h"

#include <QHash>
#include <QStringDecoder>
#include <array>

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

// For every GBK unit (one byte, or lead and trail byte), the bytes of the first
// unit whose decoded character folds to the same text; empty when the unit
// does not decode.
class FoldTable
{
  public:
    FoldTable()
    {
        QHash<QString, QByteArray> representativeOfFold;
        QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
        auto enter = [&](const QByteArray& unit) -> QByteArray {
            decoder.resetState();
            const QString decoded = decoder.decode(unit);
            if (decoder.hasError() || decoded.isEmpty())
                return QByteArray();
            const QString folded = decoded.toCaseFolded();
            auto found = representativeOfFold.constFind(folded);
            if (found != representativeOfFold.constEnd())
                return found.value();
            representativeOfFold.insert(folded, unit);
            return unit;
        };
        // Lower-case forms first, so a letter's key is its lower-case bytes.
        for (int byte = 0; byte < 0x80; ++byte) {
            const char lower = static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + 32 : byte);
            single_[byte] = QByteArray(1, lower);
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
                QByteArray key = enter(QByteArray(unit, 2));
                double_[index(lead, trail)] = key;
            }
        }
    }

    const QByteArray& single(unsigned char byte) const { return single_[byte]; }
    const QByteArray& pair(unsigned char lead, unsigned char trail) const
    {
        return double_[index(lead, trail)];
    }

  private:
    static int index(int lead, int trail) { return (lead - 0x81) * 0xC0 + (trail - 0x40); }

    std::array<QByteArray, 256> single_;
    std::array<QByteArray, 0x7E * 0xC0> double_;
};

const FoldTable& foldTable()
{
    static const FoldTable table;
    return table;
}

QByteArray invalidKey(const QByteArray& line)
{
    QByteArray key;
    key.reserve(line.size() + 1);
    key.append(kInvalidMark);
    for (char c : line)
        key.append(c >= 'A' && c <= 'Z' ? char(c + 32) : c);
    return key;
}

} // namespace

QByteArray caseFoldKey(const QByteArray& line)
{
    const FoldTable& table = foldTable();
    QByteArray key;
    key.reserve(line.size() + 1);
    key.append(kValidMark);
    const auto* bytes = reinterpret_cast<const unsigned char*>(line.constData());
    const qsizetype size = line.size();
    for (qsizetype i = 0; i < size; ++i) {
        const unsigned char byte = bytes[i];
        if (isLeadByte(byte)) {
            if (i + 1 >= size || !isTrailByte(bytes[i + 1]))
                return invalidKey(line);
            const QByteArray& unit = table.pair(byte, bytes[i + 1]);
            if (unit.isEmpty())
                return invalidKey(line);
            key.append(unit);
            ++i;
            continue;
        }
        const QByteArray& unit = table.single(byte);
        if (unit.isEmpty())
            return invalidKey(line);
        key.append(unit);
    }
    return key;
}

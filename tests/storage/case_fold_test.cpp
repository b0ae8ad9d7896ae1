#include "storage/case_fold.h"
#include "support/gbk_literals.h"

#include <QHash>
#include <QStringDecoder>
#include <gtest/gtest.h>

namespace {

// Every unit the table covers: the bytes 00-80 and FF alone, and every lead
// and trail byte pair.
std::vector<QByteArray> allUnits()
{
    std::vector<QByteArray> units;
    for (int byte = 0; byte <= 0x80; ++byte)
        units.push_back(QByteArray(1, char(byte)));
    units.push_back(QByteArray(1, char(0xFF)));
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail)
            if (trail != 0x7F)
                units.push_back(QByteArray() + char(lead) + char(trail));
    return units;
}

TEST(CaseFoldKey, UnitsShareAKeyExactlyWhenTheirTextsFoldAlike)
{
    QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    QHash<QString, QByteArray> keyOfFold;
    QHash<QByteArray, QString> foldOfKey;
    int decodable = 0;
    for (const QByteArray& unit : allUnits()) {
        decoder.resetState();
        const QString decoded = decoder.decode(unit);
        const QByteArray key = caseFoldKey(unit);
        if (decoder.hasError() || decoded.isEmpty()) {
            EXPECT_TRUE(key.startsWith('I')) << unit.toHex().constData();
            continue;
        }
        ++decodable;
        ASSERT_TRUE(key.startsWith('V')) << unit.toHex().constData();
        const QString folded = decoded.toCaseFolded();
        EXPECT_EQ(keyOfFold.value(folded, key), key) << unit.toHex().constData();
        EXPECT_EQ(foldOfKey.value(key, folded), folded) << unit.toHex().constData();
        keyOfFold.insert(folded, key);
        foldOfKey.insert(key, folded);
    }
    EXPECT_GT(decodable, 20000);
}

TEST(CaseFoldKey, KeysOfWholeLinesFoldEveryUnit)
{
    EXPECT_EQ(caseFoldKey(G("张三 ABC 110101199001011234X")),
              caseFoldKey(G("张三 abc 110101199001011234x")));
    EXPECT_EQ(caseFoldKey(G("ΩΜΈΓΑ дима")), caseFoldKey(G("ωμέγα ДИМА")));
    EXPECT_NE(caseFoldKey(G("王五ａｂｃ")), caseFoldKey(G("王五abc")));
    EXPECT_NE(caseFoldKey("ab"), caseFoldKey("abc"));
    EXPECT_EQ(caseFoldKey(""), caseFoldKey(QByteArray()));
}

TEST(CaseFoldKey, ABufferReusedForManyLinesGivesEachLineItsOwnKey)
{
    const std::vector<QByteArray> lines = {
        G("欧阳娜娜 ABCDEFGHIJKLMNOPQRSTUVWXYZ 440101199912319999"),
        "ab",
        QByteArray("\x81\x30Xy", 4), // not GBK: a key of the other kind
        "",
        G("李四ＡＢ"),
        QByteArray("abc\x81", 4), // a lead byte with no trail byte
        "Z",
    };
    QByteArray key;
    for (const QByteArray& line : lines) {
        caseFoldKeyInto(line, key);
        EXPECT_EQ(key, caseFoldKey(line)) << line.toHex().constData();
    }
    EXPECT_EQ(caseFoldKey(QByteArray("\x81\x30Xy", 4)), QByteArray("I\x81\x30xy", 5));
    EXPECT_EQ(caseFoldKey(QByteArray("abc\x81", 4)), QByteArray("Iabc\x81", 5));
}

TEST(CaseFoldKey, AKeyIsOwnExactlyWhenNoOtherTextHasIt)
{
    // Every unit against every other unit.
    QHash<QByteArray, int> unitsPerKey;
    for (const QByteArray& unit : allUnits())
        ++unitsPerKey[caseFoldKey(unit)];
    for (const QByteArray& unit : allUnits())
        EXPECT_EQ(caseFoldKeyIsOwn(unit), unitsPerKey[caseFoldKey(unit)] == 1)
            << unit.toHex().constData();

    // Whole texts, GBK and not: a text that is not GBK folds ASCII letters
    // wherever they stand, trail bytes included.
    const struct
    {
        QByteArray text;
        bool own;
    } texts[] = {
        {"", true},
        {"1100 2-3", true},
        {G("部门0"), true},
        {G("部门A"), false},
        {G("部门Ａ"), false},
        {G("ΩМ"), false},
        {QByteArray("\x81\x41\x81\x61", 4), true}, // 丂 and another, trail bytes A and a
        {QByteArray("\x81\x30", 2), true},
        {QByteArray("\x81\x30"
                    "12",
                    4),
         true},
        {QByteArray("\x81\x30\x81\x41", 4), false},
        {QByteArray("abc\x81", 4), false},
    };
    for (const auto& t : texts)
        EXPECT_EQ(caseFoldKeyIsOwn(t.text), t.own) << t.text.toHex().constData();
}

} // namespace

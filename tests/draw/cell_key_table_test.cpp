#include "draw/cell_key_table.h"
#include "draw/line_cell_keys.h"
#include "draw/participant_columns.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <map>

// A sign-in list of thousands: the table grows past its sparse size, keeps
// long cells apart, and finds exactly what was put in, the first number of a
// cell put in twice; mayHold never turns a listed cell away.
TEST(CellKeyTable, FindsExactlyTheCellsPutInAtEveryLengthAndSize)
{
    QRandomGenerator random(7);
    const auto cell = [&] {
        QByteArray bytes(random.bounded(25), '\0');
        for (char& byte : bytes)
            byte = "ab1\t \x81\xfe"[random.bounded(7)];
        return bytes;
    };
    CellKeyTable table;
    std::map<QByteArray, int> expected;
    for (int i = 0; i < 10000; ++i) {
        const QByteArray bytes = cell();
        table.insert(bytes, i);
        expected.emplace(bytes, i);
    }
    EXPECT_EQ(table.size(), expected.size());
    for (const auto& [bytes, number] : expected) {
        const int* found = table.find(CellKey::of(bytes));
        ASSERT_TRUE(found && *found == number) << bytes.toHex().constData();
        ASSERT_TRUE(table.mayHold(bytes.data(), bytes.size()));
    }
    for (int i = 0; i < 10000; ++i) {
        const QByteArray bytes = cell();
        EXPECT_EQ(table.contains(CellKey::of(bytes)), expected.count(bytes) == 1)
            << bytes.toHex().constData();
    }
}

// Wherever LineTabs takes a line, its cells are those of the byte-by-byte split.
TEST(LineTabs, TakesCleanLinesOfSixteenToSixtyFourBytesWithTheCellsOfTheSplit)
{
    QRandomGenerator random(8);
    int taken = 0;
    for (int i = 0; i < 20000; ++i) {
        QByteArray line(random.bounded(80), '\0');
        const int letters = random.bounded(2) ? 4 : 8; // with blanks or without
        for (char& byte : line)
            byte = "abc\t\t \x05\xb2"[random.bounded(letters)];
        LineTabs tabs;
        if (!tabs.read(line))
            continue;
        ++taken;
        EXPECT_TRUE(line.size() >= 16 && line.size() <= 64);
        for (int column = -1; column < 6; ++column)
            ASSERT_EQ(tabs.cell(column).toByteArray(), cellAt(line, column))
                << line.toHex().constData() << " " << column;
    }
    EXPECT_GT(taken, 3000) << "clean lines of those lengths are taken";
}

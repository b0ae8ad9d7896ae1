#include "base/app_error.h"
#include "storage/text_line_list.h"
#include "support/gbk_literals.h"
#include "support/working_directory.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

std::vector<QByteArray> loadBytes(const ScopedWorkingDirectory& dir, const QByteArray& bytes)
{
    dir.writeFile("list.txt", bytes);
    TextLineList list;
    list.load("list.txt");
    return list.copyLines();
}

using Lines = std::vector<QByteArray>;

TEST(TextLineListLoad, EveryKindOfLineBreakEndsOneLine)
{
    ScopedWorkingDirectory dir;
    const Lines ab{"A", "B"};
    EXPECT_EQ(loadBytes(dir, "A\r\nB\r\n"), ab);
    EXPECT_EQ(loadBytes(dir, "A\nB"), ab);
    EXPECT_EQ(loadBytes(dir, "A\rB"), ab);
    EXPECT_EQ(loadBytes(dir, "A\r\nB"), ab);
}

TEST(TextLineListLoad, LfCrAndCrCrLfGiveAnEmptyLineBetween)
{
    ScopedWorkingDirectory dir;
    const Lines withEmpty{"A", "", "B"};
    EXPECT_EQ(loadBytes(dir, "A\n\rB"), withEmpty);
    EXPECT_EQ(loadBytes(dir, "A\r\r\nB"), withEmpty);
}

TEST(TextLineListLoad, FinalBreaksEmptyFilesAndZeroBytes)
{
    ScopedWorkingDirectory dir;
    EXPECT_EQ(loadBytes(dir, "A\r\n"), Lines{"A"});
    EXPECT_EQ(loadBytes(dir, "\r\n"), Lines{""});
    EXPECT_EQ(loadBytes(dir, ""), Lines{});
    EXPECT_EQ(loadBytes(dir, QByteArray("\0A\r\n", 4)), Lines{});
    EXPECT_EQ(loadBytes(dir, QByteArray("A\r\nB\0more\r\nC", 13)), (Lines{"A", "B"}));
}

TEST(TextLineListLoad, KeepsGbkAndByteOrderMarkBytesAsTheyAre)
{
    ScopedWorkingDirectory dir;
    const QByteArray name = G("张三 110101199001011234");
    EXPECT_EQ(loadBytes(dir, "\xEF\xBB\xBF" + name + "\r\n"), Lines{"\xEF\xBB\xBF" + name});
}

TEST(TextLineListLoad, MissingFileFailsWithFullPathAndKeepsTheList)
{
    ScopedWorkingDirectory dir;
    TextLineList list;
    list.add("kept");
    try {
        list.load("missing.txt");
        FAIL() << "load of a missing file succeeded";
    } catch (const AppError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Cannot open file \"%1\". 此文件或目录不存在")
                                       .arg(dir.filePath("missing.txt")));
    }
    EXPECT_EQ(list.copyLines(), Lines{"kept"});
}

TEST(TextLineListSave, WritesEveryLineWithCrLfAndNothingForAnEmptyList)
{
    ScopedWorkingDirectory dir;
    TextLineList list;
    list.add("A");
    list.add(G("李四"));
    list.save("out.txt");
    EXPECT_EQ(dir.readFile("out.txt"), "A\r\n" + G("李四") + "\r\n");
    list.clear();
    list.save("out.txt");
    EXPECT_EQ(dir.readFile("out.txt"), QByteArray());
}

// The joined text is every line and CR LF whatever the file held; only a
// file of CR LF lines unchanged since it was read is shared, not copied.
TEST(TextLineListSave, JoinedTextSharesTheBufferOnlyWhenItHoldsJustThat)
{
    ScopedWorkingDirectory dir;
    const struct
    {
        QByteArray file;
        char change; // ' ' none, 'a' a line added, 'd' the first deleted
        bool shared;
    } cases[] = {
        {"A\r\nB\r\n", ' ', true},  {"A\r\n\r\nB\r\n", ' ', true}, {"", ' ', true},
        {"A\nB\n", ' ', false},     {"A\r\nB", ' ', false},        {"A\rB\r\n", ' ', false},
        {"A\r\nB\r\n", 'a', false}, {"A\r\nB\r\n", 'd', false},
    };
    for (const auto& each : cases) {
        dir.writeFile("list.txt", each.file);
        TextLineList list;
        list.load("list.txt");
        if (each.change == 'a')
            list.add("C");
        if (each.change == 'd')
            list.deleteAt(0);
        QByteArray expected;
        for (const QByteArray& line : list.copyLines())
            expected += line + "\r\n";
        EXPECT_EQ(list.joined(), expected) << each.file.constData() << each.change;
        EXPECT_EQ(list.bufferIsJoined(), each.shared) << each.file.constData() << each.change;
    }
}

TEST(TextLineListSave, ARefusedSaveLeavesTheOldBytes)
{
    ScopedWorkingDirectory dir;
    dir.writeFile("out.txt", "old\r\n");
    dir.makeReadOnly("out.txt");
    TextLineList list;
    list.add("new");
    try {
        list.save("out.txt");
        FAIL() << "save over a read-only file succeeded";
    } catch (const AppError& error) {
        EXPECT_TRUE(error.message().startsWith(
            QStringLiteral("Cannot create file \"%1\". ").arg(dir.filePath("out.txt"))));
    }
    EXPECT_EQ(dir.readFile("out.txt"), "old\r\n");
}

TEST(TextLineListSave, ADirectoryInThePlaceOfTheFileIsRefused)
{
    ScopedWorkingDirectory dir;
    QDir(dir.path()).mkdir("out.txt");
    TextLineList list;
    EXPECT_THROW(list.save("out.txt"), AppError);
}

TEST(TextLineListIndexes, OutOfRangeGetAndDeleteFailWithTheIndex)
{
    TextLineList list;
    list.add("A");
    try {
        list.deleteAt(-1);
        FAIL();
    } catch (const AppError& error) {
        EXPECT_EQ(error.message(), "List index out of bounds (-1)");
    }
    try {
        list.get(1);
        FAIL();
    } catch (const AppError& error) {
        EXPECT_EQ(error.message(), "List index out of bounds (1)");
    }
    EXPECT_EQ(list.count(), 1);
}

TEST(TextLineListFind, IgnoresCaseOfLettersAndFindsTheFirstMatch)
{
    TextLineList list;
    list.add("alice 001");
    list.add("Bob 002");
    list.add("BOB 002");
    EXPECT_EQ(list.find("ALICE 001"), 0);
    EXPECT_EQ(list.find("bob 002"), 1);
    EXPECT_EQ(list.find("bob 003"), -1);
    list.deleteAt(1);
    EXPECT_EQ(list.find("bob 002"), 1);
    list.add("carol");
    EXPECT_EQ(list.find("CAROL"), 2);
}

TEST(TextLineListFind, FoldsFullWidthGreekAndCyrillicButKeepsWidthsApart)
{
    TextLineList list;
    list.add(G("王五ＡＢＣ"));
    list.add(G("Ωμέγα"));
    list.add(G("ДИМА"));
    EXPECT_EQ(list.find(G("王五ａｂｃ")), 0);
    EXPECT_EQ(list.find(G("王五abc")), -1);
    EXPECT_EQ(list.find(G("ωμέγα")), 1);
    EXPECT_EQ(list.find(G("дима")), 2);
}

TEST(TextLineListFind, InvalidGbkLinesMatchOnlyByBytes)
{
    TextLineList list;
    list.add(QByteArray("\x81\x30X", 3));
    list.add(QByteArray("\x82\x31x", 3));
    list.add(QByteArray("\xFF", 1));
    EXPECT_EQ(list.find(QByteArray("\x82\x31X", 3)), 1);
    EXPECT_EQ(list.find(QByteArray("\x81\x30x", 3)), 0);
    EXPECT_EQ(list.find(QByteArray("\x83\x32x", 3)), -1);
    EXPECT_EQ(list.find(QByteArray("\xFF", 1)), 2);
    EXPECT_EQ(list.find(QByteArray("\xB3", 1)), -1);
}

TEST(TextLineListFind, EmptyLineIsFoundByEmptyText)
{
    TextLineList list;
    list.add("A");
    EXPECT_EQ(list.find(""), -1);
    list.add("");
    EXPECT_EQ(list.find(""), 1);
}

} // namespace

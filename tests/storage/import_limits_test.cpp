// The limits every import keeps: the longest row, the largest file, the
// largest unpacked workbook part and the text a workbook may unpack to.
// Each refusal says which limit, and for a row which row.

#include "storage/list_builder.h"
#include "storage/list_file_reader.h"
#include "storage/winners_export.h"
#include "storage/xlsx_reader.h"
#include "storage/zip_archive_reader.h"
#include "support/spreadsheet_fixture_files.h"
#include "support/working_directory.h"

#include <gtest/gtest.h>

using list_file_reader::Problem;

namespace {

QByteArray workbookWithRows(const QList<QStringList>& rows)
{
    return winners_export::xlsxBytes(rows).value_or(QByteArray());
}

TEST(ImportLimits, ARowPastTheLongestLineIsRefusedAtItsRow)
{
    const QByteArray atLimit(ListBuilder::kMaxLineCharacters, 'x');
    const QByteArray over = atLimit + 'x';
    QByteArray manyRows;
    for (int i = 0; i < 2000; ++i)
        manyRows += "张三,110101\r\n";
    const struct
    {
        const char* name;
        QByteArray bytes;
        Problem problem;
        qint64 row;
    } cases[] = {
        {"list.csv", "a\r\nb\r\n" + over + "\r\nc\r\n", Problem::RowTooLong, 3},
        {"list.csv", "a\r\n" + atLimit + "\r\n", Problem::None, 0},
        // A quote never closed runs on over the rows after it.
        {"list.csv", "a\r\n\"b,1\r\n" + manyRows, Problem::RowTooLong, 2},
        // Rows count as a spreadsheet shows them, not as lines of the file.
        {"list.csv", "\"a\r\nb\",1\r\n" + over, Problem::RowTooLong, 2},
        {"list.txt", "a\nb\r\rc\n" + over, Problem::RowTooLong, 5},
        {"list.xlsx",
         workbookWithRows({{"姓名"}, {"a"}, {"b"}, {"c"}, {QString::fromLatin1(over)}, {"d"}}),
         Problem::RowTooLong, 5},
        {"list.xlsx", workbookWithRows({{"a", QString::fromLatin1(atLimit.chopped(2))}}),
         Problem::None, 0},
    };
    for (const auto& each : cases) {
        const list_file_reader::ListFile file = list_file_reader::fromBytes(each.bytes, each.name);
        EXPECT_EQ(file.problem, each.problem) << each.name << " row " << each.row;
        EXPECT_EQ(file.row, each.row) << each.name;
        if (file.problem == Problem::RowTooLong) {
            EXPECT_EQ(file.limit, ListBuilder::kMaxLineCharacters);
            EXPECT_TRUE(file.lines.isEmpty());
        }
    }
}

TEST(ImportLimits, WorkbookPartsDeclaredTooLargeAreRefusedUnpacked)
{
    const QByteArray workbook = workbookWithRows({{"张三"}, {"李四"}});
    const QByteArray bomb = withDeclaredSize(workbook, "xl/worksheets/sheet1.xml", 0xFFFFFF00u);
    const list_file_reader::ListFile file = list_file_reader::fromBytes(bomb, "bomb.xlsx");
    EXPECT_EQ(file.problem, Problem::UnpackedTooLarge);
    EXPECT_EQ(file.limit, ZipArchiveReader::kMaxMemberBytes);
    // Refused at the open, before a byte is inflated.
    ZipArchiveReader archive(bomb);
    EXPECT_EQ(archive.openMember("xl/worksheets/sheet1.xml"), ZipArchiveReader::Status::TooLarge);
    // A member that declares less than it holds is cut there: damaged.
    EXPECT_EQ(list_file_reader::fromBytes(withDeclaredSize(workbook, "xl/sharedStrings.xml", 40),
                                          "short.xlsx")
                  .problem,
              Problem::NotReadable);
}

TEST(ImportLimits, MemoryForTheListCountsTheStringTableAndTheField)
{
    QList<QStringList> rows;
    for (int i = 0; i < 200; ++i)
        rows << QStringList{QStringLiteral("参与者%1").arg(i) + QString(90, u'x')};
    const QByteArray workbook = workbookWithRows(rows);
    // 200 strings of about 100 characters: 40 kB as text for the table,
    // as much again for the lines, and 28 kB more in the field.
    const struct
    {
        qint64 reading;
        qint64 field;
        ListBuilder::Stop stop;
    } cases[] = {
        {30'000, 1'000'000, ListBuilder::Stop::TooMuchText}, // the table alone
        {60'000, 1'000'000, ListBuilder::Stop::TooMuchText},
        {100'000, 60'000, ListBuilder::Stop::TooMuchText}, // the lines in the field
        {100'000, 80'000, ListBuilder::Stop::None},
    };
    for (const auto& each : cases) {
        ListBuilder builder(each.reading, each.field);
        const xlsx_reader::Status status = xlsx_reader::read(workbook, builder);
        EXPECT_EQ(builder.stop(), each.stop) << each.reading << " " << each.field;
        EXPECT_EQ(status == xlsx_reader::Status::Ok, each.stop == ListBuilder::Stop::None);
    }
    // Millions of one-letter lines are no list: the field would need 150 MB.
    const list_file_reader::ListFile tiny =
        list_file_reader::fromBytes(QByteArray("a\n").repeated(1'300'000), "tiny.txt");
    EXPECT_EQ(tiny.problem, Problem::ListTooLarge);
    EXPECT_EQ(tiny.limit, list_file_reader::maxFieldBytes(2'600'000));
}

TEST(ImportLimits, FilesPastTheLargestSizeAreRefusedUnread)
{
    ScopedWorkingDirectory dir;
    QFile big(dir.filePath("big.csv"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(list_file_reader::kMaxFileBytes + 1)); // sparse
    big.close();
    const list_file_reader::ListFile file = list_file_reader::read(big.fileName());
    EXPECT_EQ(file.problem, Problem::FileTooLarge);
    EXPECT_EQ(file.limit, list_file_reader::kMaxFileBytes);
}

} // namespace

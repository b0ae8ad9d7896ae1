#include "storage/list_file_reader.h"
#include "support/spreadsheet_fixture_files.h"
#include "support/working_directory.h"

#include <QStringEncoder>
#include <gtest/gtest.h>
#include <sys/stat.h>

using list_file_reader::Problem;

namespace {

QStringList lines(std::initializer_list<const char*> utf8)
{
    QStringList result;
    for (const char* line : utf8)
        result << QString::fromUtf8(line);
    return result;
}

TEST(WorkbookFromRealPrograms, OpenpyxlInlineStringsNumbersDatesAndGaps)
{
    const auto file = list_file_reader::read(fixturePath("openpyxl_participants.xlsx"));
    ASSERT_EQ(file.problem, Problem::None);
    // Only the first sheet; the empty row and cell are left out; the formula
    // has no stored value, so it is left out too.
    EXPECT_EQ(file.lines.toList(),
              lines({"姓名\t部门\t工号\t身份证号", "张三\t市场部\t1000123\t110101199003074518",
                     "李四\t1000124\t11010119900307451X", "王五\t研发部\t1234567890123456\t0.3",
                     "赵六\t2024-02-09\t2.5"}));
    EXPECT_TRUE(file.firstLineLooksLikeTitles);
}

TEST(WorkbookFromRealPrograms, CalcSharedStringsWithRunsAndTextColumns)
{
    const auto file = list_file_reader::read(fixturePath("calc_participants.xlsx"));
    ASSERT_EQ(file.problem, Problem::None);
    EXPECT_EQ(file.lines.toList(), lines({"姓名\t部门\t工号\t身份证号",
                                          "陈七\t财务部, 二组\t1000125\t110101199003074526",
                                          "周\"八\"\t行政部\t1000126\t110101199003074534"}));
}

TEST(WorkbookFromRealPrograms, CalcComputedFormulaAndItsOwnDateFormat)
{
    const auto file = list_file_reader::read(fixturePath("calc_resaved_participants.xlsx"));
    ASSERT_EQ(file.problem, Problem::None);
    ASSERT_EQ(file.lines.size(), 5);
    EXPECT_EQ(file.lines.toList()[3], QString::fromUtf8("王五\t研发部\t1234567890123460\t0.3"));
    EXPECT_EQ(file.lines.toList()[4], QString::fromUtf8("赵六\t2024-02-09\t2.5\t5"));
}

TEST(WorkbookFromRealPrograms, RefusalsOfUnreadableFiles)
{
    EXPECT_EQ(list_file_reader::read(fixturePath("calc_participants.xls")).problem,
              Problem::Encrypted);
    EXPECT_EQ(list_file_reader::read(fixturePath("openpyxl_empty.xlsx")).problem, Problem::Empty);
    const QByteArray workbook = fixtureBytes("calc_participants.xlsx");
    // Cut short, the archive's directory is gone.
    EXPECT_EQ(list_file_reader::fromBytes(workbook.left(workbook.size() / 2), "a.xlsx").problem,
              Problem::NotReadable);
    EXPECT_EQ(
        list_file_reader::fromBytes(QByteArrayLiteral("PK\x03\x04 not really"), "a.xlsx").problem,
        Problem::NotReadable);
    EXPECT_EQ(list_file_reader::fromBytes(QByteArray("a\0b", 3), "a.txt").problem, Problem::Binary);
    EXPECT_EQ(list_file_reader::fromBytes("", "a.csv").problem, Problem::Empty);
    EXPECT_EQ(list_file_reader::fromBytes(" \r\n,,\r\n\t\n", "a.csv").problem, Problem::Empty);
}

// Random bytes, as a compressed stream of a PDF or a picture holds them.
QByteArray noise(int size)
{
    QByteArray bytes;
    quint32 state = 12345;
    for (int i = 0; i < size; ++i) {
        state = state * 1103515245u + 12345u;
        bytes += static_cast<char>((state >> 16) & 0xFF);
    }
    return bytes.replace('\0', '\1');
}

TEST(ListFiles, WhatNoListIsIsRefusedByItsContent)
{
    const QByteArray pdf = "%PDF-1.4\n1 0 obj<<>>endobj\ntrailer<</Root 1 0 R>>\n%%EOF\n";
    const QByteArray names = "张三\r\n李四\r\n王五\r\n";
    const struct
    {
        const char* name;
        QByteArray bytes;
        Problem problem;
    } cases[] = {
        {"renamed.xlsx", pdf, Problem::NotReadable},
        {"list.XLSX", names, Problem::NotReadable},
        {"list.csv", "张三,1\r\n" + QByteArray("\0\0\0\x01", 4) + "李四,2\r\n", Problem::Binary},
        {"list.txt", noise(4096), Problem::Binary},
        {"list.txt", names + noise(2000).replace('\0', '\x02'), Problem::Binary},
        // A stray end-of-file mark or escape in a list is no binary file.
        {"list.txt", names + "\x1B[0m\x1A", Problem::None},
        {"list.txt", "张三\v110\f\r\n", Problem::None},
    };
    for (const auto& each : cases)
        EXPECT_EQ(list_file_reader::fromBytes(each.bytes, each.name).problem, each.problem)
            << each.name << " " << each.bytes.left(12).toHex().toStdString();
}

TEST(ListFiles, MissingFilesAndPipesAreRefusedWithoutBlocking)
{
    ScopedWorkingDirectory dir;
    EXPECT_EQ(list_file_reader::read(dir.filePath("missing.csv")).problem, Problem::CannotOpen);
    const QString pipe = dir.filePath("pipe.csv");
    ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    EXPECT_EQ(list_file_reader::read(pipe).problem, Problem::CannotOpen);
    EXPECT_EQ(list_file_reader::read(dir.path()).problem, Problem::CannotOpen);
}

struct EncodedText
{
    const char* name;
    QByteArray bytes;
};

class TextEncodings : public ::testing::TestWithParam<EncodedText>
{
};

TEST_P(TextEncodings, AreDetectedWithoutAsking)
{
    const auto file = list_file_reader::fromBytes(GetParam().bytes, "list.txt");
    ASSERT_EQ(file.problem, Problem::None);
    EXPECT_EQ(file.lines.toList(), lines({"王䶮 110101", "Zoë\t研发部"}));
}

QByteArray encoded(const char* encoding, const char* utf8)
{
    QStringEncoder encoder(encoding);
    return encoder.encode(QString::fromUtf8(utf8));
}

const char kList[] = "王䶮 110101\r\nZoë\t研发部\r\n";

INSTANTIATE_TEST_SUITE_P(
    Files, TextEncodings,
    ::testing::Values(EncodedText{"Utf8", QByteArray(kList)},
                      EncodedText{"Utf8WithMark", "\xEF\xBB\xBF" + QByteArray(kList)},
                      EncodedText{"Utf16LeWithMark", "\xFF\xFE" + encoded("UTF-16LE", kList)},
                      EncodedText{"Utf16BeWithMark", "\xFE\xFF" + encoded("UTF-16BE", kList)},
                      EncodedText{"Gb18030", encoded("GB18030", kList)}),
    [](const auto& info) { return std::string(info.param.name); });

// Longer than a piece the decoder takes at a time, and than a block of
// lines: characters cut between pieces, and lines between blocks, stay whole.
TEST(ListFiles, LongFilesAreReadWholeAcrossPieces)
{
    const QString list = QString::fromUtf8(kList).repeated(1 << 17);
    QStringEncoder utf16("UTF-16LE");
    QStringEncoder gb18030("GB18030");
    for (const QByteArray& bytes :
         {list.toUtf8(), "\xEF\xBB\xBF" + list.toUtf8(),
          "\xFF\xFE" + QByteArray(utf16.encode(list)), QByteArray(gb18030.encode(list))}) {
        const auto file = list_file_reader::fromBytes(bytes, "list.txt");
        ASSERT_EQ(file.problem, Problem::None);
        const QStringList read = file.lines.toList();
        ASSERT_EQ(read.size(), 2 << 17);
        EXPECT_EQ(read.join(u'\n') + u'\n', QString(list).replace(QStringLiteral("\r\n"), "\n"))
            << bytes.left(4).toHex().toStdString();
    }
}

// Handed over block by block, a list is the same lines in the same order,
// every block whole lines; a workbook's come whole, and a false stops.
TEST(ListFiles, BlocksHandedOverMakeTheSameList)
{
    const QByteArray csv = ("工号,姓名\r\n" + QString::fromUtf8(kList).repeated(1 << 17)).toUtf8();
    const auto whole = list_file_reader::fromBytes(csv, "list.csv");
    QString handed;
    int blocks = 0;
    auto file = list_file_reader::fromBytes(csv, "list.csv", [&](QString block) {
        EXPECT_TRUE(block.endsWith(u'\n'));
        handed += block;
        return ++blocks > 0;
    });
    ASSERT_EQ(file.problem, Problem::None);
    EXPECT_GT(blocks, 1);
    EXPECT_EQ(file.linesHandedOver + file.lines.size(), whole.lines.size());
    EXPECT_TRUE(file.firstLineLooksLikeTitles);
    for (const QString& block : file.lines.takeBlocks())
        handed += block;
    EXPECT_EQ(handed, whole.lines.toList().join(u'\n') + u'\n');

    EXPECT_EQ(list_file_reader::fromBytes(csv, "list.csv", [](QString) { return false; }).problem,
              Problem::Cancelled);
    const auto workbook = list_file_reader::fromBytes(fixtureBytes("calc_participants.xlsx"),
                                                      "list.xlsx", [](QString) { return false; });
    EXPECT_EQ(workbook.problem, Problem::None);
}

TEST(ListFiles, GbkTextWithoutMark)
{
    QStringEncoder gbk("GBK");
    const QByteArray bytes = gbk.encode(QStringLiteral("张三\n李四\n"));
    EXPECT_EQ(list_file_reader::fromBytes(bytes, "list.txt").lines.toList(),
              lines({"张三", "李四"}));
}

TEST(ListFiles, CsvAndTextRowsBecomeTabJoinedLines)
{
    const QByteArray csv = "姓名;部门;工号\r\n张三;\"市场;部\";1000123\r\n;;\r\n\"李\r\n四\";;7\n";
    const auto file = list_file_reader::fromBytes(csv, "list.CSV");
    EXPECT_EQ(file.lines.toList(),
              lines({"姓名\t部门\t工号", "张三\t市场;部\t1000123", "李 四\t7"}));
    EXPECT_TRUE(file.firstLineLooksLikeTitles);
    // A text file keeps commas, quotes and blanks; only tabs separate cells.
    const auto text = list_file_reader::fromBytes("张三, \"甲\"\t\t110\n\n李四 120", "list.txt");
    EXPECT_EQ(text.lines.toList(), lines({"张三, \"甲\"\t110", "李四 120"}));
    EXPECT_FALSE(text.firstLineLooksLikeTitles);
}

TEST(ListFiles, TitlesAreTheUsualColumnNames)
{
    EXPECT_TRUE(list_file_reader::fromRows({{"序号", "张三"}}).firstLineLooksLikeTitles);
    EXPECT_TRUE(list_file_reader::fromRows({{"", " Name "}}).firstLineLooksLikeTitles);
    EXPECT_TRUE(list_file_reader::fromRows({{"手机号：", "x"}}).firstLineLooksLikeTitles);
    EXPECT_FALSE(list_file_reader::fromRows({{"张三", "姓名不详"}}).firstLineLooksLikeTitles);
    // The first row with content is the one judged.
    EXPECT_TRUE(list_file_reader::fromRows({{" "}, {"姓名"}, {"张三"}}).firstLineLooksLikeTitles);
}

} // namespace

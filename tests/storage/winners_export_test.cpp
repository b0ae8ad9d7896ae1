#include "storage/list_file_reader.h"
#include "storage/winners_export.h"
#include "support/gbk_literals.h"
#include "support/workbook_read_back.h"
#include "support/working_directory.h"

#include <QJsonValue>
#include <gtest/gtest.h>

namespace {

std::vector<QByteArray> onScreenResults()
{
    return {G("抽奖结果："), G("五等奖：张三\t市场部\t110101199003074518 时间：2011-1-30 14:30:05"),
            G("四等奖：李四 时间：2011-1-30 14:31:00"),
            // A participant whose own line holds the separator text.
            G("特等奖：王五 时间：待定\t1000126 时间：2011-1-30 14:32:10"), G("")};
}

QByteArray prizeOf(PrizeLevel level)
{
    return level == PrizeLevel::Fifth ? G("保温杯, \"大号\"") : G("电脑");
}

QList<QStringList> expectedTable()
{
    auto u = [](const char* text) { return QString::fromUtf8(text); };
    return {
        {u("序号"), u("奖项"), u("奖品"), u("中奖者"), u("信息2"), u("信息3"), u("时间")},
        {u("1"), u("五等奖"), u("保温杯, \"大号\""), u("张三"), u("市场部"),
         u("110101199003074518"), u("2011-1-30 14:30:05")},
        {u("2"), u("四等奖"), u("电脑"), u("李四"), u(""), u(""), u("2011-1-30 14:31:00")},
        {u("3"), u("特等奖"), u("电脑"), u("王五 时间：待定"), u("1000126"), u(""),
         u("2011-1-30 14:32:10")},
    };
}

TEST(WinnersExport, TableFromTheOnScreenResults)
{
    const auto winners = winners_export::winnersFromResultsLines(onScreenResults());
    ASSERT_EQ(winners.size(), 3u);
    EXPECT_EQ(winners_export::table(winners, prizeOf), expectedTable());
    EXPECT_EQ(winners_export::table({}, prizeOf).size(), 1);
}

// The title row of the list names the participant's columns; a voided
// winner has a sheet of its own in the workbook and a status in the CSV file.
TEST(WinnersExport, ColumnTitlesAndVoidedWinners)
{
    std::vector<winners_export::Winner> winners =
        winners_export::winnersFromResultsLines(onScreenResults());
    winners[1].voided = true;
    winners[1].voidedTime = "2011-1-30 14:31:40";
    auto u = [](std::initializer_list<const char*> cells) {
        QStringList row;
        for (const char* cell : cells)
            row << QString::fromUtf8(cell);
        return row;
    };
    const QByteArray titles = G("姓名\t部门\t工号\t手机");
    const QStringList header = u({"序号", "奖项", "奖品", "姓名", "部门", "工号", "手机", "时间"});

    const std::vector<winners_export::Sheet> sheets =
        winners_export::workbookSheets(winners, prizeOf, titles);
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[0].name, QStringLiteral("中奖名单"));
    EXPECT_EQ(sheets[0].rows,
              QList<QStringList>({header,
                                  u({"1", "五等奖", "保温杯, \"大号\"", "张三", "市场部",
                                     "110101199003074518", "", "2011-1-30 14:30:05"}),
                                  u({"2", "特等奖", "电脑", "王五 时间：待定", "1000126", "", "",
                                     "2011-1-30 14:32:10"})}));
    EXPECT_EQ(sheets[1].name, QStringLiteral("作废记录"));
    EXPECT_EQ(
        sheets[1].rows,
        QList<QStringList>(
            {u({"序号", "奖项", "姓名", "部门", "工号", "手机", "抽中时间", "作废时间"}),
             u({"1", "四等奖", "李四", "", "", "", "2011-1-30 14:31:00", "2011-1-30 14:31:40"})}));

    const QList<QStringList> csv = winners_export::csvTable(winners, prizeOf, titles);
    ASSERT_EQ(csv.size(), 4);
    EXPECT_EQ(csv[0], header + u({"状态", "作废时间"}));
    EXPECT_EQ(csv[1].mid(8), u({"有效", ""}));
    EXPECT_EQ(csv[2], u({"", "四等奖", "电脑", "李四", "", "", "", "2011-1-30 14:31:00", "作废",
                         "2011-1-30 14:31:40"}));
    EXPECT_EQ(csv[3].value(0), QStringLiteral("2"));

    // Without titles and voids, as before.
    winners[1].voided = false;
    EXPECT_EQ(winners_export::csvTable(winners, prizeOf), expectedTable());
    EXPECT_EQ(winners_export::workbookSheets(winners, prizeOf).size(), 1u);
}

TEST(WinnersExport, CsvIsUtf8WithMarkAndQuotedFields)
{
    const QByteArray csv =
        winners_export::csvBytes({{QStringLiteral("序号"), QStringLiteral("奖品")},
                                  {QStringLiteral("1"), QStringLiteral("保温杯, \"大号\"")},
                                  {QStringLiteral("2"), QStringLiteral("a;b\nc")}});
    EXPECT_EQ(
        csv,
        QByteArray("\xEF\xBB\xBF") +
            QStringLiteral("序号,奖品\r\n1,\"保温杯, \"\"大号\"\"\"\r\n2,\"a;b\nc\"\r\n").toUtf8());
    // Our own CSV reader reads it back to the same cells.
    const auto back = list_file_reader::fromBytes(csv, "winners.csv");
    EXPECT_EQ(back.lines.toList().value(1), QStringLiteral("1\t保温杯, \"大号\""));
}

TEST(WinnersExport, TargetFollowsTheNameThenTheChosenType)
{
    using winners_export::Format;
    EXPECT_EQ(winners_export::target("/x/a.CSV", 0).format, Format::Csv);
    EXPECT_EQ(winners_export::target("/x/a.xlsx", 1).format, Format::Xlsx);
    EXPECT_EQ(winners_export::target("/x/a", 1).path, "/x/a.csv");
    EXPECT_EQ(winners_export::target("/x/a", 1).format, Format::Csv);
    EXPECT_EQ(winners_export::target("/x/a.txt", -1).path, "/x/a.txt.xlsx");
    EXPECT_EQ(winners_export::target("/x/a", 0).format, Format::Xlsx);
}

TEST(WinnersExport, WorkbookReadBackByOpenpyxlCellForCell)
{
    if (!openpyxlAvailable())
        GTEST_SKIP() << "python3-openpyxl is not installed";
    ScopedWorkingDirectory dir;
    const QString path = dir.filePath("winners.xlsx");
    const QList<QStringList> table = expectedTable();
    ASSERT_TRUE(winners_export::save(path, winners_export::Format::Xlsx, table).ok());

    QString why;
    const std::optional<QJsonArray> cells = cellsReadByOpenpyxl(path, &why);
    ASSERT_TRUE(cells) << why.toStdString();
    ASSERT_EQ(cells->size(), table.size());
    for (qsizetype row = 0; row < table.size(); ++row) {
        const QJsonArray read = cells->at(row).toArray();
        ASSERT_EQ(read.size(), table[row].size()) << "row " << row;
        for (qsizetype column = 0; column < read.size(); ++column) {
            const QJsonValue cell = read.at(column);
            const QString& written = table[row][column];
            if (row > 0 && column == 0) {
                EXPECT_TRUE(cell.isDouble()) << "the number is a number";
                EXPECT_EQ(cell.toInt(), written.toInt());
            } else if (written.isEmpty()) {
                EXPECT_TRUE(cell.isNull()) << row << "," << column;
            } else {
                // Long digit strings are text, so every digit is kept.
                EXPECT_EQ(cell.toString(), written) << row << "," << column;
            }
        }
    }
    // Our own reader agrees, empty cells left out.
    const auto back = list_file_reader::read(path);
    EXPECT_EQ(back.lines.toList().value(1), table[1].join(u'\t'));

    // The voided winners' sheet follows the winners'.
    const std::vector<winners_export::Sheet> sheets = {
        {QStringLiteral("中奖名单"), table},
        {QStringLiteral("作废记录"), {{QStringLiteral("序号")}, {QStringLiteral("1")}}}};
    ASSERT_TRUE(winners_export::save(path, sheets).ok());
    EXPECT_EQ(sheetNamesReadByOpenpyxl(path),
              QStringList({QStringLiteral("中奖名单"), QStringLiteral("作废记录")}));
    const std::optional<QJsonArray> voids = cellsReadByOpenpyxl(path, &why, 1);
    ASSERT_TRUE(voids);
    EXPECT_EQ(voids->at(1).toArray().at(0).toInt(), 1);
}

TEST(WinnersExport, AFailedWriteLeavesTheOldFile)
{
    ScopedWorkingDirectory dir;
    dir.writeFile("winners.csv", "old");
    dir.makeReadOnly("winners.csv");
    EXPECT_FALSE(winners_export::save(dir.filePath("winners.csv"), winners_export::Format::Csv,
                                      expectedTable())
                     .ok());
    EXPECT_EQ(dir.readFile("winners.csv"), "old");
}

} // namespace

namespace {

TEST(WinnersExport, AnExtraPrizesWinnerCarriesItsNameAndPrize)
{
    std::vector<winners_export::Winner> winners = winners_export::winnersFromResultsLines(
        {G("五等奖：张三 时间：2011-1-30 14:30:05"), G("【老板加奖】李四 时间：2011-1-30 14:31:00"),
         G("【未闭合李四")});
    ASSERT_EQ(winners.size(), 2u);
    EXPECT_EQ(winners[1].extraPrize, G("老板加奖"));
    EXPECT_EQ(winners[1].participantLine, G("李四"));
    winners[1].extraPrizeText = G("红包");
    const QList<QStringList> table = winners_export::table(winners, prizeOf);
    EXPECT_EQ(table[2].mid(0, 4), (QStringList{QStringLiteral("2"), QStringLiteral("老板加奖"),
                                               QStringLiteral("红包"), QStringLiteral("李四")}));
    EXPECT_EQ(table[1][1], QStringLiteral("五等奖"));
}

} // namespace

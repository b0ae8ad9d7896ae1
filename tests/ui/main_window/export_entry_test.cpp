#include "storage/list_file_reader.h"
#include "support/fake_services.h"
#include "support/gbk_literals.h"
#include "support/workbook_read_back.h"
#include "support/working_directory.h"
#include "ui/main_window/cou.h"
#include "ui/main_window/main_window_fixture.h"
#include "ui/main_window/round_controls.h"

#include "draw/draw_clock.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

class ExportEntryTest : public ::testing::Test
{
  protected:
    ExportEntryTest()
    {
        window = std::make_unique<TForm1>();
        fakes.boxes.shown.clear();
    }

    QAction* exportEntry() const
    {
        return window->popupMenu()->findChild<QAction*>(QStringLiteral("actExportWinners"));
    }
    QPlainTextEdit* results() const
    {
        return window->findChild<QPlainTextEdit*>(QStringLiteral("mmo1"),
                                                  Qt::FindDirectChildrenOnly);
    }

    ScopedWorkingDirectory dir;
    ScopedFakeServices fakes;
    std::unique_ptr<TForm1> window;
};

TEST_F(ExportEntryTest, EntryFollowsTheExistingOnes)
{
    const QList<QAction*> entries = window->popupMenu()->actions();
    ASSERT_GE(entries.size(), 4);
    EXPECT_EQ(entries[3], exportEntry());
    EXPECT_TRUE(entries[0]->text().startsWith(QStringLiteral("工作文件夹：")));
}

TEST_F(ExportEntryTest, NoWinnersNoFile)
{
    exportEntry()->trigger();
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_EQ(fakes.boxes.shown[0].text, QStringLiteral("还没有中奖记录，没有可导出的内容。"));
    EXPECT_EQ(fakes.dialogs.proposedNames.size(), 0);
}

TEST_F(ExportEntryTest, WinnersSavedAsCsvWithThePrizesOfTheSettings)
{
    results()->appendPlainText(QStringLiteral("五等奖：张三\t1000123 时间：2011-1-30 14:30:05"));
    fakes.dialogs.answers.push_back(dir.filePath("winners.csv"));
    exportEntry()->trigger();
    EXPECT_EQ(fakes.dialogs.proposedNames.value(0), QStringLiteral("中奖名单20110130143005"));
    const QByteArray csv = dir.readFile("winners.csv");
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.value(0), QStringLiteral("序号,奖项,奖品,中奖者,信息2,时间"));
    // The prize text of the fifth prize in the default settings.
    EXPECT_TRUE(lines.value(1).startsWith(QStringLiteral("1,五等奖,")));
    EXPECT_TRUE(lines.value(1).endsWith(QStringLiteral(",张三,1000123,2011-1-30 14:30:05")));
    EXPECT_TRUE(fakes.boxes.shown.back().text.startsWith(QStringLiteral("已导出 1 条中奖记录")));
}

TEST_F(ExportEntryTest, WinnersSavedAsWorkbookWhenTheNameHasNoType)
{
    results()->appendPlainText(QStringLiteral("五等奖：张三 时间：2011-1-30 14:30:05"));
    results()->appendPlainText(QStringLiteral("五等奖：李四 时间：2011-1-30 14:31:05"));
    fakes.dialogs.answers.push_back(dir.filePath("winners"));
    exportEntry()->trigger();
    const auto back = list_file_reader::read(dir.filePath("winners.xlsx"));
    ASSERT_EQ(back.problem, list_file_reader::Problem::None);
    EXPECT_EQ(back.lines.size(), 3);
    EXPECT_TRUE(back.lines.toList().value(2).startsWith(QStringLiteral("2\t五等奖\t")));
}

// A winner voided on the evening: on a sheet of their own in the workbook,
// with the time of the void from the history, and marked in the CSV file;
// the list's title row names the columns.
TEST_F(MainWindowTest, VoidedWinnersAndColumnTitlesInTheExport)
{
    writeParticipants(12);
    dir.writeFile("rafflixcolumns.txt", G("姓名\r\n"));
    drawOne();
    drawOne();
    fakes.clock.time = fakes.clock.time.addSecs(30);
    fakes.boxes.answers.push_back(BoxAnswer::Yes);
    window().roundControls()->voidWinnerOnLine(1);
    const QStringList shown = control<QPlainTextEdit>("mmo1")->toPlainText().split(u'\n');
    const QString voidedLine = shown.value(1); // 五等奖：<name> 时间：<time> 【作废】
    const QString name = voidedLine.section(u'：', 1).section(QStringLiteral(" 时间"), 0, 0);
    const QString drawnAt = voidedLine.section(QStringLiteral("时间："), 1).section(u' ', 0, 1);
    const QString voidedAt = gbk::decode(dateTimeText(fakes.clock.time));
    QAction* exportEntry =
        window().popupMenu()->findChild<QAction*>(QStringLiteral("actExportWinners"));

    fakes.dialogs.answers.push_back(dir.filePath("winners.csv"));
    exportEntry->trigger();
    const QStringList csv =
        QString::fromUtf8(dir.readFile("winners.csv").mid(3)).split(QStringLiteral("\r\n"));
    EXPECT_EQ(csv.value(0), QStringLiteral("序号,奖项,奖品,姓名,时间,状态,作废时间"));
    EXPECT_TRUE(csv.value(1).startsWith(u',')) << "no number for a voided winner";
    EXPECT_TRUE(
        csv.value(1).endsWith(QStringLiteral(",%1,%2,作废,%3").arg(name, drawnAt, voidedAt)))
        << csv.value(1).toStdString();
    EXPECT_TRUE(csv.value(2).startsWith(QStringLiteral("1,")));
    EXPECT_TRUE(csv.value(2).endsWith(QStringLiteral(",有效,")));
    EXPECT_TRUE(fakes.boxes.shown.back().text.startsWith(
        QStringLiteral("已导出 1 条中奖记录（另有 1 条作废记录）")));

    fakes.dialogs.answers.push_back(dir.filePath("winners.xlsx"));
    exportEntry->trigger();
    const auto winners = list_file_reader::read(dir.filePath("winners.xlsx"));
    EXPECT_EQ(winners.lines.size(), 2); // the header and the winner kept
    if (!openpyxlAvailable())
        GTEST_SKIP() << "python3-openpyxl is not installed";
    QString why;
    const std::optional<QJsonArray> voids =
        cellsReadByOpenpyxl(dir.filePath("winners.xlsx"), &why, 1);
    ASSERT_TRUE(voids) << why.toStdString();
    EXPECT_EQ(voids->at(0).toArray().at(2).toString(), QStringLiteral("姓名"));
    EXPECT_EQ(voids->at(1).toArray().at(2).toString(), name);
    EXPECT_EQ(voids->at(1).toArray().at(4).toString(), voidedAt);
}

} // namespace

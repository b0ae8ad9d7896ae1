#include "storage/screen_privacy_settings.h"
#include "support/spreadsheet_fixture_files.h"
#include "ui/settings_window/seti_file_import.h"
#include "ui/settings_window/settings_window_fixture.h"

#include <QFile>
#include <QTextCursor>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>

namespace {

class ImportFromFileTest : public SettingsWindowTest
{
  protected:
    QPlainTextEdit* field() const { return control<QPlainTextEdit>("mmo1"); }
    QString countText() const
    {
        QCoreApplication::processEvents();
        return control<QLabel>("lblParticipantCount")->text();
    }
    void chooseFile(const QString& path)
    {
        fakes.dialogs.answers.push_back(path);
        control<QPushButton>("btnImportFile")->click();
        // A large file is read aside; the button comes back when it is in.
        while (!control<QPushButton>("btnImportFile")->isEnabled())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
};

TEST_F(ImportFromFileTest, NewControlsLeaveTheExistingOnesInPlace)
{
    EXPECT_EQ(field()->geometry(), QRect(18, 24, 425, 153));
    EXPECT_EQ(control<QPushButton>("btn1")->geometry(), QRect(368, 192, 75, 25));
    EXPECT_EQ(control<QLabel>("lbl20")->pos(), QPoint(24, 192));
    const QRect button = control<QPushButton>("btnImportFile")->geometry();
    EXPECT_FALSE(button.intersects(control<QPushButton>("btn1")->geometry()));
    EXPECT_FALSE(button.intersects(control<QLabel>("lbl20")->geometry()));
    EXPECT_FALSE(
        control<QLabel>("lblParticipantCount")->geometry().intersects(field()->geometry()));
}

TEST_F(ImportFromFileTest, WorkbookRowsFillTheFieldWithoutTheTitleRow)
{
    fakes.boxes.answers.push_back(BoxAnswer::Yes); // leave the titles out
    chooseFile(fixturePath("calc_participants.xlsx"));
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_TRUE(fakes.boxes.shown[0].yesNo);
    EXPECT_TRUE(fakes.boxes.shown[0].text.contains(QStringLiteral("姓名\t部门\t工号\t身份证号")));
    EXPECT_EQ(field()->toPlainText(),
              QStringLiteral("陈七\t财务部, 二组\t1000125\t110101199003074526\n"
                             "周\"八\"\t行政部\t1000126\t110101199003074534\n"));
    EXPECT_TRUE(fakes.dialogs.filtersSeen.value(0).contains(QStringLiteral("*.xlsx *.csv *.txt")));

    // Imported with the import button as usual; the count follows.
    EXPECT_EQ(countText(), QStringLiteral("尚未导入名单"));
    control<QPushButton>("btn1")->click();
    EXPECT_EQ(dir.readFile("rafflixlist.txt"),
              G("陈七\t财务部, 二组\t1000125\t110101199003074526\r\n"
                "周\"八\"\t行政部\t1000126\t110101199003074534\r\n"));
    EXPECT_EQ(countText(), QStringLiteral("名单文件中现有 2 人"));
}

TEST_F(ImportFromFileTest, TitleRowKeptWhenTheOperatorSaysNo)
{
    fakes.boxes.answers.push_back(BoxAnswer::No);
    chooseFile(fixturePath("calc_participants.xlsx"));
    EXPECT_TRUE(field()->toPlainText().startsWith(QStringLiteral("姓名\t部门")));
}

TEST_F(ImportFromFileTest, RefusedFilesAndCancelledDialogsChangeNothing)
{
    const QString before = field()->toPlainText();
    chooseFile(QString()); // cancelled
    EXPECT_TRUE(fakes.boxes.shown.empty());
    chooseFile(fixturePath("calc_participants.xls"));
    chooseFile(fixturePath("openpyxl_empty.xlsx"));
    chooseFile(dir.filePath("missing.csv"));
    ASSERT_EQ(fakes.boxes.shown.size(), 3u);
    EXPECT_TRUE(fakes.boxes.shown[0].text.contains(QStringLiteral("已加密")));
    EXPECT_TRUE(fakes.boxes.shown[1].text.contains(QStringLiteral("没有数据")));
    EXPECT_TRUE(fakes.boxes.shown[2].text.startsWith(QStringLiteral("无法打开文件“missing.csv”")));
    for (const BoxRequest& box : fakes.boxes.shown)
        EXPECT_EQ(box.icon, BoxIcon::Warning);
    EXPECT_EQ(field()->toPlainText(), before);
    EXPECT_FALSE(dir.exists("rafflixlist.txt"));
}

TEST_F(ImportFromFileTest, FilesThatAreNoListsAreRefusedWithTheReason)
{
    dir.writeFile("renamed.xlsx", "%PDF-1.4\n1 0 obj<<>>endobj\n");
    dir.writeFile("list.csv", QByteArray("\xFF\xD8\xFF\xE0\0\x10JFIF\0\x01", 12));
    const QString before = field()->toPlainText();
    chooseFile(dir.filePath("renamed.xlsx"));
    chooseFile(dir.filePath("list.csv"));
    ASSERT_EQ(fakes.boxes.shown.size(), 2u);
    EXPECT_EQ(fakes.boxes.shown[0].text,
              QStringLiteral("文件“renamed.xlsx”无法读取：它不是 .xlsx 表格、CSV 或文本文件，"
                             "或者已经损坏。"));
    EXPECT_TRUE(fakes.boxes.shown[1].text.startsWith(
        QStringLiteral("文件“list.csv”不是文本或 CSV 文件：其中有空字符")));
    EXPECT_EQ(field()->toPlainText(), before);
}

TEST_F(ImportFromFileTest, LimitsAreNamedInTheRefusal)
{
    dir.writeFile("long.csv", "张三\r\n李四\r\n" + QByteArray(10001, 'x') + "\r\n");
    dir.writeFile("bomb.xlsx", withDeclaredSize(fixtureBytes("calc_participants.xlsx"),
                                                "xl/worksheets/sheet1.xml", 0xFFFFFF00u));
    dir.writeFile("tiny.txt", QByteArray("a\n").repeated(1'300'000));
    QFile big(dir.filePath("big.txt"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(300 << 20)); // sparse
    big.close();
    const QString before = field()->toPlainText();
    for (const char* name : {"long.csv", "bomb.xlsx", "big.txt", "tiny.txt"})
        chooseFile(dir.filePath(name));
    ASSERT_EQ(fakes.boxes.shown.size(), 4u);
    EXPECT_TRUE(fakes.boxes.shown[0].text.startsWith(
        QStringLiteral("文件“long.csv”的第 3 行超过 10000 个字符的长度上限，无法导入。")));
    EXPECT_EQ(fakes.boxes.shown[1].text,
              QStringLiteral("工作簿“bomb.xlsx”中有一部分解压后超过 512 MB 的上限，不像是一份名单，"
                             "无法导入。"));
    EXPECT_EQ(fakes.boxes.shown[2].text,
              QStringLiteral("文件“big.txt”超过 256 MB 的大小上限，不像是一份名单，无法导入。"));
    EXPECT_EQ(fakes.boxes.shown[3].text,
              QStringLiteral("文件“tiny.txt”中的名单读入后要占用超过 168 MB 的内存，超过了上限，"
                             "无法导入。"));
    EXPECT_EQ(field()->toPlainText(), before);
}

// The title row left out goes beside the list when the list is saved as the
// file gave it; any other list saved takes the titles away.
TEST_F(ImportFromFileTest, TheTitleRowGoesBesideTheListItCameWith)
{
    const QByteArray titles = G("姓名\t部门\t工号\t身份证号\r\n");
    const struct
    {
        BoxAnswer titleRow;
        const char* edit; // typed into the list after it was read
        bool kept;
    } cases[] = {
        {BoxAnswer::Yes, "", true},
        {BoxAnswer::No, "", false},
        {BoxAnswer::Yes, "x", false},
    };
    // The list's numbers are about the screen; that question was answered.
    screen_privacy_settings::writeMaskNumbers(false);
    for (const auto& each : cases) {
        dir.writeFile("rafflixcolumns.txt", "old");
        fakes.boxes.answers.push_back(each.titleRow);
        chooseFile(fixturePath("calc_participants.xlsx"));
        // A click meant to scroll clears the list, Ctrl+Z brings it back.
        QTest::mouseClick(field()->viewport(), Qt::LeftButton);
        QTest::keyClick(field(), Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClicks(field(), QLatin1String(each.edit));
        control<QPushButton>("btn1")->click();
        EXPECT_EQ(fakes.boxes.shown.back().text,
                  QStringLiteral("导入成功，请返回界面进行抽奖操作！"));
        EXPECT_EQ(dir.exists("rafflixcolumns.txt"), each.kept) << each.edit;
        if (each.kept) {
            EXPECT_EQ(dir.readFile("rafflixcolumns.txt"), titles);
        }
    }
    // A break inside a cell leaves an empty line the import cleans away;
    // the list is still the file's.
    dir.writeFile("breaks.csv", QByteArray("姓名,工号\n张三,001\n李四,002\u2028\n"));
    fakes.boxes.answers.push_back(BoxAnswer::Yes);
    chooseFile(dir.filePath("breaks.csv"));
    control<QPushButton>("btn1")->click();
    EXPECT_EQ(dir.readFile("rafflixlist.txt"), G("张三\t001\r\n李四\t002\r\n"));
    EXPECT_EQ(dir.readFile("rafflixcolumns.txt"), G("姓名\t工号\r\n"));
    // Pasted, the list has no file behind it.
    field()->setPlainText(QStringLiteral("张三\n"));
    control<QPushButton>("btn1")->click();
    EXPECT_FALSE(dir.exists("rafflixcolumns.txt"));
}

TEST_F(ImportFromFileTest, TitlesThatCannotBeSavedAreSaidAndNotLeftStale)
{
    dir.writeFile("rafflixcolumns.txt", G("编号\r\n"));
    dir.makeReadOnly("rafflixcolumns.txt");
    fakes.boxes.answers.push_back(BoxAnswer::Yes);
    chooseFile(fixturePath("calc_participants.xlsx"));
    control<QPushButton>("btn1")->click();
    EXPECT_EQ(fakes.boxes.shown.back().text,
              QStringLiteral("名单已导入，但列标题文件“rafflixcolumns.txt”无法更新：权限被拒绝\r\n"
                             "导出中奖名单时各列将用默认的列名."));
    EXPECT_FALSE(dir.exists("rafflixcolumns.txt"));
    EXPECT_TRUE(dir.readFile("rafflixlist.txt").startsWith(G("陈七")));
}

TEST_F(ImportFromFileTest, ClearingClickIsUndoneWithCtrlZ)
{
    dir.writeFile("list.txt", G("张三\n李四\n"));
    chooseFile(dir.filePath("list.txt"));
    QTest::mouseClick(field()->viewport(), Qt::LeftButton);
    EXPECT_EQ(field()->toPlainText(), QString());
    QTest::keyClick(field(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(field()->toPlainText(), QStringLiteral("张三\n李四\n"));
}

TEST_F(ImportFromFileTest, LongListScrolls)
{
    window->show();
    control<QTabWidget>("pgc1")->setCurrentIndex(2);
    QStringList lines;
    for (int i = 0; i < 400; ++i)
        lines << QStringLiteral("参与者%1 1100%2").arg(i).arg(i);
    field()->setPlainText(lines.join(u'\n'));
    QCoreApplication::processEvents();
    EXPECT_GT(field()->verticalScrollBar()->maximum(), 0);
    EXPECT_TRUE(field()->verticalScrollBar()->isVisible());
    field()->setPlainText(QStringLiteral("张三"));
    QCoreApplication::processEvents();
    EXPECT_FALSE(field()->verticalScrollBar()->isVisible());
}

// A file past FileImportControls::kReadAsideFromBytes is read on a thread of
// its own into the field: the same lines, the same boxes, the page's
// controls off meanwhile, and the field as it was when the file is refused.
TEST_F(ImportFromFileTest, LargeFilesReadAsideGiveWhatSmallOnesGive)
{
    QByteArray csv = "姓名,部门\r\n";
    QString expected;
    for (int row = 0; csv.size() < FileImportControls::kReadAsideFromBytes + 1000; ++row) {
        const QString line = QStringLiteral("参与者%1,第%2部").arg(row).arg(row % 97);
        csv += line.toUtf8() + "\r\n";
        expected += QString(line).replace(u',', u'\t') + u'\n';
    }
    dir.writeFile("large.csv", csv);
    dir.writeFile("late.csv", csv + QByteArray(10001, 'x') + "\r\n");
    field()->setPlainText(QStringLiteral("张三\n李四"));
    field()->moveCursor(QTextCursor::End);

    chooseFile(dir.filePath("late.csv"));
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_TRUE(fakes.boxes.shown[0].text.startsWith(
        QStringLiteral("文件“late.csv”的第 %1 行超过").arg(expected.count(u'\n') + 2)));
    EXPECT_EQ(field()->toPlainText(), QStringLiteral("张三\n李四"));
    EXPECT_EQ(field()->textCursor().position(), 5);

    fakes.boxes.answers.push_back(BoxAnswer::Yes); // leave the titles out
    fakes.dialogs.answers.push_back(dir.filePath("large.csv"));
    control<QPushButton>("btnImportFile")->click();
    EXPECT_FALSE(field()->isEnabled());
    EXPECT_FALSE(control<QPushButton>("btn1")->isEnabled());
    chooseFile(QString()); // waits; a click meanwhile opens no dialog
    EXPECT_TRUE(field()->isEnabled() && control<QPushButton>("btn1")->isEnabled());
    EXPECT_EQ(fakes.dialogs.answers.size(), 1u);
    ASSERT_EQ(fakes.boxes.shown.size(), 2u);
    EXPECT_TRUE(fakes.boxes.shown[1].text.contains(QStringLiteral("姓名\t部门")));
    EXPECT_EQ(field()->toPlainText(), expected);
    EXPECT_EQ(field()->textCursor().position(), 0);
    // Known as the list the file gave: its titles are kept beside it.
    screen_privacy_settings::writeMaskNumbers(false);
    control<QPushButton>("btn1")->click();
    EXPECT_EQ(dir.readFile("rafflixcolumns.txt"), G("姓名\t部门\r\n"));
}

TEST_F(ImportFromFileTest, CharactersOutsideGbkAskBeforeAnythingIsWritten)
{
    dir.writeFile("rafflixlist.txt", G("旧名单\r\n"));
    field()->setPlainText(QStringLiteral("张三\n王䶮 110\n王? 110\n"));
    control<QPushButton>("btn1")->click(); // answered No: back to the list
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    const BoxRequest question = fakes.boxes.shown[0];
    EXPECT_TRUE(question.yesNo);
    EXPECT_TRUE(question.defaultNo);
    EXPECT_TRUE(question.text.contains(QStringLiteral("有 1 个字符")));
    EXPECT_TRUE(question.text.contains(QStringLiteral("第 2 行：王䶮 110")));
    EXPECT_EQ(dir.readFile("rafflixlist.txt"), G("旧名单\r\n"));

    fakes.boxes.answers.push_back(BoxAnswer::Yes);
    control<QPushButton>("btn1")->click();
    EXPECT_EQ(dir.readFile("rafflixlist.txt"), G("张三\r\n王? 110\r\n王? 110\r\n"));
    // Counted as written, not while the question was open.
    EXPECT_EQ(control<QLabel>("lblParticipantCount")->text(),
              QStringLiteral("名单文件中现有 3 人"));
    EXPECT_EQ(fakes.boxes.shown.back().text, QStringLiteral("导入成功，请返回界面进行抽奖操作！"));
}

} // namespace

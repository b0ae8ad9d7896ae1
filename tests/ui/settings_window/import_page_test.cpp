#include "settings_window_fixture.h"
#include "support/file_size_limit.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

class ImportPageTest : public SettingsWindowTest
{
  protected:
    QPlainTextEdit* field() const { return control<QPlainTextEdit>("mmo1"); }
    void importText() const { control<QPushButton>("btn1")->click(); }
    // Pasted as the operator does it, through the clipboard.
    void paste(const QString& text) const
    {
        field()->clear();
        QGuiApplication::clipboard()->setText(text);
        field()->paste();
    }
    QByteArray participantFile() const { return dir.readFile("rafflixlist.txt"); }
};

struct ImportCase
{
    const char* name;
    const char* pasted;
    const char* fieldAfter;
    const char* fileBytes;                      // UTF-8 here, GBK in the file
    bool asksAboutCharactersOutsideGbk = false; // answered Yes: import anyway
};

class ImportCleaningTest : public ImportPageTest, public ::testing::WithParamInterface<ImportCase>
{
};

TEST_P(ImportCleaningTest, FieldAndFileHoldTheListWithoutEmptyLines)
{
    paste(QString::fromUtf8(GetParam().pasted));
    if (GetParam().asksAboutCharactersOutsideGbk)
        fakes.boxes.answers.push_back(BoxAnswer::Yes);
    importText();
    EXPECT_EQ(field()->toPlainText(), QString::fromUtf8(GetParam().fieldAfter));
    EXPECT_EQ(participantFile(), G(GetParam().fileBytes));
    ASSERT_EQ(fakes.boxes.shown.size(), GetParam().asksAboutCharactersOutsideGbk ? 2u : 1u);
    EXPECT_EQ(boxTexts().last(), QStringLiteral("导入成功，请返回界面进行抽奖操作！"));
    EXPECT_EQ(fakes.boxes.shown.back().caption, QStringLiteral("提示"));
    EXPECT_EQ(fakes.boxes.shown.back().icon, BoxIcon::Information);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportCleaningTest,
    ::testing::Values(
        ImportCase{"TwoEmptyLinesBetweenNames", "张三\n\n\n李四\n", "张三\n李四\n",
                   "张三\r\n李四\r\n"},
        ImportCase{"EmptyLinesBeforeALastLineWithoutBreak", "\n\n王五", "王五", "王五"},
        ImportCase{"TwoBreaksAfterTheOnlyName", "王五\n\n", "王五\n", "王五\r\n"},
        ImportCase{"OnlyBreaks", "\n\n\n", "", ""},
        ImportCase{"LineOfBlanksStays", "张三\n   \n李四", "张三\n   \n李四",
                   "张三\r\n   \r\n李四"},
        ImportCase{"SpreadsheetRowsWithCrLf", "张三\t110101\r\n\r\n李四\t110102\r\n",
                   "张三\t110101\n李四\t110102\n", "张三\t110101\r\n李四\t110102\r\n"},
        ImportCase{"LoneLineFeeds", "a\tb\nc\td", "a\tb\nc\td", "a\tb\r\nc\td"},
        // A long list from a file shares blocks, its lines joined by U+2028.
        ImportCase{"EmptyLinesAmongLineSeparators",
                   "张三\u2028\u2028李四\u2028\n\u2028\u2028\n王五\u2028", "张三\n李四\n王五\n",
                   "张三\r\n李四\r\n王五\r\n"},
        ImportCase{"OnlyLineSeparators", "\u2028\u2028\n\u2028", "", ""},
        ImportCase{"CharactersGbkCannotHold", "김철수 1\n€ 2", "김철수 1\n€ 2", "??? 1\r\n€ 2",
                   true}),
    [](const ::testing::TestParamInfo<ImportCase>& info) { return info.param.name; });

TEST_F(ImportPageTest, InstructionLineIsImportedWhenTheFieldWasNeverClicked)
{
    importText();
    EXPECT_EQ(participantFile(), G("每行一条数据，不能有空行（推荐格式:姓名 身份证号码）"));
}

TEST_F(ImportPageTest, EveryLeftClickClearsTheField)
{
    QTest::mouseClick(field()->viewport(), Qt::RightButton);
    EXPECT_FALSE(field()->toPlainText().isEmpty());
    QTest::mouseClick(field()->viewport(), Qt::LeftButton);
    EXPECT_EQ(field()->toPlainText(), QString());

    paste(QStringLiteral("张三\n李四"));
    QTest::mouseClick(field()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(field()->toPlainText(), QString());
}

TEST_F(ImportPageTest, EmptyFieldIsRefusedAndNothingIsWritten)
{
    dir.writeFile("rafflixlist.txt", "old\r\n");
    field()->clear();
    importText();
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_EQ(fakes.boxes.shown[0].text, QStringLiteral("对不起！导入内容不能为空！"));
    EXPECT_EQ(fakes.boxes.shown[0].caption, QStringLiteral("提示"));
    EXPECT_EQ(fakes.boxes.shown[0].icon, BoxIcon::Warning);
    EXPECT_EQ(participantFile(), "old\r\n");
}

TEST_F(ImportPageTest, ReadOnlyFileShowsOnlyTheFailureBoxAndStaysAsItWas)
{
    dir.writeFile("rafflixlist.txt", G("旧名单\r\n"));
    dir.makeReadOnly("rafflixlist.txt");
    paste(QStringLiteral("张三\n\n李四"));
    importText();
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_EQ(fakes.boxes.shown[0].text, QStringLiteral("磁盘不可写或其它未知错误！"));
    EXPECT_EQ(fakes.boxes.shown[0].caption, QStringLiteral("提示"));
    EXPECT_EQ(fakes.boxes.shown[0].icon, BoxIcon::Warning);
    EXPECT_EQ(field()->toPlainText(), QStringLiteral("张三\n李四")) << "the field is cleaned";
    EXPECT_EQ(participantFile(), G("旧名单\r\n"));
    EXPECT_FALSE(dir.exists("rafflixset.ini") && settingsFile() != defaultFileWith());
}

// A write that fails halfway (here: the process may not write files larger
// than a limit, as on a full disk) must not leave the earlier list cut short.
TEST_F(ImportPageTest, WriteFailingHalfwayLeavesTheEarlierListIntact)
{
    const QByteArray earlier = G("旧名单一\r\n旧名单二\r\n");
    dir.writeFile("rafflixlist.txt", earlier);
    paste(QString(QStringLiteral("参与者 123456789012345678\n")).repeated(2000));

    {
        ScopedFileSizeLimit limit(4096);
        ASSERT_TRUE(limit.active());
        importText();
    }

    EXPECT_EQ(boxTexts(), QStringList{QStringLiteral("磁盘不可写或其它未知错误！")});
    EXPECT_EQ(participantFile(), earlier);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              QStringList({"bg.jpg", "rafflixhistory.txt", "rafflixlist.txt", "rafflixrecord.txt",
                           "rafflixset.ini", "retotal.txt"}))
        << "no temporary file is left beside the list";
}

TEST_F(ImportPageTest, HundredThousandLinePasteIsCleanedAndWrittenWhole)
{
    QString pasted;
    QByteArray expected;
    for (int line = 0; line < 100000; ++line) {
        const QString row =
            QStringLiteral("员工%1\t4401%2").arg(line).arg(line, 12, 10, QLatin1Char('0'));
        pasted += row + (line % 10 == 0 ? QStringLiteral("\r\n\r\n") : QStringLiteral("\r\n"));
        expected += gbk::encode(row) + "\r\n";
    }
    paste(pasted);
    importText();
    EXPECT_EQ(boxTexts(), QStringList{QStringLiteral("导入成功，请返回界面进行抽奖操作！")});
    EXPECT_EQ(participantFile(), expected);
    EXPECT_EQ(field()->document()->blockCount(), 100001);
}

TEST_F(ImportPageTest, ImportTouchesNeitherSettingsNorResults)
{
    dir.writeFile("retotal.txt", "kept\r\n");
    const QByteArray settingsBefore = settingsFile();
    importText();
    EXPECT_EQ(settingsFile(), settingsBefore);
    EXPECT_EQ(dir.readFile("retotal.txt"), "kept\r\n");
}

TEST_F(ImportPageTest, InformationTextHasFourteenLinesAndRefusesTyping)
{
    auto* information = control<QPlainTextEdit>("mmo2");
    const QString before = information->toPlainText();
    EXPECT_EQ(information->document()->blockCount(), 14);
    QTest::keyClicks(information, QStringLiteral("abc"));
    QTest::keyClick(information, Qt::Key_Return);
    QTest::keyClick(information, Qt::Key_Backspace);
    typeCharacter(information, QChar(0x4eba));
    EXPECT_EQ(information->toPlainText(), before);
    EXPECT_TRUE(fakes.boxes.shown.empty());
}

} // namespace

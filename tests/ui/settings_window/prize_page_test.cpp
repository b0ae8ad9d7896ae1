#include "settings_window_fixture.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

class PrizePageTest : public SettingsWindowTest
{
  protected:
    QLineEdit* field(int number) const
    {
        return control<QLineEdit>(QByteArray("edt" + QByteArray::number(number)).constData());
    }
    void save() const { control<QPushButton>("btn8")->click(); }
};

TEST_F(PrizePageTest, FieldsShowTheStoredValuesAndEmptyOnesStayEmpty)
{
    const char* expected[] = {"1", "电压力锅", "2", "电吹风", "3", "购物卡150元",
                              "4", "毛巾1条",  "",  "",       "",  ""};
    for (int number = 1; number <= 12; ++number)
        EXPECT_EQ(field(number)->text(), QString::fromUtf8(expected[number - 1])) << number;
    EXPECT_EQ(control<QComboBox>("cbb1")->currentText(), QStringLiteral("否"));
    EXPECT_EQ(control<QComboBox>("cbb2")->currentText(), QStringLiteral("否"));
}

TEST_F(PrizePageTest, CombosSelectYesOnlyForExactlyYes)
{
    window.reset();
    dir.writeFile("rafflixset.ini", G("[奖项设置]\r\n是否重复=是\r\n是否显示奖项=是 \"\r\n"));
    window = std::make_unique<TForm2>(mainWindow.get());
    EXPECT_EQ(control<QComboBox>("cbb1")->currentIndex(), 0);
    EXPECT_EQ(control<QComboBox>("cbb2")->currentIndex(), 1);
    // A file without the count keys leaves the count fields empty.
    EXPECT_EQ(field(1)->text(), QString());
}

TEST_F(PrizePageTest, DigitFilterRefusesALeadingZeroButNotALaterOne)
{
    QLineEdit* count = field(1);
    count->clear();
    QTest::keyClick(count, Qt::Key_0);
    EXPECT_EQ(count->text(), QString());
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_EQ(fakes.boxes.shown[0].text, QStringLiteral("第一个数字不能为0！"));
    EXPECT_EQ(fakes.boxes.shown[0].caption, QStringLiteral("提示"));
    EXPECT_EQ(fakes.boxes.shown[0].icon, BoxIcon::Information);
    EXPECT_TRUE(fakes.boxes.shown[0].topMost);

    QTest::keyClicks(count, QStringLiteral("10"));
    EXPECT_EQ(count->text(), QStringLiteral("10"));
    // Backspace at the start passes; Delete is never filtered, so a lone 0 can remain.
    QTest::keyClick(count, Qt::Key_Home);
    QTest::keyClick(count, Qt::Key_Backspace);
    QTest::keyClick(count, Qt::Key_Delete);
    EXPECT_EQ(count->text(), QStringLiteral("0"));
    EXPECT_EQ(fakes.boxes.shown.size(), 1u);
}

TEST_F(PrizePageTest, DigitFilterReadsTheStartOfTheSelection)
{
    QLineEdit* count = field(3);
    count->setText(QStringLiteral("5"));
    count->selectAll();
    QTest::keyClick(count, Qt::Key_0);
    EXPECT_EQ(count->text(), QStringLiteral("5"));
    EXPECT_EQ(boxTexts(), QStringList{QStringLiteral("第一个数字不能为0！")});
    count->selectAll();
    QTest::keyClick(count, Qt::Key_7);
    EXPECT_EQ(count->text(), QStringLiteral("7"));
}

TEST_F(PrizePageTest, DigitFilterRefusesEveryOtherCharacterAnywhere)
{
    for (int number : {1, 3, 5, 7, 9, 11}) {
        QLineEdit* count = field(number);
        count->setText(QStringLiteral("12"));
        fakes.boxes.shown.clear();
        count->setCursorPosition(1);
        QTest::keyClick(count, Qt::Key_A);
        count->setCursorPosition(0);
        QTest::keyClick(count, Qt::Key_Space);
        typeCharacter(count, QChar(0x4eba)); // 人
        QTest::keyClick(count, Qt::Key_Return);
        EXPECT_EQ(count->text(), QStringLiteral("12")) << number;
        EXPECT_EQ(boxTexts(), QStringList(4, QStringLiteral("只能输入0-9的数字！"))) << number;
        EXPECT_TRUE(fakes.boxes.shown.back().topMost);
    }
}

TEST_F(PrizePageTest, RepeatBoxRefusesTypingAndShowPrizesBoxKeepsWhatIsTyped)
{
    auto* repeat = control<QComboBox>("cbb1");
    QTest::keyClicks(repeat, QStringLiteral("abc"));
    QTest::keyClicks(repeat->lineEdit(), QStringLiteral("abc"));
    QTest::keyClick(repeat->lineEdit(), Qt::Key_Delete);
    QTest::keyClick(repeat->lineEdit(), Qt::Key_Backspace);
    EXPECT_EQ(repeat->currentText(), QStringLiteral("否"));
    EXPECT_TRUE(fakes.boxes.shown.empty());

    auto* showPrizes = control<QComboBox>("cbb2");
    showPrizes->lineEdit()->selectAll();
    QTest::keyClicks(showPrizes, QStringLiteral("abc"));
    QTest::keyClick(showPrizes, Qt::Key_Return);
    EXPECT_EQ(showPrizes->currentText(), QStringLiteral("abc"));
    EXPECT_EQ(showPrizes->count(), 2) << "a typed text never becomes an item";
}

TEST_F(PrizePageTest, RepeatHintIsATwoLineTooltipOnTheLabelAndTheBox)
{
    const QString hint = QStringLiteral("选择【是】，抽中的人继续参加摇奖。\n"
                                        "选择【否】，抽中的人将不会再中奖。");
    EXPECT_EQ(control<QLabel>("lbl17")->toolTip(), hint);
    EXPECT_EQ(control<QComboBox>("cbb1")->toolTip(), hint);
    EXPECT_EQ(control<QComboBox>("cbb2")->toolTip(), QString());
    EXPECT_EQ(control<QLabel>("lbl19")->palette().color(QPalette::WindowText), QColor(Qt::red));
}

TEST_F(PrizePageTest, AllCountsEmptyGivesOnlyTheFirstWarning)
{
    for (int number = 1; number <= 12; number += 2)
        field(number)->clear();
    field(2)->clear();
    save();
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_EQ(fakes.boxes.shown[0].text, QStringLiteral("请至少设置一个等级名额和奖项！"));
    EXPECT_EQ(fakes.boxes.shown[0].caption, QStringLiteral("警告"));
    EXPECT_EQ(fakes.boxes.shown[0].icon, BoxIcon::Warning);
    EXPECT_EQ(settingsFile(), defaultFileWith());
}

TEST_F(PrizePageTest, ACountWithoutPrizeWarnsForTheHighestSuchLevelOnly)
{
    const char* levels[] = {"特等奖", "一等奖", "二等奖", "三等奖", "四等奖", "五等奖"};
    for (int level = 5; level >= 0; --level) {
        field(2 * level + 1)->setText(QStringLiteral("1"));
        field(2 * level + 2)->clear();
        fakes.boxes.shown.clear();
        save();
        EXPECT_EQ(boxTexts(), QStringList{QString::fromUtf8(levels[level]) +
                                          QStringLiteral("人数设定未设置奖品，请检查 !")});
        EXPECT_EQ(fakes.boxes.shown.back().caption, QStringLiteral("警告"));
    }
    EXPECT_EQ(settingsFile(), defaultFileWith());
}

TEST_F(PrizePageTest, SaveWritesFourteenKeysAsShownThenReloadsTheMainWindow)
{
    dir.writeFile("retotal.txt", G("五等奖：张三\r\n"));
    field(1)->setText(QStringLiteral("0")); // a leading 0 left by deleting is kept
    field(2)->setText(QStringLiteral("电视机"));
    field(9)->clear();
    field(10)->setText(QStringLiteral("水杯")); // a prize without a count passes
    field(11)->setText(QStringLiteral("5"));
    field(12)->setText(QStringLiteral("未填")); // counts as a prize
    control<QComboBox>("cbb1")->setCurrentIndex(0);
    control<QComboBox>("cbb2")->setCurrentIndex(0);
    save();

    EXPECT_EQ(settingsFile(), defaultFileWith({{G("特等奖人数"), "0"},
                                               {G("特等奖奖品"), G("电视机")},
                                               {G("四等奖奖品"), G("水杯")},
                                               {G("五等奖人数"), "5"},
                                               {G("五等奖奖品"), G("未填")},
                                               {G("是否重复"), G("是")},
                                               {G("是否显示奖项"), G("是")}}));
    EXPECT_EQ(boxTexts(), QStringList{QStringLiteral("修改成功，请进行其它设置！")});
    EXPECT_FALSE(fakes.boxes.shown[0].topMost);
    EXPECT_EQ(dir.readFile("retotal.txt"), QByteArray());
    EXPECT_EQ(mainControl<QLabel>("lbl1")->text(),
              QStringLiteral("特等奖：电视机,一等奖:电吹风,二等奖:购物卡150元"));
    EXPECT_EQ(mainWindow->drawSettings().repeatText, G("是"));
}

TEST_F(PrizePageTest, TypedShowPrizesTextIsSavedAndReadsAsNoNextTime)
{
    auto* showPrizes = control<QComboBox>("cbb2");
    showPrizes->setCurrentIndex(0);
    showPrizes->lineEdit()->selectAll();
    QTest::keyClicks(showPrizes, QStringLiteral("abc"));
    save();
    EXPECT_EQ(settingsFile(), defaultFileWith({{G("是否显示奖项"), "abc"}}));
    EXPECT_EQ(mainControl<QLabel>("lbl1")->text(), QString()) << "no banner";

    window = std::make_unique<TForm2>(mainWindow.get()); // the next program start
    EXPECT_EQ(control<QComboBox>("cbb2")->currentText(), QStringLiteral("否"));
}

TEST_F(PrizePageTest, FileRemovedMeanwhileIsRecreatedWithThisPageOnlyInOrder)
{
    QFile::remove(dir.filePath("rafflixset.ini"));
    save();
    EXPECT_EQ(settingsFile(), G("[奖项设置]\r\n"
                                "特等奖人数=1\r\n特等奖奖品=电压力锅\r\n"
                                "一等奖人数=2\r\n一等奖奖品=电吹风\r\n"
                                "二等奖人数=3\r\n二等奖奖品=购物卡150元\r\n"
                                "三等奖人数=4\r\n三等奖奖品=毛巾1条\r\n"
                                "四等奖人数=\r\n四等奖奖品=\r\n"
                                "五等奖人数=\r\n五等奖奖品=\r\n"
                                "是否重复=否\r\n是否显示奖项=否\r\n"));
    // The start-up routine finds a file and writes no defaults: the title is
    // gone and the empty picture path fails, so no success notice follows.
    EXPECT_EQ(mainControl<QLabel>("lbl2")->text(), QString());
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_EQ(fakes.boxes.shown[0].caption, QStringLiteral("Prizmora"));
}

TEST_F(PrizePageTest, RefusedWriteStopsAtThatWrite)
{
    dir.writeFile("retotal.txt", "kept\r\n");
    dir.makeReadOnly("rafflixset.ini");
    save();
    EXPECT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_EQ(fakes.boxes.shown[0].caption, QStringLiteral("Prizmora"));
    EXPECT_TRUE(fakes.boxes.shown[0].text.startsWith(QStringLiteral("Unable to write to ")));
    EXPECT_EQ(dir.readFile("retotal.txt"), "kept\r\n");
}

} // namespace

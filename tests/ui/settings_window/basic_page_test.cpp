#include "settings_window_fixture.h"

#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

namespace {

using BasicPageTest = SettingsWindowTest;

TEST_F(BasicPageTest, FieldsShowTheStoredBasicSettings)
{
    EXPECT_EQ(control<QLineEdit>("cxtxtdt1")->text(), QStringLiteral("2011年春节员工抽奖"));
    EXPECT_EQ(control<QLineEdit>("btn4")->text(), QStringLiteral(".\\bg.jpg"));
    EXPECT_EQ(control<QLineEdit>("btn5")->text(), QStringLiteral(".\\01.wav"));
    EXPECT_EQ(control<QLineEdit>("btn6")->text(), QStringLiteral(".\\02.wav"));
}

TEST_F(BasicPageTest, TitleTakesOneMoreCharacterAt17BytesAndOnlyBackspaceFrom18)
{
    QLineEdit* title = control<QLineEdit>("cxtxtdt1");
    title->setText(QString(17, QLatin1Char('a')));
    QTest::keyClick(title, Qt::Key_B);
    EXPECT_EQ(title->text(), QString(17, QLatin1Char('a')) + QLatin1Char('b'));
    EXPECT_TRUE(fakes.boxes.shown.empty());

    QTest::keyClick(title, Qt::Key_C);
    typeCharacter(title, QChar(0x5956)); // 奖
    EXPECT_EQ(title->text().size(), 18);
    ASSERT_EQ(fakes.boxes.shown.size(), 2u);
    EXPECT_EQ(fakes.boxes.shown[0].text, QStringLiteral("标题最多输入9个汉字！"));
    EXPECT_EQ(fakes.boxes.shown[0].caption, QStringLiteral("提示"));
    EXPECT_EQ(fakes.boxes.shown[0].icon, BoxIcon::Information);
    EXPECT_TRUE(fakes.boxes.shown[0].topMost);

    QTest::keyClick(title, Qt::Key_Backspace);
    EXPECT_EQ(title->text(), QString(17, QLatin1Char('a')));
    EXPECT_EQ(fakes.boxes.shown.size(), 2u);
}

TEST_F(BasicPageTest, TitleLimitCountsChineseCharactersAsTwoBytes)
{
    QLineEdit* title = control<QLineEdit>("cxtxtdt1");
    title->setText(QStringLiteral("春节员工抽奖晚会x")); // 8 × 2 + 1 = 17 bytes
    typeCharacter(title, QChar(0x5956));
    EXPECT_EQ(title->text(), QStringLiteral("春节员工抽奖晚会x奖"));
    EXPECT_TRUE(fakes.boxes.shown.empty());

    title->setText(QStringLiteral("春节员工抽奖晚会奖")); // 9 Chinese characters
    QTest::keyClick(title, Qt::Key_A);
    // An input method commits its text without a key press.
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("了"));
    QApplication::sendEvent(title, &commit);
    EXPECT_EQ(title->text(), QStringLiteral("春节员工抽奖晚会奖"));
    EXPECT_EQ(boxTexts(), QStringList(2, QStringLiteral("标题最多输入9个汉字！")));

    // Keys that type nothing still edit a full title.
    QTest::keyClick(title, Qt::Key_Home);
    QTest::keyClick(title, Qt::Key_Delete);
    EXPECT_EQ(title->text(), QStringLiteral("节员工抽奖晚会奖"));
}

TEST_F(BasicPageTest, PathFieldsDiscardTypingSilentlyButDeleteStillEdits)
{
    for (const char* name : {"btn4", "btn5", "btn6"}) {
        QLineEdit* path = control<QLineEdit>(name);
        const QString before = path->text();
        QTest::keyClicks(path, QStringLiteral("abc"));
        typeCharacter(path, QChar(0x5956));
        QTest::keyClick(path, Qt::Key_Backspace);
        EXPECT_EQ(path->text(), before) << name;
        QTest::keyClick(path, Qt::Key_Home);
        QTest::keyClick(path, Qt::Key_Delete);
        EXPECT_EQ(path->text(), before.mid(1)) << name;
    }
    EXPECT_TRUE(fakes.boxes.shown.empty());
}

TEST_F(BasicPageTest, EllipsisButtonsFillTheFullPathOrLeaveTheFieldOnCancel)
{
    // The music dialogs list the music people have besides wave files.
    const char* kMusic = "*.wav *.mp3 *.ogg *.flac (*.wav *.mp3 *.ogg *.flac)";
    window->show();
    struct Case
    {
        const char* field;
        const char* filter;
        const char* chosen;
    };
    for (const Case& c : {Case{"btn4", "*.jpg (*.jpg)", "pictures/title.jpg"},
                          Case{"btn5", kMusic, "start.mp3"}, Case{"btn6", kMusic, "stop.wav"}}) {
        QLineEdit* path = control<QLineEdit>(c.field);
        auto* ellipsis = path->findChild<QToolButton*>();
        ASSERT_NE(ellipsis, nullptr);
        EXPECT_EQ(ellipsis->text(), QStringLiteral("…"));
        EXPECT_GE(ellipsis->geometry().left(), path->width() - 20) << "at the right end";

        const QString before = path->text();
        fakes.dialogs.filtersSeen.clear();
        fakes.dialogs.answers.push_back(QString()); // cancelled
        QTest::mouseClick(ellipsis, Qt::LeftButton);
        EXPECT_EQ(path->text(), before);

        fakes.dialogs.answers.push_back(QString::fromLatin1(c.chosen));
        QTest::mouseClick(ellipsis, Qt::LeftButton);
        EXPECT_EQ(path->text(), QDir::current().absoluteFilePath(QString::fromLatin1(c.chosen)));
        EXPECT_EQ(fakes.dialogs.filtersSeen, QStringList(2, QString::fromLatin1(c.filter)));
    }
    EXPECT_EQ(settingsFile(), defaultFileWith()) << "nothing is written before a save";
}

TEST_F(BasicPageTest, SaveShowsOnlyTheFirstMissingFieldAndWritesNothing)
{
    QLineEdit* fields[] = {control<QLineEdit>("cxtxtdt1"), control<QLineEdit>("btn4"),
                           control<QLineEdit>("btn5"), control<QLineEdit>("btn6")};
    const QString warnings[] = {QStringLiteral("标题不能为空，请检查！"),
                                QStringLiteral("标题背景路径不能为空，请检查！"),
                                QStringLiteral("开始音乐路径不能为空，请检查！"),
                                QStringLiteral("停止音乐路径不能为空，请检查！")};
    for (QLineEdit* field : fields)
        field->clear();
    for (int filled = 0; filled < 4; ++filled) {
        fakes.boxes.shown.clear();
        control<QPushButton>("btn7")->click();
        ASSERT_EQ(fakes.boxes.shown.size(), 1u);
        EXPECT_EQ(fakes.boxes.shown[0].text, warnings[filled]);
        EXPECT_EQ(fakes.boxes.shown[0].caption, QStringLiteral("警告"));
        EXPECT_EQ(fakes.boxes.shown[0].icon, BoxIcon::Warning);
        fields[filled]->setText(QStringLiteral(" ")); // a blank passes
    }
    EXPECT_EQ(settingsFile(), defaultFileWith());
}

TEST_F(BasicPageTest, SaveWritesFourKeysInPlaceThenReloadsTheMainWindow)
{
    writePicture("new.jpg");
    dir.writeFile("retotal.txt", G("五等奖：张三 110\r\n"));
    mainControl<QPlainTextEdit>("mmo1")->appendPlainText(QStringLiteral("五等奖：张三"));
    mainControl<QLabel>("lbl3")->setText(QStringLiteral("进度"));
    mainControl<QProgressBar>("pb1")->setValue(40);
    const QString resultsBefore = mainControl<QPlainTextEdit>("mmo1")->toPlainText();

    control<QLineEdit>("cxtxtdt1")->setText(QStringLiteral("年会抽奖"));
    control<QLineEdit>("btn4")->setText(QStringLiteral("new.jpg"));
    control<QLineEdit>("btn5")->setText(QStringLiteral("开始.wav"));
    control<QLineEdit>("btn6")->setText(QStringLiteral("停止.wav"));
    control<QPushButton>("btn7")->click();

    EXPECT_EQ(settingsFile(), defaultFileWith({{G("抽奖标题"), G("年会抽奖")},
                                               {G("标题背景"), "new.jpg"},
                                               {G("开始音乐"), G("开始.wav")},
                                               {G("停止音乐"), G("停止.wav")}}));
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_EQ(fakes.boxes.shown[0].text, QStringLiteral("修改成功，请进行其它设置！"));
    EXPECT_EQ(fakes.boxes.shown[0].caption, QStringLiteral("提示"));
    EXPECT_EQ(fakes.boxes.shown[0].icon, BoxIcon::Information);
    EXPECT_FALSE(fakes.boxes.shown[0].topMost);

    EXPECT_EQ(dir.readFile("retotal.txt"), QByteArray());
    EXPECT_EQ(mainControl<QLabel>("lbl2")->text(), QStringLiteral("年会抽奖"));
    EXPECT_EQ(mainWindow->drawSettings().startMusicPath, G("开始.wav"));
    EXPECT_EQ(mainControl<QPlainTextEdit>("mmo1")->toPlainText(), resultsBefore);
    EXPECT_EQ(mainControl<QLabel>("lbl3")->text(), QStringLiteral("进度"));
    EXPECT_EQ(mainControl<QProgressBar>("pb1")->value(), 40);
}

TEST_F(BasicPageTest, FileRemovedMeanwhileIsRecreatedWithThisPageOnlyInOrder)
{
    QFile::remove(dir.filePath("rafflixset.ini"));
    control<QPushButton>("btn7")->click();
    EXPECT_EQ(settingsFile(), G("[基本设置]\r\n抽奖标题=2011年春节员工抽奖\r\n"
                                "标题背景=.\\bg.jpg\r\n开始音乐=.\\01.wav\r\n"
                                "停止音乐=.\\02.wav\r\n"));
    EXPECT_EQ(boxTexts(), QStringList{QStringLiteral("修改成功，请进行其它设置！")});
    EXPECT_EQ(mainWindow->drawSettings().countTexts[0], QByteArray()) << "prize keys read empty";
}

TEST_F(BasicPageTest, RefusedWriteIsReportedAndNothingElseRuns)
{
    dir.writeFile("retotal.txt", "kept\r\n");
    dir.makeReadOnly("rafflixset.ini");
    control<QLineEdit>("cxtxtdt1")->setText(QStringLiteral("年会"));
    control<QPushButton>("btn7")->click();

    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_EQ(fakes.boxes.shown[0].caption, QStringLiteral("Prizmora"));
    EXPECT_EQ(fakes.boxes.shown[0].text,
              QStringLiteral("Unable to write to %1/rafflixset.ini.").arg(QDir::currentPath()));
    EXPECT_EQ(settingsFile(), defaultFileWith());
    EXPECT_EQ(dir.readFile("retotal.txt"), "kept\r\n") << "the main window was not reloaded";
}

TEST_F(BasicPageTest, StartUpRoutineFailureKeepsTheWritesAndShowsNoNotice)
{
    control<QLineEdit>("btn4")->setText(QStringLiteral("missing.jpg"));
    control<QPushButton>("btn7")->click();

    EXPECT_EQ(settingsFile(), defaultFileWith({{G("标题背景"), "missing.jpg"}}));
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_EQ(fakes.boxes.shown[0].caption, QStringLiteral("Prizmora"));
    EXPECT_TRUE(fakes.boxes.shown[0].text.startsWith(QStringLiteral("Cannot open file \"")));
}

} // namespace

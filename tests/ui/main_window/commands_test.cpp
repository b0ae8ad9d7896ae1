#include "base/line_splitting.h"
#include "draw/draw_command.h"
#include "main_window_fixture.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

namespace {

TEST_F(MainWindowTest, EnterRunsStartStopUnlessAPushButtonHasTheFocus)
{
    writeParticipants(12);
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    EXPECT_EQ(QApplication::focusWidget(), button("btn3"));

    control<QLineEdit>("edt1")->setFocus();
    QTest::keyClick(control<QLineEdit>("edt1"), Qt::Key_Return);
    EXPECT_EQ(startStopText(), QStringLiteral("停止抽奖"));
    QTest::keyClick(control<QPlainTextEdit>("mmo1"), Qt::Key_Enter);
    EXPECT_EQ(startStopText(), QStringLiteral("开始抽奖"));
    EXPECT_EQ(splitIntoLines(dir.readFile("retotal.txt")).size(), 1u);

    button("btn3")->setFocus();
    QTest::keyClick(button("btn3"), Qt::Key_Return);
    EXPECT_EQ(startStopText(), QStringLiteral("停止抽奖"));
    QTest::keyClick(button("btn3"), Qt::Key_Return);
    EXPECT_EQ(splitIntoLines(dir.readFile("retotal.txt")).size(), 2u);

    button("btn2")->setFocus();
    QTest::keyClick(button("btn2"), Qt::Key_Return);
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_EQ(fakes.boxes.shown[0].text, QStringLiteral("初始化成功，原产生奖项数据已清空！"));
    EXPECT_EQ(startStopText(), QStringLiteral("开始抽奖"));
}

TEST_F(MainWindowTest, DisplayAndResultsDiscardTypingButDeleteStillEdits)
{
    window().show();
    auto* edt1 = control<QLineEdit>("edt1");
    auto* mmo1 = control<QPlainTextEdit>("mmo1");
    edt1->setFocus();
    edt1->setCursorPosition(0);
    QTest::keyClicks(edt1, "abc");
    QTest::keyClick(edt1, Qt::Key_End);
    QTest::keyClick(edt1, Qt::Key_Backspace);
    EXPECT_EQ(edt1->text(), QStringLiteral("准备开始..."));
    QTest::keyClick(edt1, Qt::Key_Home);
    QTest::keyClick(edt1, Qt::Key_Delete);
    EXPECT_EQ(edt1->text(), QStringLiteral("备开始..."));

    mmo1->setFocus();
    QTest::keyClicks(mmo1, "xyz");
    QTest::keyClick(mmo1, Qt::Key_Backspace);
    EXPECT_EQ(mmo1->toPlainText(), QStringLiteral("抽奖结果"));
}

TEST_F(MainWindowTest, InitializeAfterACompleteDrawStartsOver)
{
    writeParticipants(12);
    for (int i = 0; i < 10; ++i) {
        fakes.clock.time = fakes.clock.time.addSecs(1);
        button("btn3")->click();
        button("btn3")->click();
    }
    EXPECT_EQ(splitIntoLines(dir.readFile("retotal.txt")).size(), 10u);
    EXPECT_EQ(control<QProgressBar>("pb1")->value(), 100);
    EXPECT_EQ(control<QLabel>("lbl3")->text(), QStringLiteral("进度：10/10"));
    EXPECT_EQ(control<QPlainTextEdit>("mmo1")->document()->blockCount(), 11);

    button("btn2")->click();
    EXPECT_EQ(dir.readFile("retotal.txt"), QByteArray());
    EXPECT_EQ(control<QPlainTextEdit>("mmo1")->toPlainText(), QStringLiteral("抽奖结果："));
    EXPECT_EQ(control<QLineEdit>("edt1")->text(), QStringLiteral("准备开始..."));
    EXPECT_EQ(control<QProgressBar>("pb1")->value(), 0);
    EXPECT_EQ(control<QLabel>("lbl3")->text(), QString());
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_EQ(fakes.boxes.shown[0].caption, "提示");

    button("btn3")->click();
    button("btn3")->click();
    EXPECT_TRUE(dir.readFile("retotal.txt").startsWith(G("三等奖：")));
}

// The draw tells what stops it; the window shows each in a box with the
// warning sign, captioned by its kind.
TEST_F(MainWindowTest, TheDrawsNoticesAreWarningBoxesCaptionedByTheirKind)
{
    window();
    button("btn3")->click(); // no participant file
    writeParticipants(12);
    // Every place of the default counts (1, 2, 3, 4 from the grand prize
    // down) filled.
    QByteArray tenWinners;
    const char* labels[] = {"三等奖：", "三等奖：", "三等奖：", "三等奖：", "二等奖：",
                            "二等奖：", "二等奖：", "一等奖：", "一等奖：", "特等奖："};
    for (int i = 0; i < 10; ++i)
        tenWinners += G(labels[i]) + G("员工") + QByteArray::number(i) + "\r\n";
    dir.writeFile("retotal.txt", tenWinners);
    button("btn3")->click(); // all drawn
    const std::vector<std::pair<QString, QString>> expected = {
        {draw_texts::participantFileMissing(), QStringLiteral("警告")},
        {draw_texts::allDrawn(), QStringLiteral("提示")}};
    ASSERT_EQ(fakes.boxes.shown.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const BoxRequest& box = fakes.boxes.shown[i];
        EXPECT_EQ(box.text, expected[i].first);
        EXPECT_EQ(box.caption, expected[i].second);
        EXPECT_EQ(box.icon, BoxIcon::Warning);
        EXPECT_FALSE(box.topMost || box.yesNo);
    }
}

TEST_F(MainWindowTest, InitializeWithoutAParticipantFileOnlyWarns)
{
    window();
    control<QLineEdit>("edt1")->setText("kept");
    button("btn2")->click();
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_EQ(fakes.boxes.shown[0].caption, QStringLiteral("警告"));
    EXPECT_EQ(control<QLineEdit>("edt1")->text(), "kept");
    EXPECT_EQ(control<QPlainTextEdit>("mmo1")->toPlainText(), QStringLiteral("抽奖结果"));
}

TEST_F(MainWindowTest, SaveResultsWritesTheFieldAsGbkWithCrLfOrNothingWhenCancelled)
{
    writeParticipants(12);
    button("btn3")->click();
    button("btn3")->click();
    const QString chosen = dir.filePath(QStringLiteral("结果无扩展名"));
    fakes.dialogs.answers = {chosen, QString()};

    button("btn5")->click();
    ASSERT_EQ(fakes.dialogs.proposedNames.size(), 1);
    EXPECT_EQ(fakes.dialogs.proposedNames[0], QStringLiteral("抽奖结果20110130143005.txt"));
    EXPECT_TRUE(fakes.dialogs.filtersSeen[0].startsWith(QStringLiteral("所有图片")));
    const QByteArray saved = dir.readFile(QStringLiteral("结果无扩展名"));
    const std::vector<QByteArray> lines = splitIntoLines(saved);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], G("抽奖结果"));
    EXPECT_TRUE(lines[1].startsWith(G("三等奖：员工")));
    EXPECT_TRUE(lines[1].contains(G(" 时间：2011/1/30 14:30:05")));
    EXPECT_TRUE(saved.endsWith("\r\n"));
    EXPECT_EQ(saved.count("\r\n"), 2);

    QFile::remove(chosen);
    button("btn5")->click();
    EXPECT_FALSE(QFile::exists(chosen));
}

TEST_F(MainWindowTest, CloseAsksFirstNoMinimizesYesEndsTheProgram)
{
    window().show();
    fakes.boxes.answers = {BoxAnswer::No};
    window().close();
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    const BoxRequest& question = fakes.boxes.shown[0];
    EXPECT_EQ(question.caption, QStringLiteral("提醒："));
    EXPECT_TRUE(question.yesNo && question.defaultNo && question.topMost);
    EXPECT_EQ(question.icon, BoxIcon::Question);
    EXPECT_EQ(question.text.count("\r\n"), 4);
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(window().isMinimized());

    fakes.boxes.answers = {BoxAnswer::Yes};
    QTimer::singleShot(0, &window(), [this] { window().close(); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(7); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_TRUE(window().isVisible());
}

TEST_F(MainWindowTest, TheRollShowsParticipantsAndEndsOnTheWinner)
{
    writeParticipants(3);
    dir.writeFile("rafflixset.ini",
                  G("[基本设置]\r\n标题背景=.\\bg.jpg\r\n[奖项设置]\r\n五等奖人数=1\r\n"));
    auto* edt1 = control<QLineEdit>("edt1");
    button("btn3")->click();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return edt1->text().startsWith(QStringLiteral("员工")); }, 2000));
    button("btn3")->click();
    const QString winner = gbk::decode(window().currentWinner());
    EXPECT_TRUE(QTest::qWaitFor([&] { return edt1->text() == winner; }, 2000));
    QTest::qWait(200);
    EXPECT_EQ(edt1->text(), winner);
}

TEST_F(MainWindowTest, TheProgressLineWithExtraPrizesStaysClearOfTheSettingsButton)
{
    writeParticipants(12);
    auto* progress = control<QLabel>("lbl3");
    const int designSize = progress->font().pixelSize();
    button("btn3")->click();
    button("btn3")->click();
    EXPECT_EQ(progress->text(), QStringLiteral("进度：1/10"));
    EXPECT_EQ(progress->font().pixelSize(), designSize) << "the levels alone keep the size";

    dir.writeFile("rafflixextra.txt", G("老板加奖\t现金红包\t10\t1\r\n"));
    button("btn3")->click();
    button("btn3")->click();
    EXPECT_EQ(progress->text(), QStringLiteral("进度：2/10　加奖 0/10"));
    EXPECT_LT(progress->geometry().right(), button("btn1")->x());
    EXPECT_GE(progress->font().pixelSize(), 12);
}

} // namespace

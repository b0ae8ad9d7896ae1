#include "main_window/main_window_fixture.h"
#include "storage/line_splitting.h"
#include "storage/settings_file.h"
#include "ui/round_controls.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTextBlock>
#include <set>
#include <sys/stat.h>

namespace {

class RoundControlsTest : public MainWindowTest
{
  protected:
    void drawOne()
    {
        fakes.clock.time = fakes.clock.time.addSecs(1);
        button("btn3")->click();
        button("btn3")->click();
    }
    std::vector<QByteArray> results() { return splitIntoLines(dir.readFile("retotal.txt")); }
    QStringList listLines()
    {
        QStringList lines;
        for (QTextBlock block = mmo1()->document()->begin(); block.isValid(); block = block.next())
            lines << block.text();
        return lines;
    }
    QPlainTextEdit* mmo1() { return control<QPlainTextEdit>("mmo1"); }
    QString progress() { return control<QLabel>("lbl3")->text(); }
    int bar() { return control<QProgressBar>("pb1")->value(); }
    QAction* takeBack() { return window().roundControls()->takeBackAction(); }
    // Shows a new window in the same folder, as a restart would, and lets
    // the question after the show come.
    void restart()
    {
        window_.reset();
        fakes.clock.time = fakes.clock.time.addSecs(60);
        window().show();
        QApplication::processEvents();
        QApplication::processEvents();
    }
    std::vector<BoxRequest> questions()
    {
        std::vector<BoxRequest> found;
        for (const BoxRequest& box : fakes.boxes.shown)
            if (box.yesNo)
                found.push_back(box);
        return found;
    }
};

TEST_F(RoundControlsTest, ARestartContinuesTheRoundAsIfNothingHadHappened)
{
    writeParticipants(12);
    window();
    for (int i = 0; i < 3; ++i)
        drawOne();
    const std::vector<QByteArray> drawn = results();
    const QStringList shown = listLines();
    const QByteArray lastWinner = window().currentWinner();

    fakes.boxes.answers.push_back(BoxAnswer::Yes);
    restart();
    ASSERT_EQ(questions().size(), 1u);
    const BoxRequest asked = questions()[0];
    EXPECT_FALSE(asked.defaultNo);
    EXPECT_TRUE(asked.topMost);
    EXPECT_TRUE(asked.text.contains(QStringLiteral("已抽出 3 名")));
    EXPECT_TRUE(asked.text.contains(gbk::decode(drawn.back())));

    EXPECT_EQ(results(), drawn);
    EXPECT_EQ(listLines(), shown);
    EXPECT_EQ(progress(), QStringLiteral("进度：3/10"));
    EXPECT_EQ(bar(), 30);
    EXPECT_EQ(control<QLineEdit>("edt1")->text(), gbk::decode(lastWinner));
    EXPECT_EQ(window().currentWinner(), lastWinner);

    drawOne();
    drawOne();
    const std::vector<QByteArray> after = results();
    ASSERT_EQ(after.size(), 5u);
    EXPECT_TRUE(after[3].startsWith(G("三等奖：")));
    EXPECT_TRUE(after[4].startsWith(G("二等奖：")));
    std::set<QByteArray> people;
    for (const QByteArray& line : after)
        people.insert(line.mid(8));
    EXPECT_EQ(people.size(), 5u) << "an earlier winner won again";
    EXPECT_EQ(progress(), QStringLiteral("进度：5/10"));

    // A later restart offers the whole round, earlier and later winners.
    fakes.boxes.shown.clear();
    restart();
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_TRUE(questions()[0].text.contains(QStringLiteral("已抽出 5 名")));
}

TEST_F(RoundControlsTest, NoQuestionForADeclinedCompleteOrMissingRound)
{
    restart(); // no history at all
    writeParticipants(12);
    drawOne();
    restart(); // declined: the fakes answer No
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_TRUE(results().empty());
    EXPECT_EQ(progress(), QString());
    restart();
    EXPECT_EQ(questions().size(), 1u) << "asked again after it was declined";

    writeSetting(G("奖项设置"), G("三等奖人数"), "1");
    writeSetting(G("奖项设置"), G("二等奖人数"), "");
    writeSetting(G("奖项设置"), G("一等奖人数"), "");
    writeSetting(G("奖项设置"), G("特等奖人数"), "");
    restart();
    drawOne();
    restart(); // the round is complete under its counts
    EXPECT_EQ(questions().size(), 1u);
}

TEST_F(RoundControlsTest, InitializeAndSettingsSaveCanBeTakenBackUntilTheNextWinner)
{
    writeParticipants(12);
    window().show();
    EXPECT_FALSE(takeBack()->isEnabled());
    EXPECT_EQ(takeBack()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    EXPECT_TRUE(window().popupMenu()->actions().contains(takeBack()));
    drawOne();
    drawOne();
    const std::vector<QByteArray> drawn = results();
    const QStringList shown = listLines();

    button("btn2")->click();
    ASSERT_TRUE(takeBack()->isEnabled());
    window().loadMainWindowState(); // a typo fixed on a settings page meanwhile
    ASSERT_TRUE(takeBack()->isEnabled());
    takeBack()->trigger();
    EXPECT_EQ(results(), drawn);
    QStringList expected = shown;
    expected[0] = QStringLiteral("抽奖结果："); // Initialize's heading stays
    EXPECT_EQ(listLines(), expected);
    EXPECT_EQ(progress(), QStringLiteral("进度：2/10"));
    EXPECT_FALSE(takeBack()->isEnabled());

    // A settings save alone, then a winner of the new round: too late.
    window().loadMainWindowState();
    EXPECT_TRUE(results().empty());
    EXPECT_TRUE(takeBack()->isEnabled());
    drawOne();
    EXPECT_FALSE(takeBack()->isEnabled());
    takeBack()->trigger();
    EXPECT_EQ(results().size(), 1u);
}

TEST_F(RoundControlsTest, AHistoryCutByACrashOffersOnlyItsWholeWinners)
{
    writeParticipants(12);
    window();
    drawOne();
    drawOne();
    window_.reset();
    // A crash in the middle of the third winner's line.
    dir.writeFile("rafflixhistory.txt",
                  dir.readFile("rafflixhistory.txt") + "2011-01-30 14:30:08\t" + G("三等"));
    fakes.boxes.answers.push_back(BoxAnswer::Yes);
    restart();
    EXPECT_EQ(results().size(), 2u);
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_TRUE(questions()[0].text.contains(QStringLiteral("已抽出 2 名")));
    // The start ended the cut line; the next start still leaves it out.
    fakes.boxes.shown.clear();
    restart();
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_TRUE(questions()[0].text.contains(QStringLiteral("已抽出 2 名")));

    // A pipe in the history's place neither blocks the start nor is read.
    window_.reset();
    QFile::remove(dir.filePath("rafflixhistory.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("rafflixhistory.txt")).constData(), 0644), 0);
    fakes.boxes.shown.clear();
    restart();
    drawOne();
    EXPECT_TRUE(questions().empty());
    EXPECT_EQ(results().size(), 1u);
}

class VoidTest : public RoundControlsTest, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(VoidTest, AVoidedWinnerLeavesTheResultsAndIsNeverDrawnAgainThisRound)
{
    writeParticipants(12);
    window();
    writeSetting(G("奖项设置"), G("是否重复"), G(GetParam()));
    window().loadMainWindowState();
    drawOne();
    drawOne();
    RoundControls& rounds = *window().roundControls();
    EXPECT_EQ(rounds.entryOnLine(0), -1); // the heading
    EXPECT_EQ(rounds.entryOnLine(2), 1);

    // No, the default answer, changes nothing.
    rounds.voidWinnerOnLine(2);
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_TRUE(questions()[0].defaultNo);
    EXPECT_EQ(results().size(), 2u);

    const QByteArray first = results()[0];
    const QByteArray voided = results()[1];
    const QString line = listLines()[2];
    fakes.boxes.answers.push_back(BoxAnswer::Yes);
    rounds.voidWinnerOnLine(2);
    EXPECT_TRUE(questions()[1].text.contains(gbk::decode(voided)));
    EXPECT_EQ(results(), std::vector<QByteArray>{first});
    EXPECT_EQ(listLines()[2], line + QStringLiteral(" 【作废】"));
    EXPECT_EQ(progress(), QStringLiteral("进度：1/10"));
    EXPECT_EQ(bar(), 10);
    EXPECT_EQ(rounds.entryOnLine(2), -1);
    EXPECT_TRUE(dir.readFile("rafflixhistory.txt").contains("\t" + G("作废") + "\t" + voided));

    for (int i = 0; i < 9; ++i)
        drawOne();
    const std::vector<QByteArray> all = results();
    ASSERT_EQ(all.size(), 10u);
    EXPECT_TRUE(all[1].startsWith(G("三等奖：")));
    for (const QByteArray& result : all)
        EXPECT_NE(result.mid(8), voided.mid(8)) << "the voided person was drawn again";

    // Continuing keeps the void; Initialize clears it.
    button("btn2")->click();
    takeBack()->trigger();
    EXPECT_EQ(rounds.state().voidedWinners(), std::vector<QByteArray>{voided});
    button("btn2")->click();
    EXPECT_TRUE(rounds.state().voidedWinners().empty());
}

INSTANTIATE_TEST_SUITE_P(RepeatsAllowedOrNot, VoidTest, ::testing::Values("否", "是"));

} // namespace

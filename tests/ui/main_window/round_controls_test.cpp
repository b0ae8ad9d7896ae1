#include "base/line_splitting.h"
#include "storage/screen_privacy_settings.h"
#include "storage/settings_file.h"
#include "ui/guard/handler_guard.h"
#include "ui/main_window/main_window_fixture.h"
#include "ui/main_window/round_controls.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <set>

namespace {

class RoundControlsTest : public MainWindowTest
{
  protected:
    QStringList listLines()
    {
        return control<QPlainTextEdit>("mmo1")->toPlainText().split(QLatin1Char('\n'));
    }
    QString progress() { return control<QLabel>("lbl3")->text(); }
    QAction* takeBack() { return window().roundControls()->takeBackAction(); }
    // A new window in the same folder, shown, as after a restart; the
    // question comes once the show is done.
    void restart()
    {
        window_.reset();
        fakes.clock.time = fakes.clock.time.addSecs(60);
        fakes.boxes.shown.clear();
        window().show();
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
    bool askedAbout(int winners)
    {
        return questions().size() == 1 &&
               questions()[0].text.contains(QStringLiteral("已抽出 %1 名").arg(winners));
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
    ASSERT_TRUE(askedAbout(3));
    EXPECT_FALSE(questions()[0].defaultNo);
    EXPECT_TRUE(questions()[0].topMost);
    EXPECT_TRUE(questions()[0].text.contains(gbk::decode(drawn.back())));
    EXPECT_EQ(results(), drawn);
    EXPECT_EQ(listLines(), shown);
    EXPECT_EQ(progress(), QStringLiteral("进度：3/10"));
    EXPECT_EQ(control<QProgressBar>("pb1")->value(), 30);
    EXPECT_EQ(control<QLineEdit>("edt1")->text(), gbk::decode(lastWinner));

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
}

TEST_F(RoundControlsTest, NoQuestionForADeclinedOrMissingRoundAndACompleteOneCanBeShownAgain)
{
    restart(); // no history at all
    writeParticipants(12);
    drawOne();
    restart(); // declined: the fakes answer No
    ASSERT_TRUE(askedAbout(1));
    EXPECT_TRUE(results().empty());
    restart();
    EXPECT_TRUE(questions().empty()) << "asked again after it was declined";

    writeSetting(G("奖项设置"), G("三等奖人数"), "1");
    for (const char* level : {"二等奖人数", "一等奖人数", "特等奖人数"})
        writeSetting(G("奖项设置"), G(level), "");
    restart();
    drawOne();
    const std::vector<QByteArray> drawn = results();
    // The round is complete under its counts: it can be shown again, to be
    // saved or exported after all.
    fakes.boxes.answers.push_back(BoxAnswer::Yes);
    restart();
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_TRUE(questions()[0].text.contains(QStringLiteral("上一轮抽奖已全部完成，共抽出 1 名")));
    EXPECT_EQ(results(), drawn);
    EXPECT_EQ(listLines().size(), 2);
}

TEST_F(RoundControlsTest, AHistoryCutByACrashOffersOnlyItsWholeWinners)
{
    writeParticipants(12);
    window();
    drawOne();
    drawOne();
    window_.reset();
    dir.writeFile("rafflixhistory.txt",
                  dir.readFile("rafflixhistory.txt") + "2011-01-30 14:30:08\t" + G("三等"));
    fakes.boxes.answers.push_back(BoxAnswer::Yes);
    restart();
    EXPECT_TRUE(askedAbout(2));
    restart(); // the first start ended the cut line; it is still left out
    EXPECT_TRUE(askedAbout(2));
}

TEST_F(RoundControlsTest, ASettingsSaveCanBeTakenBackUntilTheNextWinner)
{
    writeParticipants(12);
    window().show();
    EXPECT_FALSE(takeBack()->isEnabled());
    EXPECT_TRUE(window().popupMenu()->actions().contains(takeBack()));
    drawOne();
    drawOne();
    const std::vector<QByteArray> drawn = results();
    const QStringList shown = listLines();

    window().loadMainWindowState();
    ASSERT_TRUE(takeBack()->isEnabled());
    takeBack()->trigger();
    EXPECT_EQ(results(), drawn);
    EXPECT_EQ(listLines(), shown);
    EXPECT_EQ(progress(), QStringLiteral("进度：2/10"));
    EXPECT_FALSE(takeBack()->isEnabled());

    window().loadMainWindowState();
    drawOne();
    EXPECT_FALSE(takeBack()->isEnabled());
}

TEST_F(RoundControlsTest, ATakeBackWaitsForTheStopAndClearsTheEmptiedRoundsStatus)
{
    writeParticipants(12);
    window().show();
    drawOne();
    window().loadMainWindowState();
    EXPECT_EQ(window().drawStatus().phase, DrawStatus::Phase::Idle);

    button("btn3")->click(); // the names roll for the new round
    takeBack()->trigger();
    EXPECT_TRUE(results().empty()) << "taken back in the middle of a Stop";
    button("btn3")->click();
    EXPECT_EQ(results().size(), 1u);
    EXPECT_FALSE(takeBack()->isEnabled()) << "a winner of the new round is drawn";
}

TEST_F(RoundControlsTest, AVoidThatCannotWriteTheResultsChangesNothing)
{
    writeParticipants(12);
    window();
    drawOne();
    dir.makeReadOnly("retotal.txt");
    fakes.boxes.answers.push_back(BoxAnswer::Yes);
    guarded(&window(), [&] { window().roundControls()->voidWinnerOnLine(1); });
    ASSERT_EQ(fakes.boxes.shown.size(), 2u);
    EXPECT_TRUE(fakes.boxes.shown[1].text.startsWith(QStringLiteral("Cannot create file")));
    EXPECT_EQ(results().size(), 1u);
    EXPECT_EQ(window().roundControls()->entryOnLine(1), 0) << "the void cannot be tried again";
    EXPECT_TRUE(window().roundControls()->state().voidedWinners().empty());
}

TEST_F(RoundControlsTest, TheQuestionsShowTheWinnerAsTheScreenDoes)
{
    QByteArray list;
    for (int i = 0; i < 12; ++i)
        list +=
            G("员工") + QByteArray::number(i) + " 138123412" + QByteArray::number(10 + i) + "\r\n";
    dir.writeFile("rafflixlist.txt", list);
    window();
    screen_privacy_settings::writeChanged({true, {}});
    window().loadMainWindowState();
    drawOne();
    const auto expectMasked = [this] {
        ASSERT_EQ(questions().size(), 1u);
        EXPECT_TRUE(questions()[0].text.contains(QStringLiteral("138****12")));
    };
    window().roundControls()->voidWinnerOnLine(1); // answered No
    expectMasked();
    restart();
    expectMasked();
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
    rounds.voidWinnerOnLine(2);           // No, the default answer: nothing changes
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_TRUE(questions()[0].defaultNo);
    EXPECT_EQ(results().size(), 2u);

    const std::vector<QByteArray> drawn = results();
    const QString line = listLines()[2];
    fakes.boxes.answers.push_back(BoxAnswer::Yes);
    rounds.voidWinnerOnLine(2);
    EXPECT_TRUE(questions()[1].text.contains(gbk::decode(drawn[1])));
    EXPECT_EQ(results(), std::vector<QByteArray>{drawn[0]});
    EXPECT_EQ(listLines()[2], line + QStringLiteral(" 【作废】"));
    EXPECT_EQ(progress(), QStringLiteral("进度：1/10"));
    EXPECT_EQ(control<QProgressBar>("pb1")->value(), 10);
    EXPECT_EQ(rounds.entryOnLine(2), -1);
    EXPECT_TRUE(dir.readFile("rafflixhistory.txt").contains("\t" + G("作废") + "\t" + drawn[1]));

    for (int i = 0; i < 9; ++i)
        drawOne();
    const std::vector<QByteArray> all = results();
    ASSERT_EQ(all.size(), 10u);
    EXPECT_TRUE(all[1].startsWith(G("三等奖：")));
    for (const QByteArray& result : all)
        EXPECT_NE(result.mid(8), drawn[1].mid(8)) << "the voided person was drawn again";

    // Restoring keeps the void; Initialize clears it.
    button("btn2")->click();
    takeBack()->trigger();
    EXPECT_EQ(rounds.state().voidedWinners(), std::vector<QByteArray>{drawn[1]});
    button("btn2")->click();
    EXPECT_TRUE(rounds.state().voidedWinners().empty());
}

INSTANTIATE_TEST_SUITE_P(RepeatsAllowedOrNot, VoidTest, ::testing::Values("否", "是"));

} // namespace

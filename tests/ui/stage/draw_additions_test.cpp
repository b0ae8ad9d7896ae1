#include "ui/main_window/main_window_fixture.h"
#include "ui/settings_window/seti.h"
#include "ui/settings_window/seti_batch_page.h"
#include "ui/stage/display_fitter.h"
#include "ui/stage/draw_board.h"
#include "ui/stage/draw_status_view.h"
#include "ui/stage/stage_mode.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>
#include <QScreen>
#include <QSpinBox>
#include <QTest>

namespace {

class DrawAdditionsTest : public MainWindowTest
{
  protected:
    void showWindow()
    {
        window().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    }
    void setCounts(const char* fifth)
    {
        dir.writeFile("rafflixset.ini", G("[基本设置]\r\n标题背景=.\\bg.jpg\r\n[奖项设置]\r\n"
                                          "特等奖人数=1\r\n五等奖人数=") +
                                            fifth + "\r\n");
    }
    QLineEdit* display() { return control<QLineEdit>("edt1"); }
    void startAndStop()
    {
        window().btn3Click();
        window().btn3Click();
    }
    QAction* menuAction(QMenu* menu, const char* name)
    {
        return menu->findChild<QAction*>(QLatin1String(name));
    }
};

TEST_F(DrawAdditionsTest, ALongWinnerLineShrinksToFitAndKeepsItsEndsBeyondTheMinimum)
{
    showWindow();
    QLineEdit* field = display();
    const int designPixels = field->font().pixelSize();
    const QString line = QStringLiteral("张伟 市场营销部华东区 110101199001011234");
    field->setText(line);
    EXPECT_EQ(field->text(), line) << "the whole line";
    EXPECT_LT(field->font().pixelSize(), designPixels);
    EXPECT_LE(QFontMetrics(field->font()).horizontalAdvance(line), field->width());

    field->setText(QStringLiteral("张伟"));
    EXPECT_EQ(field->font().pixelSize(), designPixels) << "a short line gets the font back";

    const QString huge =
        QStringLiteral("开头") + QString(200, QChar(u'中')) + QStringLiteral("结尾");
    field->setText(huge);
    EXPECT_EQ(field->font().pixelSize(), qRound(designPixels * DisplayFitter::kMinimumShare));
    EXPECT_TRUE(field->text().startsWith(QStringLiteral("开头")));
    EXPECT_TRUE(field->text().endsWith(QStringLiteral("结尾")));
    EXPECT_EQ(field->toolTip(), huge);
}

TEST_F(DrawAdditionsTest, TheStageScalesTheDisplaysDesignFontNotAShrunkOne)
{
    showWindow();
    display()->setText(QStringLiteral("张伟 市场营销部华东区 110101199001011234"));
    window().stageMode()->enter();
    const double scale = window().stageMode()->layout().scale();
    EXPECT_EQ(display()->property("designFont").value<QFont>().pixelSize(), 51);
    display()->setText(QStringLiteral("张伟"));
    EXPECT_EQ(display()->font().pixelSize(), qRound(51 * scale));
    window().stageMode()->leave();
    EXPECT_EQ(display()->font().pixelSize(), 51);
}

TEST_F(DrawAdditionsTest, TheStageHidesTheOperatorButtonsAndShowsTheBoard)
{
    writeParticipants(40);
    setCounts("12");
    showWindow();
    window().drawOptions().batchSizes[5] = 10;
    window().btn3Click();
    auto* banner = control<QLabel>("drawStatus");
    EXPECT_TRUE(banner->isVisible());
    EXPECT_TRUE(banner->text().startsWith(QStringLiteral("正在抽取：五等奖")));
    EXPECT_GE(banner->font().pixelSize(), 12) << "readable in the normal window";

    window().stageMode()->enter();
    for (const char* name : {"btn1", "btn2", "btn5"})
        EXPECT_FALSE(button(name)->isVisible()) << name;
    EXPECT_TRUE(button("btn3")->isVisible());
    EXPECT_FALSE(banner->isVisible());
    DrawBoard* board = window().drawStatusView()->board();
    EXPECT_TRUE(board->isVisible());

    window().btn3Click();
    EXPECT_EQ(board->winners().size(), 10u);
    EXPECT_TRUE(board->coversDisplay());
    EXPECT_TRUE(board->headline().contains(QStringLiteral("本次抽出 10 名")));
    EXPECT_EQ(control<QPlainTextEdit>("mmo1")->blockCount(), 11) << "heading and ten lines";
    // The batch takes the whole width below the title, down to the bottom.
    EXPECT_EQ(board->geometry().top(),
              window().stageMode()->layout().map(DrawBoard::designGeometry()).top());
    EXPECT_EQ(board->width(), window().width());
    EXPECT_EQ(board->geometry().bottom(), window().rect().bottom());

    window().stageMode()->leave();
    for (const char* name : {"btn1", "btn2", "btn5"})
        EXPECT_TRUE(button(name)->isVisible()) << name;
    EXPECT_FALSE(board->isVisible());
    EXPECT_TRUE(banner->isVisible());
}

TEST_F(DrawAdditionsTest, TheMenuOffersTheHiddenCommandsAndTheLevelsWithOpenPlaces)
{
    writeParticipants(40);
    setCounts("2");
    showWindow();
    QMenu* menu = window().popupMenu();
    for (const char* name : {"settingsCommand", "initializeCommand", "saveResultsCommand"})
        EXPECT_NE(menuAction(menu, name), nullptr) << name;

    auto* levels = menu->findChild<QMenu*>(QStringLiteral("levelChoiceMenu"));
    ASSERT_NE(levels, nullptr);
    emit menu->aboutToShow();
    QAction* grand = menuAction(levels, "chooseLevel0");
    ASSERT_NE(grand, nullptr);
    EXPECT_EQ(grand->text(), QStringLiteral("特等奖（剩余 1 名）"));
    EXPECT_NE(menuAction(levels, "chooseLevel5"), nullptr);
    EXPECT_EQ(menuAction(levels, "chooseLevel1"), nullptr) << "no places: no entry";

    grand->trigger();
    startAndStop();
    EXPECT_TRUE(dir.readFile("retotal.txt").startsWith(G("特等奖：")));
    emit menu->aboutToShow();
    EXPECT_EQ(menuAction(levels, "chooseLevel0"), nullptr) << "its place is taken now";
    EXPECT_TRUE(menuAction(levels, "automaticLevel")->isChecked());

    menuAction(menu, "initializeCommand")->trigger();
    EXPECT_EQ(dir.readFile("retotal.txt"), QByteArray());
}

TEST_F(DrawAdditionsTest, ALevelChosenWhileTheNamesRollIsOnScreenAndDrawn)
{
    writeParticipants(40);
    setCounts("12");
    showWindow();
    window().drawOptions().batchSizes[5] = 10;
    window().btn3Click();
    QMenu* menu = window().popupMenu();
    emit menu->aboutToShow();
    auto* levels = menu->findChild<QMenu*>(QStringLiteral("levelChoiceMenu"));
    ASSERT_NE(levels, nullptr);
    menuAction(levels, "chooseLevel0")->trigger();
    EXPECT_TRUE(
        control<QLabel>("drawStatus")->text().startsWith(QStringLiteral("正在抽取：特等奖")));
    EXPECT_EQ(window().drawStatus().batch, 1);
    window().btn3Click();
    EXPECT_EQ(dir.readFile("retotal.txt"), G("特等奖：") + window().currentWinner() + "\r\n");
}

TEST_F(DrawAdditionsTest, TheBatchPageSavesOnlyChangesAndTheNextStopUsesThem)
{
    writeParticipants(40);
    setCounts("12");
    TForm2 settings(&window());
    auto* page = settings.findChild<BatchPage*>(QStringLiteral("tsBatch"));
    ASSERT_NE(page, nullptr);
    const QByteArray before = dir.readFile("rafflixset.ini");
    const size_t boxesBefore = fakes.boxes.shown.size();
    page->saveButton()->click();
    EXPECT_EQ(dir.readFile("rafflixset.ini"), before) << "nothing changed, nothing written";

    page->sizeField(5)->setValue(4);
    page->saveButton()->click();
    EXPECT_EQ(window().drawOptions().batchSizes[5], 4);
    ASSERT_EQ(fakes.boxes.shown.size(), boxesBefore + 2);
    EXPECT_EQ(fakes.boxes.shown.back().caption, QStringLiteral("提示"));
    startAndStop();
    EXPECT_EQ(dir.readFile("retotal.txt").count(G("五等奖：")), 4);
}

} // namespace

namespace {

TEST_F(DrawAdditionsTest, TheMenuTellsTheOperatorAndOnStageHoldsOnlyCommandsInScreenLetters)
{
    writeParticipants(40);
    showWindow();
    QMenu* menu = window().popupMenu();
    const QList<QAction*> entries = menu->actions();
    emit menu->aboutToShow();
    EXPECT_TRUE(entries[0]->text().startsWith(QStringLiteral("工作文件夹：")));
    EXPECT_EQ(entries[1]->text(), QStringLiteral("名单人数：40 人"));
    EXPECT_TRUE(entries[2]->text().startsWith(QStringLiteral("Enter 开始/停止")));

    window().stageMode()->enter();
    emit menu->aboutToShow();
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(entries[i]->isVisible()) << i;
    const int stagePixels = window().stageMode()->layout().mapFontPixels(12);
    EXPECT_EQ(menu->font().pixelSize(), stagePixels);
    auto* levels = menu->findChild<QMenu*>(QStringLiteral("levelChoiceMenu"));
    EXPECT_EQ(levels->font().pixelSize(), stagePixels);
    EXPECT_GE(StageLayout::fitting(QSize(1920, 1080)).mapFontPixels(12), 24);

    window().stageMode()->leave();
    emit menu->aboutToShow();
    EXPECT_TRUE(entries[0]->isVisible());
}

} // namespace

#include "draw/draw_options.h"
#include "settings_window_fixture.h"
#include "storage/draw_history.h"
#include "storage/extra_prizes.h"
#include "ui/settings_window/seti_extra_page.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

namespace {

class ExtraPrizePageTest : public SettingsWindowTest
{
  protected:
    ExtraPrizePageTest() { page = control<ExtraPrizePage>("tsExtraPrizes"); }

    void fill(const QString& name, const QString& prize, const QString& count,
              const QString& batch = {})
    {
        page->nameField()->setText(name);
        page->prizeField()->setText(prize);
        page->countField()->setText(count);
        page->batchField()->setText(batch);
    }
    QByteArray extrasFile() const
    {
        return dir.exists(extra_prizes::kFileName) ? dir.readFile(extra_prizes::kFileName)
                                                   : QByteArray("(none)");
    }
    QAction* menuEntry(const char* name) const
    {
        emit mainWindow->popupMenu()->aboutToShow();
        return mainWindow->findChild<QAction*>(QLatin1String(name));
    }

    ExtraPrizePage* page = nullptr;
};

TEST_F(ExtraPrizePageTest, AddChangeAndRemoveWithoutEndingTheRound)
{
    const QByteArray results = G("五等奖：甲\r\n【老板加奖】乙\r\n");
    dir.writeFile("retotal.txt", results);
    const QByteArray history =
        dir.exists(draw_history::kFileName) ? dir.readFile(draw_history::kFileName) : QByteArray();

    fill(QStringLiteral("老板加奖"), QStringLiteral("现金红包 888 元"), QStringLiteral("10"),
         QStringLiteral("5"));
    page->addButton()->click();
    EXPECT_TRUE(page->problemLabel()->text().isEmpty())
        << page->problemLabel()->text().toStdString();
    EXPECT_EQ(extrasFile(), G("老板加奖\t现金红包 888 元\t10\t5\r\n"));
    ASSERT_EQ(page->prizeList()->count(), 1);
    EXPECT_EQ(page->prizeList()->item(0)->text(),
              QStringLiteral("老板加奖　10 名，每次 5 名　现金红包 888 元"));

    // Bad input: the page says which field and saves nothing.
    const std::vector<std::pair<std::vector<QString>, QString>> bad = {
        {{QStringLiteral("老板加奖"), {}, QStringLiteral("1")},
         QStringLiteral("加奖名称“老板加奖”已经有了")},
        {{QStringLiteral("幸运奖"), {}, QStringLiteral("0")}, QStringLiteral("加奖人数必须是")},
    };
    for (const auto& [fields, problem] : bad) {
        fill(fields[0], fields[1], fields[2]);
        page->addButton()->click();
        EXPECT_TRUE(page->problemLabel()->text().startsWith(problem))
            << page->problemLabel()->text().toStdString();
        EXPECT_EQ(extrasFile(), G("老板加奖\t现金红包 888 元\t10\t5\r\n"));
    }

    // Changing the count keeps the winner; renaming a prize with winners is refused.
    page->prizeList()->setCurrentRow(-1);
    page->prizeList()->setCurrentRow(0);
    EXPECT_EQ(page->countField()->text(), QStringLiteral("10"));
    page->countField()->setText(QStringLiteral("12"));
    page->changeButton()->click();
    EXPECT_EQ(extrasFile(), G("老板加奖\t现金红包 888 元\t12\t5\r\n"));
    page->nameField()->setText(QStringLiteral("大老板加奖"));
    page->changeButton()->click();
    EXPECT_TRUE(page->problemLabel()->text().contains(QStringLiteral("名称不能再改")));
    EXPECT_EQ(extrasFile(), G("老板加奖\t现金红包 888 元\t12\t5\r\n"));

    // Removing a prize with a winner asks first; the winner stays.
    page->prizeList()->setCurrentRow(0);
    fakes.boxes.answers = {BoxAnswer::No};
    page->removeButton()->click();
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_TRUE(fakes.boxes.shown[0].text.contains(QStringLiteral("已抽出 1 名中奖者")));
    EXPECT_EQ(page->prizeList()->count(), 1);
    fakes.boxes.answers = {BoxAnswer::Yes};
    page->removeButton()->click();
    EXPECT_EQ(page->prizeList()->count(), 0);
    EXPECT_EQ(extrasFile(), QByteArray("(none)")) << "an empty list leaves no file";

    EXPECT_EQ(dir.readFile("retotal.txt"), results) << "the round goes on";
    EXPECT_EQ(dir.exists(draw_history::kFileName) ? dir.readFile(draw_history::kFileName)
                                                  : QByteArray(),
              history);
}

TEST_F(ExtraPrizePageTest, TheMenuAddsChoosesAndRemovesThem)
{
    QAction* add = menuEntry("addExtraPrize");
    ASSERT_NE(add, nullptr);
    add->trigger();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(control<QTabWidget>("pgc1")->currentWidget(), page);
    EXPECT_TRUE(page->nameField()->text().isEmpty());

    fill(QStringLiteral("幸运奖"), QStringLiteral("手机"), QStringLiteral("2"));
    page->addButton()->click();
    QAction* choose = menuEntry("chooseExtraPrize0");
    ASSERT_NE(choose, nullptr);
    EXPECT_EQ(choose->text(), QStringLiteral("幸运奖（剩余 2 名）"));
    choose->trigger();
    EXPECT_EQ(mainWindow->drawOptions().chosenExtraPrize, G("幸运奖"));
    EXPECT_FALSE(mainWindow->drawOptions().chosenLevel);

    page->prizeList()->setCurrentRow(-1);
    QAction* change = menuEntry("changeExtraPrize0");
    ASSERT_NE(change, nullptr);
    change->trigger();
    EXPECT_EQ(page->nameField()->text(), QStringLiteral("幸运奖"));

    QAction* remove = menuEntry("removeExtraPrize0");
    ASSERT_NE(remove, nullptr);
    remove->trigger(); // no winners: no question
    EXPECT_TRUE(fakes.boxes.shown.empty());
    EXPECT_EQ(page->prizeList()->count(), 0);
    EXPECT_EQ(menuEntry("chooseExtraPrize0"), nullptr);
}

} // namespace

#include "settings_window_fixture.h"
#include "storage/column_titles_file.h"
#include "storage/draw_history.h"
#include "storage/draw_rules_file.h"
#include "ui/settings_window/seti_draw_rules_page.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

class DrawRulesPageTest : public SettingsWindowTest
{
  protected:
    DrawRulesPageTest()
    {
        dir.writeFile("rafflixlist.txt", G("张三\t总经办\t3301\r\n李四\t销售部\t3302\r\n"
                                           "王五\t行政部\t3303\r\n"));
        dir.writeFile(column_titles_file::kFileName, G("姓名\t部门\t工号\r\n"));
        page = window->findChild<DrawRulesPage*>();
        page->fill();
        fakes.boxes.shown.clear();
    }
    void setCondition(int row, const QString& column, int isOrNot, const QString& values)
    {
        const DrawRulesPage::ConditionRow& r = page->conditionRow(row);
        r.column->setCurrentText(column);
        r.isOrNot->setCurrentIndex(isOrNot);
        r.values->setText(values);
    }
    QString lastBox() const
    {
        return fakes.boxes.shown.empty() ? QString() : fakes.boxes.shown.back().text;
    }
    DrawRules saved() const
    {
        return draw_rules_file::read(QLatin1String(draw_rules_file::kFileName));
    }

    DrawRulesPage* page = nullptr;
};

TEST_F(DrawRulesPageTest, ColumnsAreTheListsTitlesAndEachLevelKeepsItsOwnRules)
{
    const QComboBox* column = page->conditionRow(0).column;
    ASSERT_EQ(column->count(), 4);
    EXPECT_EQ(column->itemText(2), QStringLiteral("部门"));

    page->levelBox()->setCurrentIndex(0); // 特等奖
    setCondition(0, QStringLiteral("部门"), 1, QStringLiteral("总经办、行政部"));
    page->levelBox()->setCurrentIndex(1); // 一等奖
    EXPECT_TRUE(page->conditionRow(0).values->text().isEmpty()) << "a level of its own";
    page->capColumnBox()->setCurrentText(QStringLiteral("部门"));
    page->capField()->setValue(2);
    page->excludedColumnBox()->setCurrentText(QStringLiteral("工号"));
    page->excludedField()->setPlainText(QStringLiteral("3302\n\n 3309 \n"));
    page->signInField()->setPlainText(QStringLiteral("张三\t总经办\t3301\n迟到者"));
    page->saveButton()->click();

    EXPECT_TRUE(lastBox().contains(QStringLiteral("从下一次停止起生效")));
    EXPECT_TRUE(lastBox().contains(QStringLiteral("迟到者"))) << "an unmatched sign-in is listed";
    const DrawRules rules = saved();
    ASSERT_EQ(rules.forLevel(G("特等奖")).conditions.size(), 1u);
    EXPECT_EQ(rules.forLevel(G("特等奖")).conditions[0],
              (Condition{G("部门"), false, {G("总经办"), G("行政部")}}));
    EXPECT_EQ(rules.forLevel(G("一等奖")).cap.most, 2);
    EXPECT_EQ(rules.excluded.values, (std::vector<QByteArray>{"3302", "3309"}));
    EXPECT_TRUE(dir.readFile(draw_history::kFileName).contains(G(" 规则更改\t")));

    page->levelBox()->setCurrentIndex(0);
    EXPECT_EQ(page->conditionRow(0).values->text(), QStringLiteral("总经办、行政部"));
}

TEST_F(DrawRulesPageTest, BadRulesSayWhichAndSaveNothing)
{
    setCondition(0, QStringLiteral("部门"), 0, QStringLiteral("财务部"));
    page->saveButton()->click();
    EXPECT_EQ(lastBox(),
              QStringLiteral("【特等奖】的条件“部门 是”的值（财务部）不符合名单中的任何人。"
                             "\r\n规则未保存。"));
    EXPECT_FALSE(QFile::exists(QLatin1String(draw_rules_file::kFileName)));

    // A column the list has lost since (a new import) is named too.
    DrawRules stale;
    stale.levels[G("特等奖")].cap = {G("籍贯"), 1};
    draw_rules_file::write(QLatin1String(draw_rules_file::kFileName), stale);
    page->fill();
    page->saveButton()->click();
    EXPECT_TRUE(lastBox().contains(QStringLiteral("用到“籍贯”列，但抽奖名单没有这一列")));
    EXPECT_EQ(saved(), stale);

    // Clearing every rule removes the file; the settings file never changes.
    const QByteArray settings = dir.readFile("rafflixset.ini");
    page->capColumnBox()->setCurrentIndex(0);
    page->saveButton()->click();
    EXPECT_FALSE(QFile::exists(QLatin1String(draw_rules_file::kFileName)));
    EXPECT_EQ(dir.readFile("rafflixset.ini"), settings);
}

} // namespace

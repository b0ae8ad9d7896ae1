#include "settings_window_fixture.h"
#include "storage/screen_privacy_settings.h"
#include "ui/main_window/results_list_lines.h"
#include "ui/settings_window/seti_stage_page.h"
#include "ui/stage/draw_board.h"
#include "ui/stage/draw_status_view.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

namespace {

class StagePageTest : public SettingsWindowTest
{
  protected:
    StagePage* page() const { return window->findChild<StagePage*>(); }
    void importText(const QString& text) const
    {
        auto* field = control<QPlainTextEdit>("mmo1");
        field->setPlainText(text);
        control<QPushButton>("btn1")->click();
    }
};

TEST_F(StagePageTest, TheAudienceSeesTheChosenColumnsMaskedAndTheFilesKeepEveryByte)
{
    const QByteArray person = G("张三\t销售部\t13812341234");
    dir.writeFile("rafflixlist.txt", (person + "\r\n").repeated(12)); // more than the winners
    dir.writeFile("rafflixcolumns.txt", G("姓名\t部门") + "\r\n");
    const QByteArray settingsBefore = settingsFile();
    page()->fill();
    QListWidget* columns = page()->columnsField();
    ASSERT_EQ(columns->count(), 3);
    EXPECT_EQ(columns->item(1)->text(), QStringLiteral("部门"));
    EXPECT_EQ(columns->item(2)->text(), QStringLiteral("第3列"));

    // Saved untouched, the settings file stays as it was.
    page()->saveButton()->click();
    EXPECT_EQ(settingsFile(), settingsBefore);

    page()->maskField()->setChecked(true);
    columns->item(0)->setCheckState(Qt::Checked);
    columns->item(2)->setCheckState(Qt::Checked);
    page()->saveButton()->click();
    EXPECT_EQ(screen_privacy_settings::read(), (ScreenPrivacy{true, {0, 2}}));
    EXPECT_EQ(mainWindow->drawOptions().privacy, (ScreenPrivacy{true, {0, 2}}));
    EXPECT_TRUE(settingsFile().startsWith(settingsBefore));

    auto* btn3 = mainControl<QPushButton>("btn3");
    btn3->click();
    btn3->click();
    // The roll's next pass leaves the winner in the display.
    QTRY_COMPARE(mainControl<QLineEdit>("edt1")->text(), QStringLiteral("张三 ｜ 138****1234"));
    const QByteArray label = dir.readFile("retotal.txt").left(8); // the level drawn
    const auto* results = mainControl<QPlainTextEdit>("mmo1");
    EXPECT_TRUE(results->document()->lastBlock().text().startsWith(
        gbk::decode(label) + QStringLiteral("张三 ｜ 138****1234 时间：")));
    ASSERT_EQ(mainWindow->drawStatusView()->board()->winners().size(), 1u);
    EXPECT_EQ(mainWindow->drawStatusView()->board()->winners()[0], G("张三\t138****1234"));
    // The results file and what the operator saves hold the whole line.
    EXPECT_EQ(dir.readFile("retotal.txt"), label + person + "\r\n");
    EXPECT_EQ(fakes.boxes.shown.size(), 2u) << "the two saved notices alone";
    EXPECT_TRUE(results_list_lines::savedResults(*results->document())
                    .contains(label + person + G(" 时间：")));
}

TEST_F(StagePageTest, AnImportWithPersonalNumbersAsksOnceWhetherToHideThem)
{
    importText(QStringLiteral("张三 一组\n李四 二组"));
    EXPECT_EQ(fakes.boxes.shown.size(), 1u); // the import's notice alone

    fakes.boxes.answers.push_back(BoxAnswer::No);
    importText(QStringLiteral("张三 110101199003071234\n李四"));
    ASSERT_EQ(fakes.boxes.shown.size(), 3u);
    EXPECT_TRUE(fakes.boxes.shown[2].text.contains(QStringLiteral("身份证号或手机号")));
    EXPECT_FALSE(mainWindow->drawOptions().privacy.maskNumbers);

    // Answered, never asked again.
    importText(QStringLiteral("李四 13812341234"));
    EXPECT_EQ(fakes.boxes.shown.size(), 4u);
    EXPECT_FALSE(screen_privacy_settings::read().maskNumbers);
}

TEST_F(StagePageTest, AYesHidesTheNumbersAtOnce)
{
    fakes.boxes.answers.push_back(BoxAnswer::Yes);
    importText(QStringLiteral("李四 13812341234"));
    EXPECT_TRUE(mainWindow->drawOptions().privacy.maskNumbers);
    EXPECT_TRUE(screen_privacy_settings::read().maskNumbers);
}

} // namespace

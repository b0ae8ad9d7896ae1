#include "draw/round_recovery.h"
#include "settings_window_fixture.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

namespace {

using SettingsWindowShellTest = SettingsWindowTest;

TEST_F(SettingsWindowShellTest, WindowIsAFixedStayOnTopDialogWithFourPages)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("设置"));
    EXPECT_EQ(window->minimumSize(), QSize(510, 268));
    EXPECT_EQ(window->maximumSize(), QSize(510, 268));
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(window->font().pixelSize(), 12);
    EXPECT_EQ(window->font().family(), QStringLiteral("宋体"));
    EXPECT_TRUE(window->isHidden()) << "created hidden";

    auto* pages = control<QTabWidget>("pgc1");
    EXPECT_EQ(pages->geometry(), QRect(16, 8, 473, 249));
    const char* names[] = {"ts1", "ts2", "ts3", "ts4"};
    const char* captions[] = {"基本设置", "奖项设置", "导入/导出", "免费与捐助"};
    // The four pages first; the batch page, the rules, the extra prizes and
    // the stage page after them.
    ASSERT_EQ(pages->count(), 8);
    EXPECT_EQ(pages->tabText(4), QStringLiteral("批量抽奖"));
    EXPECT_EQ(pages->tabText(5), QStringLiteral("抽奖规则"));
    EXPECT_EQ(pages->tabText(6), QStringLiteral("加奖"));
    EXPECT_EQ(pages->tabText(7), QStringLiteral("舞台与隐私"));
    for (int page = 0; page < 4; ++page) {
        EXPECT_EQ(pages->widget(page)->objectName(), QLatin1String(names[page]));
        EXPECT_EQ(pages->tabText(page), QString::fromUtf8(captions[page]));
    }
    EXPECT_EQ(pages->currentIndex(), 0);
}

TEST_F(SettingsWindowShellTest, ControlsSitWhereTheOperatorExpectsThem)
{
    struct Placed
    {
        const char* name;
        const char* page;
        QRect geometry; // an empty size: a label that sizes itself to its text
        const char* text;
    };
    const Placed placed[] = {
        {"lbl1", "ts1", QRect(56, 16, 0, 0), "抽奖标题"},
        {"cxtxtdt1", "ts1", QRect(112, 12, 273, 20), nullptr},
        {"lbl14", "ts1", QRect(56, 48, 0, 0), "标题背景"},
        {"btn4", "ts1", QRect(112, 45, 273, 20), nullptr},
        {"lbl15", "ts1", QRect(56, 80, 0, 0), "开始音乐"},
        {"btn5", "ts1", QRect(112, 77, 273, 20), nullptr},
        {"lbl16", "ts1", QRect(56, 112, 0, 0), "结束音乐"},
        {"btn6", "ts1", QRect(112, 110, 273, 20), nullptr},
        {"btn7", "ts1", QRect(312, 144, 75, 25), "保存修改"},
        {"lbl2", "ts2", QRect(36, 11, 0, 0), "【特等奖】产生人数"},
        {"edt1", "ts2", QRect(152, 8, 57, 18), nullptr},
        {"lbl3", "ts2", QRect(216, 11, 0, 0), "人   奖品设置"},
        {"edt2", "ts2", QRect(296, 8, 121, 18), nullptr},
        {"lbl12", "ts2", QRect(36, 131, 0, 0), "【五等奖】产生人数"},
        {"edt11", "ts2", QRect(152, 128, 57, 18), nullptr},
        {"lbl13", "ts2", QRect(216, 131, 0, 0), "人   奖品设置"},
        {"edt12", "ts2", QRect(296, 128, 121, 18), nullptr},
        {"edt7", "ts2", QRect(152, 80, 57, 18), nullptr},
        {"lbl17", "ts2", QRect(48, 156, 0, 0), "是否允许重复中奖"},
        {"cbb1", "ts2", QRect(152, 152, 57, 20), nullptr},
        {"lbl18", "ts2", QRect(232, 156, 0, 0), "抽奖界面是否显示奖项"},
        {"cbb2", "ts2", QRect(360, 152, 57, 20), nullptr},
        {"lbl19", "ts2", QRect(40, 192, 0, 0), "* 产生人数为空，则不抽取该等奖。"},
        {"btn8", "ts2", QRect(344, 192, 75, 25), "保存修改"},
        {"mmo1", "ts3", QRect(18, 24, 425, 153), nullptr},
        {"lbl20", "ts3", QRect(24, 192, 0, 0), "* 每次导入会覆盖之前的数据。"},
        {"btn1", "ts3", QRect(368, 192, 75, 25), "确定导入"},
        {"mmo2", "ts4", QRect(16, 16, 441, 193), nullptr},
    };
    for (const Placed& p : placed) {
        auto* widget = control<QWidget>(p.name);
        ASSERT_NE(widget, nullptr) << p.name;
        EXPECT_EQ(widget->parentWidget()->objectName(), QLatin1String(p.page)) << p.name;
        if (p.geometry.size().isEmpty())
            EXPECT_EQ(widget->pos(), p.geometry.topLeft()) << p.name;
        else
            EXPECT_EQ(widget->geometry(), p.geometry) << p.name;
        if (!p.text)
            continue;
        if (auto* label = qobject_cast<QLabel*>(widget))
            EXPECT_EQ(label->text(), QString::fromUtf8(p.text)) << p.name;
        else
            EXPECT_EQ(qobject_cast<QPushButton*>(widget)->text(), QString::fromUtf8(p.text));
    }
    EXPECT_EQ(control<QPlainTextEdit>("mmo1")->toPlainText(),
              QStringLiteral("每行一条数据，不能有空行（推荐格式:姓名 身份证号码）"));
}

TEST_F(SettingsWindowShellTest, TabKeyFollowsEachPagesOrder)
{
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto walk = [this](int page, const QStringList& order) {
        control<QTabWidget>("pgc1")->setCurrentIndex(page);
        control<QWidget>(order.front().toLatin1().constData())->setFocus();
        QStringList visited;
        for (int step = 0; step < order.size(); ++step) {
            QWidget* focused = QApplication::focusWidget();
            // A combo box's edit part has the focus on behalf of the box.
            if (focused && qobject_cast<QComboBox*>(focused->parentWidget()))
                focused = focused->parentWidget();
            visited << (focused ? focused->objectName() : QStringLiteral("(none)"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        EXPECT_EQ(visited, order);
    };
    walk(0, {"btn4", "btn5", "btn6", "cxtxtdt1", "btn7"});
    walk(1, {"edt11", "edt9", "edt7", "edt5", "edt3", "edt1", "edt12", "edt10", "edt8", "edt6",
             "edt4", "edt2", "btn8", "cbb1", "cbb2"});
    walk(2, {"btn1", "mmo1"});
}

TEST_F(SettingsWindowShellTest, ClosingOnlyHidesAndFieldsKeepUnsavedTexts)
{
    window->show();
    control<QLineEdit>("cxtxtdt1")->setText(QStringLiteral("未保存的标题"));
    control<QLineEdit>("edt12")->setText(QStringLiteral("抱枕"));
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(window->isHidden());

    // Changes to the file meanwhile are not picked up: the fields are filled once.
    dir.writeFile("rafflixset.ini", G("[基本设置]\r\n抽奖标题=别的标题\r\n"));
    mainControl<QPushButton>("btn1")->click();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(control<QLineEdit>("cxtxtdt1")->text(), QStringLiteral("未保存的标题"));
    EXPECT_EQ(control<QLineEdit>("edt12")->text(), QStringLiteral("抱枕"));
    EXPECT_EQ(control<QLineEdit>("btn4")->text(), QStringLiteral(".\\bg.jpg"));
}

TEST_F(SettingsWindowShellTest, RightClickOnTheBasicPageOrItsLabelsOpensTheMainMenu)
{
    window->show();
    QMenu* menu = mainWindow->popupMenu();
    ASSERT_NE(menu, nullptr);
    for (const char* name : {"ts1", "lbl1", "lbl14", "lbl15", "lbl16"}) {
        QWidget* source = control<QWidget>(name);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2),
                                source->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(source, &event);
        EXPECT_TRUE(menu->isVisible()) << name;
        menu->hide();
    }
    QWidget* prizeLabel = control<QWidget>("lbl17");
    QContextMenuEvent onPrizes(QContextMenuEvent::Mouse, QPoint(2, 2),
                               prizeLabel->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(prizeLabel, &onPrizes);
    EXPECT_FALSE(menu->isVisible());
}

class SaveDuringDrawTest : public SettingsWindowTest
{
  protected:
    void startDraw()
    {
        QByteArray participants;
        for (int person = 1; person <= 12; ++person)
            participants += G("员工") + QByteArray::number(person) + "\r\n";
        dir.writeFile("rafflixlist.txt", participants);
        dir.writeFile("retotal.txt", G("五等奖：员工3\r\n"));
        mainControl<QPushButton>("btn3")->click();
        ASSERT_TRUE(mainWindow->isDrawRunning());
        fakes.boxes.shown.clear();
    }
};

TEST_F(SaveDuringDrawTest, BothSavesAreRefusedWithANoticeAndWriteNothing)
{
    startDraw();
    control<QLineEdit>("cxtxtdt1")->setText(QStringLiteral("新标题"));
    control<QLineEdit>("edt1")->setText(QStringLiteral("9"));
    control<QPushButton>("btn7")->click();
    control<QPushButton>("btn8")->click();

    ASSERT_EQ(fakes.boxes.shown.size(), 2u);
    for (const BoxRequest& box : fakes.boxes.shown) {
        EXPECT_EQ(box.caption, QStringLiteral("提示"));
        EXPECT_TRUE(box.text.contains(QStringLiteral("请先停止抽奖"))) << box.text.toStdString();
    }
    EXPECT_EQ(settingsFile(), defaultFileWith());
    EXPECT_EQ(dir.readFile("retotal.txt"), G("五等奖：员工3\r\n"));
    EXPECT_EQ(mainControl<QLabel>("lbl2")->text(), QStringLiteral("2011年春节员工抽奖"));
    EXPECT_TRUE(mainWindow->isDrawRunning());
}

TEST_F(SaveDuringDrawTest, ABatchSavedWhileDrawingIsWhatTheBoardAnnouncesAndTheStopDraws)
{
    startDraw();
    const int row = levelIndex(mainWindow->drawStatus().level);
    control<QSpinBox>(QStringLiteral("batchSize%1").arg(row).toLatin1())->setValue(3);
    control<QPushButton>("batchSave")->click();
    EXPECT_EQ(mainWindow->drawStatus().batch, 3);
    mainControl<QPushButton>("btn3")->click();
    EXPECT_EQ(mainWindow->drawStatus().winners.size(), 3u);
}

TEST_F(SaveDuringDrawTest, ImportStillWorksWhileDrawing)
{
    startDraw();
    control<QPushButton>("btn1")->click();
    EXPECT_EQ(boxTexts(), QStringList{QStringLiteral("导入成功，请返回界面进行抽奖操作！")});
}

TEST_F(SaveDuringDrawTest, SaveIsAcceptedAgainOnceTheDrawStops)
{
    startDraw();
    mainControl<QPushButton>("btn3")->click(); // stop: one winner is drawn
    ASSERT_FALSE(mainWindow->isDrawRunning());
    fakes.boxes.shown.clear();
    control<QPushButton>("btn7")->click();
    // The save ended a round holding a winner: the operator is told, and how
    // to take it back.
    EXPECT_EQ(boxTexts(), (QStringList{QStringLiteral("修改成功，请进行其它设置！"),
                                       round_recovery::roundEndedBySave(1)}));
    EXPECT_EQ(dir.readFile("retotal.txt"), QByteArray());
}

} // namespace

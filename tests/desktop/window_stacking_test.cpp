#include "platform/qt/box_owner.h"
#include "platform/qt/qt_message_boxes.h"
#include "settings_window/settings_window_fixture.h"
#include "ui/window_stacking.h"

#include <QMessageBox>
#include <QTimer>

namespace {

class WindowStackingTest : public SettingsWindowTest
{
  protected:
    void showBoth()
    {
        mainWindow->show();
        mainWindow->btn1Click();
        ASSERT_TRUE(window->isVisible());
    }
};

TEST_F(WindowStackingTest, MinimizingTheMainWindowTakesTheSettingsWindowAlongAndBack)
{
    showBoth();
    mainWindow->showMinimized();
    EXPECT_FALSE(window->isVisible());
    mainWindow->showNormal();
    EXPECT_TRUE(window->isVisible());

    // Closed before the minimize, it stays closed after the restore.
    window->hide();
    mainWindow->showMinimized();
    mainWindow->showNormal();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(WindowStackingTest, CloseAnsweredNoMinimizesTheWholeProgram)
{
    showBoth();
    fakes.boxes.answers.push_back(BoxAnswer::No);
    EXPECT_FALSE(mainWindow->close());
    EXPECT_TRUE(mainWindow->windowState() & Qt::WindowMinimized);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(WindowStackingTest, SettingsCommandRestoresAMinimizedSettingsWindow)
{
    showBoth();
    window->showMinimized();
    mainWindow->btn1Click();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->windowState() & Qt::WindowMinimized);
}

TEST_F(WindowStackingTest, BoxesStandOverTheSettingsWindowWhileItIsShown)
{
    mainWindow->show();
    EXPECT_EQ(boxOwner(mainWindow.get()), mainWindow.get());
    EXPECT_FALSE(ownerStaysOnTop(mainWindow.get()));
    showBoth();
    EXPECT_EQ(boxOwner(mainWindow.get()), window.get());
    EXPECT_TRUE(ownerStaysOnTop(window.get()));

    // The real box a main-window handler raises: owned by the settings
    // window and kept on top like it.
    QWidget* seenParent = nullptr;
    bool seenOnTop = false;
    QTimer::singleShot(0, [&] {
        QMessageBox* box = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* shown = qobject_cast<QMessageBox*>(top); shown && shown->isVisible())
                box = shown;
        ASSERT_NE(box, nullptr);
        seenParent = box->parentWidget();
        seenOnTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        box->accept();
    });
    QtMessageBoxes().show(mainWindow.get(), noticeBox(QStringLiteral("初始化成功")));
    EXPECT_EQ(seenParent, window.get());
    EXPECT_TRUE(seenOnTop);

    window->hide();
    EXPECT_NE(boxOwner(mainWindow.get()), window.get());
}

} // namespace

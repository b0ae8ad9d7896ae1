#include "ui/main_window/main_window_fixture.h"
#include "ui/main_window/presenter_remote.h"
#include "ui/stage/stage_blank.h"
#include "ui/stage/stage_layout.h"
#include "ui/stage/stage_mode.h"
#include "ui/stage/stage_screen_window.h"
#include "ui/stage/stage_screens.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTest>

namespace {

class StageScreensTest : public MainWindowTest
{
  protected:
    // A press and its release where the presenter's keys go: to the stage
    // view when it has a window of its own, else to the main window.
    void press(Qt::Key key, bool toMainWindow)
    {
        StageScreenWindow* stage = window().stageScreens()->window();
        QWidget* target = &window();
        if (!toMainWindow && stage && stage->isVisible())
            target = stage;
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, Qt::NoModifier);
            event.setTimestamp(stamp_ += 300);
            QApplication::sendEvent(target, &event);
        }
    }
    unsigned long stamp_ = 10000;
};

// The screens are handed in as lists: the offscreen platform has one screen
// and cannot plug in another.
TEST_F(StageScreensTest, TheStageFollowsTheScreensWhileTheDrawGoesOn)
{
    writeParticipants(12);
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    StageScreens& screens = *window().stageScreens();
    const StageMode& stage = *window().stageMode();
    const QRect console = window().screen()->geometry();
    const QRect projector(console.right() + 1, 0, 1920, 1080);
    const std::vector<QRect> one{console}, two{console, projector};

    const struct
    {
        const char* what;
        bool option;
        std::vector<QRect> screens;
        Qt::Key key; // 0: none
        bool toMainWindow;
        bool ownWindow;
        bool onMainWindow;
        bool rolling;
        size_t winners;
    } steps[] = {
        {"option off: the main window is the stage", false, two, Qt::Key_F5, false, false, true,
         false, 0},
        {"option on: the stage moves to the projector", true, two, Qt::Key(0), false, true, false,
         false, 0},
        {"Start from the stage", true, two, Qt::Key_Return, false, true, false, true, 0},
        {"projector unplugged while rolling", true, one, Qt::Key(0), false, false, true, true, 0},
        {"plugged in again", true, two, Qt::Key(0), false, true, false, true, 0},
        {"Stop from the stage", true, two, Qt::Key_PageDown, false, true, false, false, 1},
        {"Start and Stop from the console", true, two, Qt::Key_Return, true, true, false, true, 1},
        {"", true, two, Qt::Key_Return, true, true, false, false, 2},
        {"Esc on the stage leaves it", true, two, Qt::Key_Escape, false, false, false, false, 2},
        {"F5 at the console opens it there", true, two, Qt::Key_F5, true, true, false, false, 2},
    };
    for (const auto& step : steps) {
        fakes.clock.time = fakes.clock.time.addSecs(1);
        screens.setChoice({step.option, -1});
        screens.screensChanged(step.screens);
        if (step.key)
            press(step.key, step.toMainWindow);
        EXPECT_EQ(screens.isShown(), step.ownWindow) << step.what;
        EXPECT_EQ(stage.isActive(), step.onMainWindow) << step.what;
        EXPECT_EQ(window().isDrawRunning(), step.rolling) << step.what;
        EXPECT_EQ(results().size(), step.winners) << step.what;
        if (step.ownWindow) {
            EXPECT_EQ(screens.placement().geometry, projector) << step.what;
            EXPECT_TRUE(screens.window()->isVisible()) << step.what;
            // The console keeps its size and its buttons.
            QTRY_COMPARE(window().size(), QSize(744, 522));
            EXPECT_TRUE(button("btn1")->isVisible()) << step.what;
        } else if (screens.window()) {
            EXPECT_FALSE(screens.window()->isVisible()) << step.what;
        }
    }

    // The black screen falls on the projector, never on the console.
    press(Qt::Key_B, false);
    EXPECT_TRUE(screens.window()->blank()->isBlanked());
    EXPECT_FALSE(window().presenterRemote()->blank()->isBlanked());
    press(Qt::Key_B, true);
    EXPECT_FALSE(screens.window()->blank()->isBlanked());

    // The stage draws the console's display and results, scaled.
    const QImage shown = screens.window()->grab().toImage();
    const QRect display =
        StageLayout::fitting(screens.window()->size()).map(QRect(24, 136, 697, 57));
    EXPECT_EQ(shown.pixelColor(display.center() + QPoint(0, display.height() / 3)), Qt::white);
}

} // namespace

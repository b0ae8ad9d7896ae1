#include "ui/main_window/main_window_fixture.h"
#include "ui/main_window/presenter_remote.h"
#include "ui/stage/stage_blank.h"
#include "ui/stage/stage_mode.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTest>

namespace {

class PresenterRemoteTest : public MainWindowTest
{
  protected:
    // A press and its release as the X server stamps them; a held button
    // repeats the press without a release in between.
    void press(Qt::Key key, bool heldFor = false)
    {
        QWidget* focus = QApplication::focusWidget();
        QWidget* target = focus ? focus : &window();
        stamp_ += 300;
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
        down.setTimestamp(stamp_);
        QApplication::sendEvent(target, &down);
        if (heldFor) {
            for (int repeat = 1; repeat <= 5; ++repeat) {
                QKeyEvent again(QEvent::KeyPress, key, Qt::NoModifier);
                again.setTimestamp(stamp_ + 500 + 30 * repeat);
                QApplication::sendEvent(QApplication::focusWidget(), &again);
            }
            stamp_ += 700;
        }
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
        up.setTimestamp(stamp_ + 100);
        QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : target,
                                &up);
        stamp_ += 100;
    }
    StageBlank& blank() { return *window().presenterRemote()->blank(); }
    bool blanked()
    {
        QWidget* cover = blank().cover();
        const QPoint centre = window().rect().center();
        return cover && cover->isVisible() && window().childAt(centre) == cover;
    }
    unsigned long stamp_ = 10000;
};

TEST_F(PresenterRemoteTest, TheRemoteRunsAShowOnePressOneCommand)
{
    writeParticipants(12);
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    StageMode& stage = *window().stageMode();

    press(Qt::Key_F5);
    ASSERT_TRUE(stage.isActive());
    QTRY_COMPARE(window().size(), window().screen()->geometry().size());

    // Forward held down: one Start, then one Stop and one winner.
    press(Qt::Key_PageDown, true);
    EXPECT_EQ(startStopText(), QStringLiteral("停止抽奖"));
    press(Qt::Key_Right, true);
    EXPECT_EQ(startStopText(), QStringLiteral("开始抽奖"));
    EXPECT_EQ(results().size(), 1u);

    // Back draws nobody.
    press(Qt::Key_PageUp);
    press(Qt::Key_Left);
    EXPECT_EQ(startStopText(), QStringLiteral("开始抽奖"));

    // The black screen stays above the board the next Stop raises; forward
    // brings the stage back before it draws again.
    press(Qt::Key_B, true);
    EXPECT_TRUE(blanked());
    fakes.clock.time = fakes.clock.time.addSecs(1);
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    EXPECT_EQ(results().size(), 2u);
    EXPECT_TRUE(blanked());
    press(Qt::Key_PageDown);
    EXPECT_FALSE(blanked());
    EXPECT_EQ(startStopText(), QStringLiteral("开始抽奖"));
    press(Qt::Key_Period);
    EXPECT_TRUE(blanked());
    press(Qt::Key_Period);
    EXPECT_FALSE(blanked());

    // Esc leaves, black or not, and the normal window is never black.
    press(Qt::Key_B);
    press(Qt::Key_Escape);
    EXPECT_FALSE(stage.isActive());
    EXPECT_FALSE(blank().isBlanked());
    QTRY_COMPARE(window().size(), QSize(744, 522));

    // In the normal window a focused field keeps its arrows; the
    // focused Start/Stop button takes them.
    auto* edt1 = control<QLineEdit>("edt1");
    edt1->setFocus();
    edt1->setCursorPosition(0);
    press(Qt::Key_Right);
    EXPECT_EQ(edt1->cursorPosition(), 1);
    EXPECT_EQ(startStopText(), QStringLiteral("开始抽奖"));
    press(Qt::Key_B);
    EXPECT_FALSE(blank().isBlanked());
    button("btn3")->setFocus();
    press(Qt::Key_PageDown);
    EXPECT_EQ(startStopText(), QStringLiteral("停止抽奖"));
    press(Qt::Key_PageDown);
    EXPECT_EQ(results().size(), 3u);
}

} // namespace

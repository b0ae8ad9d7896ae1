#include "base/line_splitting.h"
#include "ui/main_window/main_window_fixture.h"
#include "ui/stage/stage_mode.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QTest>
#include <map>

namespace {

// Everything about a control that stage mode changes.
struct ControlState
{
    QRect geometry;
    QFont font;
    QSize pixmapSize;

    bool operator==(const ControlState& other) const
    {
        return geometry == other.geometry && font == other.font && pixmapSize == other.pixmapSize;
    }
};

class StageModeTest : public MainWindowTest
{
  protected:
    void showWindow()
    {
        window().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    }
    StageMode& stage() { return *window().stageMode(); }
    QSize screenSize() { return window().screen()->geometry().size(); }
    // F11 on the focused control, as the operator presses it.
    void pressOnFocus(Qt::Key key)
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &window(), key);
    }
    void enterStage()
    {
        pressOnFocus(Qt::Key_F11);
        ASSERT_TRUE(stage().isActive());
        QTRY_COMPARE(window().size(), screenSize());
    }
    std::map<QString, ControlState> controlStates()
    {
        std::map<QString, ControlState> states;
        for (QWidget* child :
             window().findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (!child->isWindow()) {
                const auto* label = qobject_cast<QLabel*>(child);
                states[child->objectName()] = {
                    child->geometry(), child->font(),
                    label ? label->pixmap().deviceIndependentSize().toSize() : QSize()};
            }
        return states;
    }
    QRect scaled(const QRect& design) { return stage().layout().map(design); }
};

TEST_F(StageModeTest, F11ShowsTheWholeWindowScaledToTheScreenAndBackExactly)
{
    showWindow();
    const QRect normalGeometry = window().geometry();
    const auto normalControls = controlStates();
    // The eleven controls, the draw status line and the stage's board.
    ASSERT_EQ(normalControls.size(), 13u);

    enterStage();
    EXPECT_TRUE(window().isFullScreen());
    EXPECT_EQ(window().minimumSize(), QSize(0, 0));
    EXPECT_EQ(window().maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    const StageLayout expected = StageLayout::fitting(screenSize());
    EXPECT_DOUBLE_EQ(stage().layout().scale(), expected.scale());
    EXPECT_EQ(stage().layout().offset(), expected.offset());
    const double s = expected.scale();
    ASSERT_GT(s, 1.0) << "the offscreen screen is larger than the design";

    EXPECT_EQ(button("btn3")->geometry(), scaled(QRect(24, 456, 129, 33)));
    EXPECT_EQ(control<QLineEdit>("edt1")->geometry(), scaled(QRect(24, 136, 697, 57)));
    EXPECT_EQ(control<QProgressBar>("pb1")->geometry(), scaled(QRect(0, 505, 744, 17)));
    EXPECT_EQ(control<QLabel>("lbl2")->pos(), scaled(QRect(144, 40, 1, 1)).topLeft());
    EXPECT_EQ(control<QLineEdit>("edt1")->font().pixelSize(), qRound(51 * s));
    EXPECT_EQ(button("btn5")->font().pixelSize(), qRound(12 * s));
    EXPECT_EQ(control<QLabel>("lbl2")->font().pixelSize(), qRound(53 * s));
    EXPECT_EQ(control<QLabel>("lbl2")->font().family(), normalControls.at("lbl2").font.family());
    // The picture is scaled itself, not left at its size.
    const QRect picture = scaled(QRect(24, 16, 700, 110));
    EXPECT_EQ(control<QLabel>("img1")->geometry(), picture);
    EXPECT_EQ(control<QLabel>("img1")->pixmap().deviceIndependentSize().toSize(), picture.size());
    // Labels fit their text in the larger font.
    EXPECT_EQ(control<QLabel>("lbl2")->size(), control<QLabel>("lbl2")->sizeHint());

    pressOnFocus(Qt::Key_F11);
    EXPECT_FALSE(stage().isActive());
    EXPECT_FALSE(window().isFullScreen());
    QTRY_COMPARE(window().geometry(), normalGeometry);
    EXPECT_EQ(window().minimumSize(), QSize(744, 522));
    EXPECT_EQ(window().maximumSize(), QSize(744, 522));
    EXPECT_TRUE(controlStates() == normalControls);
}

TEST_F(StageModeTest, EscLeavesTheStageButPassesOnInTheNormalWindow)
{
    showWindow();
    // In the normal window Esc goes its usual way: a push button ignores it,
    // so it reaches the window.
    struct KeySpy : QObject
    {
        int escapes = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::KeyPress &&
                static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
                ++escapes;
            return false;
        }
    } spy;
    window().installEventFilter(&spy);
    QPushButton* btn1 = button("btn1");
    btn1->setFocus();
    QTest::keyClick(btn1, Qt::Key_Escape);
    EXPECT_EQ(spy.escapes, 1);
    EXPECT_FALSE(stage().isActive());

    enterStage();
    QTest::keyClick(btn1, Qt::Key_Escape);
    EXPECT_FALSE(stage().isActive());
    EXPECT_EQ(spy.escapes, 1);
    QTRY_COMPARE(window().size(), QSize(744, 522));

    // Held down, F11 switches once.
    QTest::keyPress(btn1, Qt::Key_F11);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_F11, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(btn1, &repeat);
    QApplication::sendEvent(btn1, &repeat);
    QTest::keyRelease(btn1, Qt::Key_F11);
    EXPECT_TRUE(stage().isActive());
}

TEST_F(StageModeTest, ClickOnTheScaledStartStopButtonAndEnterRunTheDraw)
{
    writeParticipants(12);
    showWindow();
    enterStage();

    // A click where the scaled button is drawn, delivered through the window.
    const QPoint onStartStop = scaled(QRect(24, 456, 129, 33)).center();
    ASSERT_FALSE(QRect(24, 456, 129, 33).contains(onStartStop));
    ASSERT_EQ(window().childAt(onStartStop), button("btn3"));
    QTest::mouseClick(window().windowHandle(), Qt::LeftButton, Qt::NoModifier, onStartStop);
    EXPECT_EQ(startStopText(), QStringLiteral("停止抽奖"));
    QTest::mouseClick(window().windowHandle(), Qt::LeftButton, Qt::NoModifier, onStartStop);
    EXPECT_EQ(startStopText(), QStringLiteral("开始抽奖"));
    EXPECT_EQ(splitIntoLines(dir.readFile("retotal.txt")).size(), 1u);

    fakes.clock.time = fakes.clock.time.addSecs(1);
    auto* mmo1 = control<QPlainTextEdit>("mmo1");
    mmo1->setFocus();
    QTest::keyClick(mmo1, Qt::Key_Return);
    QTest::keyClick(mmo1, Qt::Key_Return);
    EXPECT_EQ(splitIntoLines(dir.readFile("retotal.txt")).size(), 2u);
    EXPECT_EQ(mmo1->document()->blockCount(), 3);
    auto* lbl3 = control<QLabel>("lbl3");
    EXPECT_EQ(lbl3->text(), QStringLiteral("进度：2/10"));
    EXPECT_EQ(lbl3->size(), lbl3->sizeHint());
    EXPECT_TRUE(stage().isActive());

    // The progress text changed on the stage; back in the window it fits its
    // text in the normal font, where the normal window put it.
    pressOnFocus(Qt::Key_F11);
    EXPECT_EQ(lbl3->font().pixelSize(), 23);
    EXPECT_EQ(lbl3->geometry(), QRect(QPoint(248, 464), lbl3->sizeHint()));
}

TEST_F(StageModeTest, PictureReloadedOnTheStageIsScaledAndKeptAfterwards)
{
    showWindow();
    enterStage();
    QImage wide(600, 80, QImage::Format_RGB888);
    wide.fill(Qt::blue);
    wide.save(dir.filePath("bg.jpg"), "JPG");
    window().loadMainWindowState(); // as a settings save does
    auto* img1 = control<QLabel>("img1");
    EXPECT_EQ(img1->geometry(), scaled(QRect(24, 16, 600, 80)));
    EXPECT_EQ(img1->pixmap().deviceIndependentSize().toSize(), img1->size());

    pressOnFocus(Qt::Key_Escape);
    EXPECT_EQ(img1->geometry(), QRect(24, 16, 600, 80));
    EXPECT_EQ(img1->pixmap().size(), QSize(600, 80));
}

} // namespace

#include "base/line_splitting.h"
#include "storage/prize_level.h"
#include "storage/program_settings.h"
#include "storage/settings_file.h"
#include "ui/input/key_repeat_filter.h"
#include "ui/main_window/main_window_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>

namespace {

// True when a filter took the event, for a target that is not a widget.
bool sendEnter(QObject* target, QEvent::Type type, bool autoRepeat, quint64 time = 0)
{
    QKeyEvent event(type, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), autoRepeat);
    event.setTimestamp(time);
    return QApplication::sendEvent(target, &event);
}

// What X delivers for a held key: one press, then repeated presses.
void holdEnter(QObject* target)
{
    sendEnter(target, QEvent::KeyPress, false);
    for (int i = 0; i < 10; ++i)
        sendEnter(target, QEvent::KeyPress, true);
    sendEnter(target, QEvent::KeyRelease, false);
}

TEST_F(MainWindowTest, HeldEnterIsOneStartOrOneStopWhereverTheFocusIs)
{
    writeParticipants(12);
    window().show();
    holdEnter(control<QLineEdit>("edt1"));
    EXPECT_EQ(startStopText(), QStringLiteral("停止抽奖"));
    holdEnter(control<QPlainTextEdit>("mmo1"));
    holdEnter(button("btn3"));
    holdEnter(button("btn3"));
    EXPECT_EQ(splitIntoLines(dir.readFile("retotal.txt")).size(), 2u);
    holdEnter(button("btn2")); // one Initialize, one notice
    EXPECT_EQ(fakes.boxes.shown.size(), 1u);

    // A repeat X sends as a release and a press at one moment, which the
    // toolkit failed to mark, is a repeat all the same; a quick press is not.
    KeyRepeatFilter filter;
    QObject target;
    target.installEventFilter(&filter);
    sendEnter(&target, QEvent::KeyRelease, false, 1700);
    EXPECT_TRUE(sendEnter(&target, QEvent::KeyPress, false, 1700));
    sendEnter(&target, QEvent::KeyRelease, false, 1740);
    EXPECT_FALSE(sendEnter(&target, QEvent::KeyPress, false, 1790));
}

TEST_F(MainWindowTest, LabelsShowMarkupAsWritten)
{
    using namespace setting_names;
    window(); // writes the defaults
    writeSetting(basicSection(), setting_names::title(), G("<b>年会</b>"));
    writeSetting(prizeSection(), showPrizes(), yes());
    writeSetting(prizeSection(), levelPrizeKey(PrizeLevel::Grand), G("<u>汽车</u>"));
    window().loadMainWindowState();
    for (const char* name : {"lbl1", "lbl2", "lbl3"})
        EXPECT_EQ(control<QLabel>(name)->textFormat(), Qt::PlainText) << name;
    auto* lbl2 = control<QLabel>("lbl2");
    EXPECT_EQ(lbl2->text(), QStringLiteral("<b>年会</b>"));
    EXPECT_GE(lbl2->width(), lbl2->fontMetrics().horizontalAdvance(lbl2->text()));
}

TEST_F(MainWindowTest, RightClickOnDisplayAndResultsShowsTheWindowMenu)
{
    window().show();
    auto* mmo1 = control<QPlainTextEdit>("mmo1");
    mmo1->appendPlainText(QStringLiteral("second line"));
    const QPoint onSecond =
        mmo1->cursorRect(QTextCursor(mmo1->document()->findBlockByNumber(1))).center();
    for (QWidget* target : {static_cast<QWidget*>(control<QLineEdit>("edt1")), mmo1->viewport()}) {
        const QPoint at = target == mmo1->viewport() ? onSecond : QPoint(5, 5);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &event);
        EXPECT_TRUE(window().popupMenu()->isVisible());
        EXPECT_EQ(window().lastMenuLine(), target == mmo1->viewport() ? 1 : -1);
        window().popupMenu()->hide();
    }
    for (QWidget* top : QApplication::topLevelWidgets()) // no edit menu of their own
        EXPECT_FALSE(qobject_cast<QMenu*>(top) && top->isVisible());
}

TEST_F(MainWindowTest, PastesDropsAndTabNeverChangeDisplayOrResults)
{
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    QApplication::clipboard()->setText(QStringLiteral("pasted\tline\n[基本设置]"));
    auto* edt1 = control<QLineEdit>("edt1");
    auto* mmo1 = control<QPlainTextEdit>("mmo1");
    const QString display = edt1->text();
    const QString results = mmo1->toPlainText();
    for (QWidget* field : {static_cast<QWidget*>(edt1), static_cast<QWidget*>(mmo1)}) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
        QMimeData dropped;
        dropped.setText(QStringLiteral("dropped"));
        QWidget* target = field == mmo1 ? mmo1->viewport() : field;
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, {});
        QApplication::sendEvent(target, &drop);
    }
    mmo1->setFocus();
    QTest::keyClick(mmo1, Qt::Key_Tab); // leaves for the next in the tab order
    EXPECT_EQ(QApplication::focusWidget(), button("btn5"));
    EXPECT_EQ(edt1->text(), display);
    EXPECT_EQ(mmo1->toPlainText(), results);
}

} // namespace

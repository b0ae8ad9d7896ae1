#include "main_window/main_window_fixture.h"
#include "storage/default_settings.h"
#include "storage/line_splitting.h"
#include "storage/prize_level.h"
#include "storage/settings_file.h"
#include "ui/key_repeat_filter.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>

namespace {

void pressEnter(QWidget* target, bool autoRepeat)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"),
                    autoRepeat);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"),
                      autoRepeat);
    QApplication::sendEvent(target, &release);
}

// What X delivers for a held key: one press, then repeated presses.
void holdEnter(QWidget* target, int repeats)
{
    pressEnter(target, false);
    for (int i = 0; i < repeats; ++i)
        pressEnter(target, true);
}

TEST_F(MainWindowTest, HeldEnterIsOneStartOrOneStopWhereverTheFocusIs)
{
    writeParticipants(12);
    window().show();
    auto* edt1 = control<QLineEdit>("edt1");
    edt1->setFocus();
    holdEnter(edt1, 10);
    EXPECT_EQ(startStopText(), QStringLiteral("停止抽奖"));
    holdEnter(control<QPlainTextEdit>("mmo1"), 10);
    EXPECT_EQ(startStopText(), QStringLiteral("开始抽奖"));
    EXPECT_EQ(splitIntoLines(dir.readFile("retotal.txt")).size(), 1u);

    holdEnter(button("btn3"), 10);
    EXPECT_EQ(startStopText(), QStringLiteral("停止抽奖"));
    holdEnter(button("btn3"), 10);
    EXPECT_EQ(splitIntoLines(dir.readFile("retotal.txt")).size(), 2u);

    // A held Enter on Initialize is one Initialize, one notice.
    holdEnter(button("btn2"), 10);
    EXPECT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_EQ(startStopText(), QStringLiteral("开始抽奖"));
}

// The X server's repeat is a release and a press at one moment; a press the
// toolkit failed to mark as repeated is known by that.
TEST(KeyRepeatFilter, PressAtTheMomentOfTheReleaseIsARepeat)
{
    KeyRepeatFilter filter;
    QObject target;
    target.installEventFilter(&filter);
    // True when the filter took the event: a plain object takes no keys.
    auto send = [&](QEvent::Type type, Qt::Key key, quint64 time) {
        QKeyEvent event(type, key, Qt::NoModifier);
        event.setTimestamp(time);
        return QCoreApplication::sendEvent(&target, &event);
    };
    EXPECT_FALSE(send(QEvent::KeyPress, Qt::Key_Return, 1000));
    EXPECT_FALSE(send(QEvent::KeyRelease, Qt::Key_Return, 1700));
    EXPECT_TRUE(send(QEvent::KeyPress, Qt::Key_Return, 1700));
    EXPECT_FALSE(send(QEvent::KeyRelease, Qt::Key_Return, 1740));
    EXPECT_FALSE(send(QEvent::KeyPress, Qt::Key_Return, 1790)); // a quick second press
    EXPECT_FALSE(send(QEvent::KeyRelease, Qt::Key_A, 1800));
    EXPECT_FALSE(send(QEvent::KeyPress, Qt::Key_A, 1800)); // only Enter runs commands
    EXPECT_FALSE(send(QEvent::KeyRelease, Qt::Key_Enter, 1900));
    EXPECT_FALSE(send(QEvent::KeyPress, Qt::Key_Return, 1900));
}

TEST_F(MainWindowTest, FastSeparatePressesEachCount)
{
    writeParticipants(12);
    window().show();
    for (int i = 0; i < 6; ++i)
        pressEnter(button("btn3"), false);
    EXPECT_EQ(splitIntoLines(dir.readFile("retotal.txt")).size(), 3u);
}

TEST_F(MainWindowTest, LabelsShowMarkupAsWritten)
{
    using namespace setting_names;
    window(); // writes the defaults
    const QByteArray title = G("<b>年会</b>");
    writeSetting(basicSection(), setting_names::title(), title);
    writeSetting(prizeSection(), showPrizes(), yes());
    writeSetting(prizeSection(), levelPrizeKey(PrizeLevel::Grand), G("<u>汽车</u>"));
    window().loadMainWindowState();

    for (const char* name : {"lbl1", "lbl2", "lbl3"})
        EXPECT_EQ(control<QLabel>(name)->textFormat(), Qt::PlainText) << name;
    auto* lbl2 = control<QLabel>("lbl2");
    EXPECT_EQ(lbl2->text(), QStringLiteral("<b>年会</b>"));
    // Shown as plain text, the tags take their room on the label.
    EXPECT_GE(lbl2->width(), lbl2->fontMetrics().horizontalAdvance(lbl2->text()));
    EXPECT_TRUE(control<QLabel>("lbl1")->text().startsWith(QStringLiteral("特等奖：<u>汽车</u>")));
}

TEST_F(MainWindowTest, RightClickOnDisplayAndResultsShowsTheWindowMenu)
{
    window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    QMenu* pm1 = window().popupMenu();
    auto* edt1 = control<QLineEdit>("edt1");
    QContextMenuEvent onDisplay(QContextMenuEvent::Mouse, QPoint(5, 5),
                                edt1->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(edt1, &onDisplay);
    EXPECT_TRUE(pm1->isVisible());
    EXPECT_EQ(window().lastMenuLine(), -1);
    pm1->hide();

    auto* mmo1 = control<QPlainTextEdit>("mmo1");
    mmo1->appendPlainText(QStringLiteral("second line"));
    mmo1->appendPlainText(QStringLiteral("third line"));
    const QRect third = mmo1->cursorRect(QTextCursor(mmo1->document()->findBlockByNumber(2)));
    QContextMenuEvent onResults(QContextMenuEvent::Mouse, third.center(),
                                mmo1->viewport()->mapToGlobal(third.center()));
    QApplication::sendEvent(mmo1->viewport(), &onResults);
    EXPECT_TRUE(pm1->isVisible());
    EXPECT_EQ(window().lastMenuLine(), 2);
    pm1->hide();
    // No edit menu of the field's own came up beside it.
    for (QWidget* top : QApplication::topLevelWidgets())
        EXPECT_FALSE(top->isVisible() && qobject_cast<QMenu*>(top) && top != pm1);
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
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
    }
    EXPECT_EQ(edt1->text(), display);
    EXPECT_EQ(mmo1->toPlainText(), results);

    // Tab leaves the results list for the next control in the tab order.
    mmo1->setFocus();
    QTest::keyClick(mmo1, Qt::Key_Tab);
    EXPECT_EQ(mmo1->toPlainText(), results);
    EXPECT_EQ(QApplication::focusWidget(), button("btn5"));
}

} // namespace

#include "ui/main_window/round_controls.h"

#include "base/gbk.h"
#include "draw/draw_command.h"
#include "draw/draw_context.h"
#include "draw/draw_surface.h"
#include "draw/level_counts.h"
#include "draw/round_files.h"
#include "draw/round_recovery.h"
#include "draw/screen_texts.h"
#include "platform/clock.h"
#include "platform/message_boxes.h"
#include "platform/services.h"
#include "storage/draw_history.h"
#include "storage/extra_prizes.h"
#include "storage/results_format.h"
#include "storage/screen_privacy_settings.h"
#include "ui/guard/guarded_connect.h"
#include "ui/main_window/results_list_lines.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTimer>

using namespace history_rounds;
using draw_history::Resume;

namespace {

QDateTime now()
{
    return services().clock->now();
}

BoxRequest question(const QString& text, bool defaultNo)
{
    BoxRequest request = questionBox(text, defaultNo);
    request.topMost = true;
    return request;
}

} // namespace

RoundControls::RoundControls(QWidget* window, DrawSurface& surface, QPlainTextEdit* resultsList,
                             QMenu* menu, const DrawSettings& settings, QByteArray& currentWinner)
    : QObject(window), window_(window), surface_(surface), resultsList_(resultsList), menu_(menu),
      settings_(settings), currentWinner_(currentWinner),
      state_(QLatin1String(draw_history::kFileName))
{
    takeBack_ = new QAction(QStringLiteral("撤销初始化，恢复上一轮中奖结果"), window);
    takeBack_->setObjectName(QStringLiteral("takeBackReset"));
    takeBack_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    takeBack_->setShortcutContext(Qt::WindowShortcut);
    takeBack_->setEnabled(false);
    void_ = new QAction(QStringLiteral("作废该中奖者并重抽（本人不在场）..."), window);
    void_->setObjectName(QStringLiteral("voidWinner"));
    void_->setEnabled(false);

    menu_->addSeparator();
    menu_->addAction(takeBack_);
    menu_->addAction(void_);
    // The shortcut works without the menu open.
    window_->addAction(takeBack_);

    connectGuarded(takeBack_, &QAction::triggered, this, window_, [this] { takeBackReset(); });
    connectGuarded(void_, &QAction::triggered, this, window_,
                   [this] { voidWinnerOnLine(voidTarget_); });
    connect(menu_, &QMenu::aboutToShow, this, [this] {
        voidTarget_ = clickedLine_;
        clickedLine_ = -1;
        void_->setEnabled(entryOnLine(voidTarget_) >= 0);
    });
}

void RoundControls::menuRequested(int resultsListLine)
{
    clickedLine_ = resultsListLine;
}

void RoundControls::programStarted()
{
    state_.load();
    state_.programStarted(now());
    updateTakeBack();
}

void RoundControls::initialized()
{
    state_.initialized(now());
    updateTakeBack();
}

void RoundControls::settingsSaved()
{
    winnersEndedBySave_ = state_.currentRound().activeCount();
    state_.settingsSaved(now());
    updateTakeBack();
}

void RoundControls::windowShown()
{
    if (shown_)
        return;
    shown_ = true;
    // After the show has finished, so the question stands in front of the
    // window rather than before it.
    QTimer::singleShot(0, this, [this] { guarded(window_, [this] { offerToContinue(); }); });
}

void RoundControls::afterDraw()
{
    updateTakeBack();
}

int RoundControls::entryOnLine(int resultsListLine) const
{
    const QTextBlock block = resultsList_->document()->findBlockByNumber(resultsListLine);
    if (resultsListLine < 0 || !block.isValid())
        return -1;
    return round_recovery::entryShownBy(state_.currentRound(),
                                        gbk::encode(results_list_lines::wholeLine(block)));
}

int RoundControls::lineShowingEntry(int entry) const
{
    for (int line = resultsList_->document()->blockCount(); line-- > 0;)
        if (entryOnLine(line) == entry)
            return line;
    return -1;
}

void RoundControls::offerToContinue()
{
    const Round* left = roundLeftByRestart(state_.rounds());
    if (!left)
        return;
    qint64 total = 0;
    try {
        total = levelCounts(settings_).total;
    } catch (const AppError&) {
        return; // counts the draw cannot use: nothing to continue under them
    }
    // A finished round is offered too: right after the last prize is when
    // operators close the program, and its winners must still be exported.
    const bool finished = !round_recovery::isUnfinished(*left, total, extra_prizes::read());
    const Round round = *left;
    const BoxRequest ask = question(
        round_recovery::continueQuestion(round, finished, screen_privacy_settings::read()), false);
    if (services().boxes->show(window_, ask) == BoxAnswer::Yes)
        restore(round, Resume::AfterRestart);
    else
        state_.declinedToContinue(now());
}

void RoundControls::takeBackReset()
{
    // While the names roll the draw is mid-Stop: the round it draws for
    // stays until the Stop.
    if (surface_.startStopCaption() == draw_texts::stopCaption())
        return;
    const Round* emptied = roundLeftByReset(state_.rounds());
    if (!emptied)
        return;
    restore(Round(*emptied), Resume::AfterReset);
}

void RoundControls::restore(const Round& round, Resume how)
{
    const round_recovery::Plan plan =
        round_recovery::plan(round, levelCounts(settings_), extra_prizes::read());
    round_files::restore(state_, plan.resultsLines, how, now());

    // The list keeps its heading line and shows the round below it.
    QTextCursor cursor(resultsList_->document());
    cursor.movePosition(QTextCursor::Start);
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    for (const QByteArray& line : plan.screenLines)
        surface_.appendResultLine(line); // as the audience may see it
    surface_.setProgressText(plan.progressText);
    surface_.setProgressPosition(plan.progressPosition);
    if (!plan.lastWinner.isEmpty()) {
        currentWinner_ = plan.lastWinner;
        surface_.setDisplayText(plan.lastWinner);
    }
    updateTakeBack();
    if (roundChanged_)
        roundChanged_();
}

void RoundControls::voidWinnerOnLine(int resultsListLine)
{
    const int clicked = entryOnLine(resultsListLine);
    if (clicked < 0)
        return;
    // Of two equal winners the later one is voided, as the history will
    // replay it: a continue then shows the same line voided.
    int entry =
        static_cast<int>(state_.currentRound().entryAVoidReaches(static_cast<size_t>(clicked)));
    const int reachedLine = entry == clicked ? resultsListLine : lineShowingEntry(entry);
    if (reachedLine < 0)
        entry = clicked; // the two show the very same line: either is the one
    else
        resultsListLine = reachedLine;
    const QByteArray resultsLine =
        state_.currentRound().entries[static_cast<size_t>(entry)].resultsLine;
    const LevelCounts counts = levelCounts(settings_);
    const QString ask = round_recovery::voidQuestion(resultsLine, screen_privacy_settings::read());
    if (services().boxes->show(window_, question(ask, true)) != BoxAnswer::Yes)
        return;

    const std::vector<QByteArray> left =
        round_files::voidEntry(state_, static_cast<size_t>(entry), now());
    const screen_texts::Progress progress =
        screen_texts::progressOf(left, counts, extra_prizes::read());
    surface_.setProgressText(progress.text);
    surface_.setProgressPosition(progress.position);
    markLineVoided(resultsListLine);
    // The voided winner leaves the big field, and a Stop that draws nobody
    // must not show them again.
    if (currentWinner_ == results_format::recordedWinner(resultsLine))
        currentWinner_.clear();
    surface_.setDisplayText(QByteArray());
    updateTakeBack();
    if (roundChanged_)
        roundChanged_();
}

void RoundControls::markLineVoided(int resultsListLine)
{
    QTextCursor cursor(resultsList_->document()->findBlockByNumber(resultsListLine));
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertText(gbk::decode(round_recovery::voidMark()));
}

void RoundControls::updateTakeBack()
{
    takeBack_->setEnabled(roundLeftByReset(state_.rounds()) != nullptr);
}

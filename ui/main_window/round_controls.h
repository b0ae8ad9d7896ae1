#pragma once

#include "draw/round_state.h"

#include <QObject>
#include <functional>

class DrawSurface;
class QAction;
class QMenu;
class QPlainTextEdit;
class QWidget;
struct DrawSettings;

// The main window's round commands: the question to continue a round a
// restart left unfinished, taking back a reset, and voiding a winner who is
// not there. It keeps the window's rounds in step with the history.
class RoundControls : public QObject
{
    Q_OBJECT
  public:
    RoundControls(QWidget* window, DrawSurface& surface, QPlainTextEdit* resultsList, QMenu* menu,
                  const DrawSettings& settings, QByteArray& currentWinner);

    RoundState& state() { return state_; }
    // Called after a restore or a void has changed the round.
    void setRoundChanged(std::function<void()> roundChanged)
    {
        roundChanged_ = std::move(roundChanged);
    }

    // Hooks of the window's own routines.
    void programStarted();
    void initialized();
    void settingsSaved();
    // The winners of the round the last settings save ended (0: none), for
    // the settings window to tell the operator how to take it back.
    int winnersEndedBySave() const { return winnersEndedBySave_; }
    void windowShown(); // asks about an unfinished round once the window shows
    void afterDraw();   // a winner drawn ends the time to take back a reset
    // The window's menu is about to open over this results-list line (-1:
    // elsewhere); the void entry acts on it.
    void menuRequested(int resultsListLine);

    // The commands; each throws on a failed write.
    void offerToContinue();
    void takeBackReset();
    void voidWinnerOnLine(int resultsListLine);
    // The entry of the current round a results-list line shows; -1 for
    // none, or one voided already.
    int entryOnLine(int resultsListLine) const;
    int lineShowingEntry(int entry) const;

    QAction* takeBackAction() const { return takeBack_; }
    QAction* voidAction() const { return void_; }

  private:
    void restore(const history_rounds::Round& round, draw_history::Resume how);
    void updateTakeBack();
    void markLineVoided(int resultsListLine);

    QWidget* window_;
    DrawSurface& surface_;
    QPlainTextEdit* resultsList_;
    QMenu* menu_;
    const DrawSettings& settings_;
    QByteArray& currentWinner_;
    int winnersEndedBySave_ = 0;
    RoundState state_;
    QAction* takeBack_ = nullptr;
    QAction* void_ = nullptr;
    int clickedLine_ = -1; // the results-list line of the pending right click
    int voidTarget_ = -1;  // the line the void entry acts on while the menu shows
    bool shown_ = false;
    std::function<void()> roundChanged_;
};

#pragma once

#include "draw/draw_context.h"
#include "draw/draw_options.h"
#include "draw/draw_status.h"
#include "draw/draw_surface.h"
#include "draw/rolling_display.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;
class DrawStatusView;
class PresenterRemote;
class RoundControls;
class StageMode;
class StageScreens;

// The main window: the stage of the draw.
class TForm1 : public QWidget, private DrawSurface
{
    Q_OBJECT
  public:
    explicit TForm1(QWidget* parent = nullptr);

    // The start-up routine: default settings, title, banner, picture, music,
    // counts, then new lists and an empty results file. Throws on failure,
    // leaving the steps after the failing one undone.
    void loadMainWindowState();

    // Also makes minimizing the main window minimize the whole program.
    void setSettingsWindow(QWidget* settingsWindow);
    QMenu* popupMenu() const { return pm1; }
    // Shows pm1 at the point; resultsLine is the mmo1 line (block number)
    // under a right click there, -1 elsewhere. Entries read it back.
    void showPopupMenu(const QPoint& globalPos, int resultsLine = -1);
    int lastMenuLine() const { return lastMenuLine_; }
    bool isDrawRunning() const;
    // The operator chose another prize, or changed what it draws, while the
    // names roll (turnRollToChoice); the screen follows.
    bool turnRollToChoice();
    const QByteArray& currentWinner() const { return currentWinner_; }
    const DrawSettings& drawSettings() const { return drawSettings_; }
    StageMode* stageMode() const { return stage_; }
    StageScreens* stageScreens() const { return screens_; }
    DrawOptions& drawOptions() { return options_; }
    const DrawStatus& drawStatus() const { return status_; }
    DrawStatusView* drawStatusView() const { return statusView_; }
    RoundControls* roundControls() const { return rounds_; }
    PresenterRemote* presenterRemote() const { return remote_; }

    // Command handlers; each throws on failure, the connections guard them.
    void btn1Click(); // settings
    void btn2Click(); // initialize
    void btn3Click(); // start/stop
    void btn5Click(); // save results
    void tmr1Timer();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createControls();
    void createDrawLists();
    void connectHandlers();
    void FormShow();
    void FormClose();
    void rollPass();
    DrawContext drawContext();
    void setLabelText(QLabel* label, const QByteArray& text);
    // The status on screen follows the draw; a reset empties it and the
    // level choice.
    void drawStatusChanged();
    void resetDrawStatus();

    // DrawSurface (cou_draw_surface.cpp)
    QByteArray startStopCaption() const override;
    void setStartStopCaption(const QByteArray& caption) override;
    bool drawTimerEnabled() const override;
    void setDrawTimerEnabled(bool enabled) override;
    int drawTimerInterval() const override;
    void setDrawTimerInterval(int milliseconds) override;
    void setDisplayText(const QByteArray& text) override;
    void setProgressText(const QByteArray& text) override;
    void setProgressPosition(int position) override;
    void appendResultLine(const QByteArray& line) override;
    void setRollingPassesActive(bool active) override;
    bool rollingPassesActive() const override;
    void tell(const DrawNotice& notice) override;

    QLabel* img1 = nullptr;
    QLabel* lbl1 = nullptr;
    QLabel* lbl2 = nullptr;
    QLabel* lbl3 = nullptr;
    QLineEdit* edt1 = nullptr;
    QPushButton* btn1 = nullptr;
    QPushButton* btn2 = nullptr;
    QPushButton* btn3 = nullptr;
    QPlainTextEdit* mmo1 = nullptr;
    QPushButton* btn5 = nullptr;
    QProgressBar* pb1 = nullptr;
    QTimer* tmr1 = nullptr;
    QTimer* rollTimer = nullptr;
    QMenu* pm1 = nullptr;
    StageMode* stage_ = nullptr;
    StageScreens* screens_ = nullptr;
    RoundControls* rounds_ = nullptr;
    PresenterRemote* remote_ = nullptr;

    QWidget* settingsWindow_ = nullptr;
    int lastMenuLine_ = -1;
    DrawSettings drawSettings_;
    QByteArray currentWinner_;
    RollingDisplay rolling_;
    DrawOptions options_;
    DrawStatus status_;
    DrawStatusView* statusView_ = nullptr;
};

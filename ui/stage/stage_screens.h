#pragma once

#include "draw/stage_placement.h"
#include "storage/stage_screen_settings.h"
#include "ui/stage/stage_mode.h"

#include <QObject>
#include <QPointer>
#include <vector>

class DrawStatusView;
class QScreen;
class StageScreenWindow;

// Puts the stage view on a screen of its own when the operator chose so and
// there is one, and keeps it there while screens come and go: a projector
// plugged in takes the stage view over from the main window, one unplugged
// gives it back, all without touching the draw, which lives in the main
// window. With the option off, or one screen, the main window is the stage
// view as always.
class StageScreens : public QObject, public StageElsewhere
{
    Q_OBJECT
  public:
    // notShown: the main window's controls the audience does not see.
    StageScreens(QWidget* mainWindow, StageMode* stage, DrawStatusView* status,
                 std::vector<QWidget*> notShown);
    ~StageScreens() override;

    void setChoice(const StageScreenChoice& choice);
    const StageScreenChoice& choice() const { return choice_; }

    // The screens are now these: the stage view, if shown, goes where they
    // put it. Connected to the system's screens; tests hand in lists.
    void screensChanged(const std::vector<QRect>& screens);
    // Where the stage view goes on the screens last known.
    StagePlacement placement() const;
    StageScreenWindow* window() const;

    // StageElsewhere
    bool show() override;
    void hide() override;
    bool isShown() const override { return shown_; }
    StageBlank* blank() const override;

  private:
    void followSystemScreens();
    void watch(QScreen* screen);
    void place(const QRect& screen);

    QWidget* mainWindow_;
    StageMode* stage_;
    DrawStatusView* status_;
    std::vector<QWidget*> notShown_;
    StageScreenChoice choice_;
    std::vector<QRect> screens_;
    QPointer<StageScreenWindow> window_;
    bool shown_ = false;
    QRect placed_; // where the window was put last
};

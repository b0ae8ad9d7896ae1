#pragma once

#include "draw/draw_options.h"
#include "draw/draw_status.h"

#include <QObject>

class DrawBoard;
class QLabel;
class QWidget;
class StageMode;

// Shows what is being drawn: in the normal window on one line in the free
// strip between the display and the results field, in the stage view on the
// board. Both follow the draw's status and the stage view coming and going.
class DrawStatusView : public QObject
{
    Q_OBJECT
  public:
    DrawStatusView(QWidget* window, StageMode* stage, const DrawStatus& status,
                   const DrawOptions& options);

    // The draw's status changed (a Start, a Stop, an initialize).
    void refresh();

    QLabel* banner() const { return banner_; }
    DrawBoard* board() const { return board_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void updateVisibility();

    QWidget* window_;
    StageMode* stage_;
    const DrawStatus& status_;
    const DrawOptions& options_;
    QLabel* banner_;
    DrawBoard* board_;
};

#pragma once

#include "draw/draw_options.h"
#include "draw/draw_status.h"

#include <QObject>
#include <functional>
#include <vector>

class DrawBoard;
class QLabel;
class QWidget;
class StageMode;
class StagePictures;

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

    // The roll shows the line: its photo on the board, and the photos of
    // the lines it shows next decoded ahead.
    void rollingLine(const QByteArray& line);
    // The lines the next passes of the roll show, at most n.
    void setUpcomingLines(std::function<std::vector<QByteArray>(int n)> upcoming);

    QLabel* banner() const { return banner_; }
    DrawBoard* board() const { return board_; }
    StagePictures* pictures() const { return pictures_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void updateVisibility();
    void showPictures();

    QWidget* window_;
    StageMode* stage_;
    const DrawStatus& status_;
    const DrawOptions& options_;
    QLabel* banner_;
    DrawBoard* board_;
    StagePictures* pictures_;
    DrawStatus::Phase shownPhase_ = DrawStatus::Phase::Idle;
    bool picturesRead_ = false;
    QByteArray rollingLine_;
    std::function<std::vector<QByteArray>(int)> upcoming_;
};

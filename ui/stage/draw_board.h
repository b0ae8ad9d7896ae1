#pragma once

#include "draw/draw_status.h"
#include "ui/stage/draw_status_text.h"
#include "ui/stage/stage_layout.h"

#include <QWidget>

// The stage's board over the display and results area: what is being drawn,
// and after a Stop every winner of the batch, each in a cell of its own, in
// letters as large as the area allows. While rolling, and after a single
// winner, it covers only the results area, so the rolling display stays seen;
// a batch in the stage view covers the whole screen.
class DrawBoard : public QWidget
{
    Q_OBJECT
  public:
    // In the main window's design pixels: from the display field's top to
    // the results field's bottom; the results area begins kResultsTop below.
    static QRect designGeometry() { return QRect(24, 136, 697, 305); }
    static constexpr int kResultsTop = 72;

    explicit DrawBoard(QWidget* window);

    void showStatus(const DrawStatus& status, const draw_status_text::HeadlineParts& headline);
    QString headline() const { return headline_.parts.join(draw_status_text::kGap); }
    const std::vector<QByteArray>& winners() const { return winners_; }
    bool coversDisplay() const { return winners_.size() > 1; }

    // Where the headline and the winners go in the painted area.
    struct Boxes
    {
        QRect headline;
        QRect body;
    };
    static Boxes boxesIn(const QRect& area, bool coversDisplay);
    // Where the board goes in the stage view on a window of that size.
    static QRect stageGeometry(const StageLayout& layout, const QSize& window, bool coversDisplay);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QRect paintedArea() const;

    draw_status_text::HeadlineParts headline_;
    std::vector<QByteArray> winners_;
    DrawStatus::Phase phase_ = DrawStatus::Phase::Idle;
    int batch_ = 0;
};
